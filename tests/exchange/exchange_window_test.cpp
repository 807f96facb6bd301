// File > Export..., Import..., Export Channels... and Import Channels... in the window:
// the file dialogs and messages through the prompts, the image through the one door.
#include "main_window_fixture.h"

#include "ui/exchange/exchange_commands.h"

#include "text/channel_csv.h"
#include "text/codeplug_text.h"

#include "core/address_map.h"
#include "core/session.h"

#include <QClipboard>
#include <QPlainTextEdit>
#include <QTabWidget>

#include <QFile>
#include <QTemporaryDir>

namespace r57::ui::testing {
namespace {

class ExchangeWindow : public MainWindowTest {
protected:
    void SetUp() override {
        MainWindowTest::SetUp();
        InstallExchangeCommands(*window);
    }
    QString path(const char* name) const { return folder.filePath(name); }
    void writeFile(const char* name, const QByteArray& content) {
        QFile file(path(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(content);
    }

    QTemporaryDir folder;
};

TEST_F(ExchangeWindow, ExportThenImportFromNewGivesTheCodeplugBack) {
    loadChannels({1, 2, 7});
    window->setModelCode(2);
    const CodeplugImage shown = session().image;
    prompts.files = {path("plug")}; // the suffix is added
    trigger("mnuFile_Export");
    ASSERT_TRUE(QFile::exists(path("plug.yaml")));
    EXPECT_EQ(prompts.fileDialogs, QStringList{"save:Untitled.yaml"});
    EXPECT_TRUE(prompts.asked.empty()); // nothing to say when every byte reads back

    prompts.answers = {Answer::Ok};
    window->newCodeplug();
    window->setModelCode(0);
    prompts.files = {path("plug.yaml")};
    prompts.answers = {Answer::Cancel};
    trigger("mnuFile_Import");
    EXPECT_TRUE(session().image != shown); // Cancel at the question: nothing happens
    prompts.files = {path("plug.yaml")};
    prompts.answers = {Answer::Yes};
    trigger("mnuFile_Import");
    EXPECT_TRUE(session().image == shown);
    EXPECT_EQ(session().modelCode, '2');
    EXPECT_EQ(grid()->cellText(7, kColName), "CH7    ");
    EXPECT_TRUE(session().hasUnsavedChanges());

    // A new codeplug is the one `r57 new` writes, stock logo and all.
    writeFile("one.yaml", "Function Setting:\n  Squelch Level: \"3\"\n");
    prompts.files = {path("one.yaml")};
    prompts.answers = {Answer::Yes};
    trigger("mnuFile_Import");
    Session fresh;
    fresh.applicationDirectory = session().applicationDirectory;
    fresh.startUp();
    const std::vector<text::ByteChange> changed = text::ChangedBytes(fresh.image, session().image);
    // Only the settings page written (as its window saves it); the logo is the stock one.
    ASSERT_FALSE(changed.empty());
    for (const text::ByteChange& c : changed) {
        EXPECT_TRUE(c.address >= 0x0800 && c.address < 0x0900) << c.address;
    }
    EXPECT_NE(fresh.image.at(addr::kLogo), 0xFF); // the stock logo was found
}

TEST_F(ExchangeWindow, ARefusedFieldIsShownWithItsPlaceInEitherLanguageAndChangesNothing) {
    writeFile("bad.yaml", "Channels:\n  A1:\n    RX Freq: 446.1\nFunction Setting:\n"
                          "  Squelch Level: \"12\"\n");
    for (int language : {kEnglish, kChinese}) {
        window->switchLanguage(language);
        const CodeplugImage before = session().image;
        prompts.files = {path("bad.yaml")};
        prompts.answers = {Answer::No}; // into the codeplug shown
        trigger("mnuFile_Import");
        EXPECT_TRUE(session().image == before);
        const QString expected =
            language == kEnglish
                ? "bad.yaml was not imported; nothing was changed.\nline 5, column 18: "
                  "Function Setting / Squelch Level: not one of the choices"
                : "bad.yaml 未导入，未作任何更改。\n第 5 行第 18 列：Function Setting / "
                  "Squelch Level: 不是可选项之一";
        EXPECT_EQ(prompts.lastText(), expected);
        EXPECT_EQ(prompts.asked.back().icon, Icon::Warning);
        EXPECT_EQ(item("mnuFile_Import")->text(),
                  language == kEnglish ? "&Import..." : "导入(&I)...");
    }
}

TEST_F(ExchangeWindow, ChannelsGoIntoTheShownBankAtTheirLocationAndOutOfIt) {
    writeFile("list.csv", "Location,Name,Frequency,Duplex,Offset,Tone,rToneFreq,Mode\r\n"
                          "10,ONE,446.1,,0,Tone,88.5,FM\r\n"
                          "11,AIR,127.5,,0,,,AM\r\n"
                          "12,THREE,145.5,-,0.6,,,NFM\r\n"
                          "13,LONGNAME12,446.3,,0,,,FM\r\n");
    find<QTabWidget>("SSTab1")->setCurrentIndex(1);
    grid(kBankB)->setCursor(3, 1); // Location is the channel, wherever the cursor stands
    const CodeplugImage before = session().image;
    prompts.files = {path("list.csv")};
    trigger("mnuFile_ImportChannels");
    EXPECT_EQ(grid(kBankB)->cellText(10, kColName), "ONE    ");
    EXPECT_EQ(grid(kBankB)->cellText(10, kColEncode), "88.5");
    EXPECT_EQ(grid(kBankB)->cellText(11, kColRx), "");
    EXPECT_EQ(grid(kBankB)->cellText(12, kColTx), "144.90000");
    EXPECT_EQ(grid(kBankB)->cellText(3, kColRx), "");
    EXPECT_EQ(prompts.lastText(), "2 channel(s) put into bank B, the first at B10.\n\n"
                                  "2 row(s) skipped:\nline 3: mode AM: the radio has FM and "
                                  "NFM only\nline 5, column 2: Name \"LONGNAME12\" would be "
                                  "stored as \"LONGNAM\"");
    EXPECT_EQ(grid(kBankB)->cellText(13, kColRx), "");
    // The same file again changes nothing and adds no step: undo takes the import back.
    const CodeplugImage imported = session().image;
    prompts.files = {path("list.csv")};
    trigger("mnuFile_ImportChannels");
    EXPECT_TRUE(session().image == imported);
    trigger("mnuEdit_Undo");
    EXPECT_TRUE(session().image == before);
    trigger("mnuEdit_Redo");
    EXPECT_TRUE(session().image == imported);
    prompts.files = {path("bank")};
    trigger("mnuFile_ExportChannels");
    QFile out(path("bank.csv"));
    ASSERT_TRUE(out.open(QIODevice::ReadOnly));
    const QByteArray csv = out.readAll();
    EXPECT_TRUE(csv.contains("\r\n10,ONE,446.100000,,0.000000,Tone,88.5,")) << csv.constData();
    EXPECT_TRUE(csv.contains("\r\n12,THREE,145.500000,-,0.600000,"));

    writeFile("notes.csv", "just,some,words\r\n");
    prompts.files = {path("notes.csv")};
    trigger("mnuFile_ImportChannels");
    EXPECT_TRUE(session().image == imported);
    EXPECT_TRUE(prompts.lastText().contains("not a channel list"));
}

// Lines of the channel CSV pasted into a grid: each row as its file import would set
// it, a row the radio cannot hold named in the status log.
TEST_F(ExchangeWindow, ChannelCsvOnTheClipboardPastesThroughTheCsvReader) {
    loadChannels({1, 2});
    QStringList lines =
        QString::fromStdString(text::ExportChannelsCsv(session().image, text::CsvBanks::A))
            .split("\r\n", Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 3);
    QStringList am = lines[1].split(',');
    am[0] = "3";
    am[12] = "AM";
    lines << am.join(',');
    QGuiApplication::clipboard()->setText(lines.join("\n"));
    grid()->setCursor(20, kColRx);
    trigger("mnuEdit_Paste");
    EXPECT_EQ(Record(session().image, kBankA, 20), Record(session().image, kBankA, 1));
    EXPECT_EQ(Record(session().image, kBankA, 21), Record(session().image, kBankA, 2));
    EXPECT_EQ(grid()->cellText(21, kColName).trimmed(), "CH2");
    EXPECT_EQ(Record(session().image, kBankA, 22), EmptyRecord());
    EXPECT_TRUE(find<QPlainTextEdit>("TxtStatus")->toPlainText().contains("line 4: "));
}

} // namespace
} // namespace r57::ui::testing
