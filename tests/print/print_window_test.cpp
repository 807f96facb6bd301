// File > Print..., Print Preview... and Export PDF... in the window: the sheet of the
// codeplug as the window shows it, through the print dialog, the preview and the file
// dialog of the prompts.
#include "main_window_fixture.h"

#include "common/pdf_tools.h"
#include "ui/print/print_commands.h"

#include <QDir>
#include <QFile>
#include <QLineEdit>

namespace r57::ui::testing {
namespace {

class PrintWindow : public MainWindowTest {
protected:
    void SetUp() override {
        MainWindowTest::SetUp();
        InstallPrintCommands(*window);
        window->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    }
    QString path(const char* name) const { return folder.filePath(name); }
    std::string text(const char* name) const {
        std::string all;
        for (const std::string& page : test::PdfPages(path(name).toStdString())) {
            all += page;
        }
        return all;
    }

    QTemporaryDir folder;
};

TEST_F(PrintWindow, PrintPreviewAndExportGiveTheSheetAsTheWindowShowsIt) {
    loadChannels({1, 2});
    PutChannel(session().image, kBankB, 7, "438.50000", nullptr, "BSEVEN");
    for (int bank : {kBankA, kBankB}) {
        grid(bank)->setColumnVisible(kColTx, false);
    }
    window->switchLanguage(kChinese);
    EXPECT_EQ(item("mnuFile_PrintPreview")->text(), "打印预览(&V)...");
    session().takeSavedCopy();
    // A name typed into the grid and not yet committed is printed as typed.
    grid()->setCursor(2, kColName);
    QTest::keyClicks(grid(), "N");
    QTest::keyClicks(find<QLineEdit>("txtMemChannel"), "EWNAME");

    prompts.printFiles = {path("printed.pdf")};
    QTest::keyClick(find<QLineEdit>("txtMemChannel"), Qt::Key_P, Qt::ControlModifier);
    prompts.printFiles = {path("preview.pdf")};
    trigger("mnuFile_PrintPreview");
    prompts.files = {path("sheet")};
    trigger("mnuFile_ExportPdf");
    EXPECT_EQ(prompts.printDialogs, (QStringList{"print", "preview"}));
    EXPECT_EQ(prompts.fileDialogs, QStringList{"save:Untitled.pdf"});
    for (const char* file : {"printed.pdf", "preview.pdf", "sheet.pdf"}) {
        SCOPED_TRACE(file);
        const std::string sheet = text(file);
        for (const char* want :
             {"信道列表", "Untitled", "A1", "446.00625", "CH1", "A2", "145.50000", "NEWNAME", "B7",
              "438.50000", "BSEVEN", "接收频率", "1/2", "功能设置"}) {
            EXPECT_NE(sheet.find(want), std::string::npos) << want;
        }
        EXPECT_EQ(sheet.find(Text(1348, kChinese)), std::string::npos); // the hidden TX Freq
        EXPECT_EQ(test::UnembeddedFonts(path(file).toStdString()), std::vector<std::string>{});
    }
    EXPECT_TRUE(prompts.asked.empty());

    // Cancelled dialogs print nothing and say nothing; the codeplug is as it was.
    const CodeplugImage before = session().image;
    trigger("mnuFile_Print");
    trigger("mnuFile_PrintPreview");
    trigger("mnuFile_ExportPdf");
    EXPECT_EQ(QDir(folder.path()).count(), 2u + 3u);
    EXPECT_TRUE(prompts.asked.empty());
    EXPECT_TRUE(session().image == before);

    // The dialog is told the page count; a range past the end is refused, not printed.
    prompts.printRange = {3, 4};
    prompts.printFiles = {path("range.pdf")};
    trigger("mnuFile_Print");
    EXPECT_EQ(prompts.printPages, 2);
    ASSERT_EQ(prompts.asked.size(), 1u);
    EXPECT_TRUE(prompts.lastText().contains("共 2 页")) << prompts.lastText().toStdString();
    EXPECT_FALSE(QFile::exists(path("range.pdf")));
}

TEST_F(PrintWindow, AnExportThatCannotBeWrittenNamesTheFileAndTheReasonAndKeepsTheOldOne) {
    QFile old(path("sheet.pdf"));
    ASSERT_TRUE(old.open(QIODevice::WriteOnly));
    old.write("old");
    old.close();
    ASSERT_TRUE(QDir(folder.path()).mkdir("folder.pdf"));
    const struct {
        QString target;
        QString reason;
    } cases[] = {
        {path("missing/sheet.pdf"), "No such file or directory"},
        {path("folder.pdf"), "Is a directory"},
    };
    for (const auto& c : cases) {
        prompts.asked.clear();
        prompts.files = {c.target};
        trigger("mnuFile_ExportPdf");
        ASSERT_EQ(prompts.asked.size(), 1u);
        EXPECT_EQ(prompts.asked[0].icon, Icon::Critical);
        EXPECT_TRUE(prompts.lastText().contains(QDir::toNativeSeparators(c.target)));
        EXPECT_TRUE(prompts.lastText().contains(c.reason)) << prompts.lastText().toStdString();
    }
    // A printer that cannot be opened (here a PDF file in a missing folder) is named.
    prompts.printFiles = {path("missing/printed.pdf")};
    trigger("mnuFile_Print");
    EXPECT_TRUE(prompts.lastText().contains(QDir::toNativeSeparators(path("missing/printed.pdf"))))
        << prompts.lastText().toStdString();
    EXPECT_EQ(QDir(folder.path()).entryList(QDir::Files), QStringList{"sheet.pdf"});
    ASSERT_TRUE(old.open(QIODevice::ReadOnly));
    EXPECT_EQ(old.readAll(), QByteArray("old"));
}

} // namespace
} // namespace r57::ui::testing
