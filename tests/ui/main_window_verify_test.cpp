// The window's safety net against the virtual radio: a backup of every read and write,
// verify after write, a read that can be undone, and Help > Backups....
#include "main_window_fixture.h"

#include "common/radio_process.h"
#include "core/band_limits.h"
#include "core/data_file.h"
#include "link/backups.h"

#include <QDesktopServices>
#include <QDir>
#include <QElapsedTimer>
#include <QMenu>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QUrl>

#include <fstream>
#include <functional>

namespace r57::ui::testing {

// Stands in for the desktop's file manager.
class UrlCatcher : public QObject {
    Q_OBJECT
public:
    QList<QUrl> opened;
public slots:
    void open(const QUrl& url) { opened << url; }
};

namespace {

using test::VirtualRadio;

CodeplugImage RadioImage(unsigned variant) {
    CodeplugImage image = test::RandomImage(variant);
    StoreBandLimits(image, BandLimits::Defaults());
    return image;
}

class Safety : public MainWindowTest {
protected:
    void SetUp() override {
        MainWindowTest::SetUp();
        if (!VirtualRadio::Built()) {
            GTEST_SKIP() << "r57-radio is not built";
        }
        folder = link::BackupFolder();
        QDir(folder).removeRecursively();
        QFile::remove(folder);
    }

    void run(const char* menuItem) {
        prompts.answers.push_front(Answer::Ok); // "Do you wish to continue?"
        trigger(menuItem);
        QElapsedTimer clock;
        clock.start();
        while (window->transferRunning() && clock.elapsed() < 60000) {
            QTest::qWait(10);
        }
        ASSERT_FALSE(window->transferRunning());
    }

    // The backups of one kind, as images.
    std::vector<CodeplugImage> kept(const QString& kind) const {
        std::vector<CodeplugImage> images;
        for (const QString& name : QDir(folder).entryList({"*_" + kind + ".dat"}, QDir::Files)) {
            images.push_back(ReadDataFile(QDir(folder).filePath(name).toStdString()).image);
        }
        return images;
    }

    QString log() { return find<QPlainTextEdit>("TxtStatus")->toPlainText(); }
    void setVerifyAfterWriteForShots() { window->setVerifyAfterWrite(true); }

    QString folder;
};

TEST_F(Safety, ReadAndWriteKeepTheirBackupsAndAReadCanBeUndone) {
    VirtualRadio radio;
    const CodeplugImage memory = RadioImage(1);
    ASSERT_TRUE(radio.start(memory, {"--model", "2"}));
    session().portDevice = radio.device();
    const CodeplugImage before = session().image;

    run("mnuTransfer_Read");
    ASSERT_EQ(kept("read").size(), 1u);
    // The radio's bytes as they came, before the grid repaired what it cannot show.
    EXPECT_TRUE(test::SameRange(kept("read")[0], memory, 0, addr::kFileOnlyA));
    EXPECT_TRUE(test::SameRange(kept("read")[0], memory, addr::kLogo, addr::kFileOnlyB));
    EXPECT_TRUE(log().contains("A copy was kept in " + QDir::toNativeSeparators(folder)));

    loadChannels({4});
    session().updateRadioTime = false;
    const CodeplugImage sent = session().image;
    run("mnuTransfer_Write");
    ASSERT_EQ(kept("written").size(), 1u);
    EXPECT_TRUE(kept("written")[0] == sent);

    // The read was a step: undo brings back the image and the model it replaced.
    window->applyWindowChange([] {});
    trigger("mnuEdit_Undo"); // the channel put in after the read
    trigger("mnuEdit_Undo"); // the read
    EXPECT_TRUE(session().image == before);
    EXPECT_TRUE(find<QRadioButton>("OptModel_0")->isChecked());
    trigger("mnuEdit_Redo");
    EXPECT_TRUE(find<QRadioButton>("OptModel_2")->isChecked());
}

TEST_F(Safety, AReadThatFailedHalfWayCanBeUndoneAndKeepsNoBackup) {
    loadChannels({1, 2, 3}); // the user's edits, never saved
    window->applyWindowChange([] {});
    const CodeplugImage mine = session().image;
    VirtualRadio radio;
    ASSERT_TRUE(radio.start(RadioImage(6), {"--silent-after", "40"}));
    session().portDevice = radio.device();
    prompts.answers = {Answer::Cancel}; // to "Retry or Cancel?"
    run("mnuTransfer_Read");
    ASSERT_TRUE(session().image != mine); // the blocks that came are in
    EXPECT_TRUE(kept("read").empty());
    trigger("mnuEdit_Undo");
    EXPECT_TRUE(session().image == mine);
}

TEST_F(Safety, VerifyAfterWriteFindsTheByteTheRadioDidNotKeep) {
    ASSERT_FALSE(item("mnuTransfer_Verify")->isChecked()); // off unless remembered
    trigger("mnuTransfer_Verify");
    open(); // remembered in the settings file
    ASSERT_TRUE(item("mnuTransfer_Verify")->isChecked());
    loadChannels({1, 2});
    session().updateRadioTime = false;

    const struct {
        const char* name;
        std::vector<std::string> radioOptions;
        const char* logs;
        bool box;
    } table[] = {
        {"good radio",
         {},
         "Verify after write: all 13024 bytes written read back the same.",
         false},
        {"bad cell",
         {"--corrupt-write", "0x1A2B"},
         "Verify after write failed: 1 of the 13024 bytes written read back differently, the "
         "first at address 0x1A2B.",
         true},
    };
    for (const auto& row : table) {
        SCOPED_TRACE(row.name);
        VirtualRadio radio;
        ASSERT_TRUE(radio.start(RadioImage(2), row.radioOptions));
        session().portDevice = radio.device();
        // The radio's own gain rows: no question about them here.
        session().image.write(0x0EE0, RadioImage(2).data() + 0x0EE0, 16);
        prompts.asked.clear();
        run("mnuTransfer_Write");
        EXPECT_TRUE(log().contains(Tr(1293))) << log().toStdString(); // the write's own log
        EXPECT_TRUE(log().contains(row.logs)) << log().toStdString();
        ASSERT_EQ(prompts.asked.size(), row.box ? 2u : 1u);
        if (row.box) {
            EXPECT_EQ(prompts.lastText(), row.logs);
            EXPECT_EQ(prompts.asked.back().icon, Icon::Warning);
            ASSERT_EQ(kept("verify-read").size(), 1u);
            EXPECT_NE(kept("verify-read")[0].at(0x1A2B), session().image.at(0x1A2B));
        }
    }
    trigger("mnuTransfer_Verify");
    EXPECT_EQ(link::ReadSetting("VerifyAfterWrite"), "0");
}

TEST_F(Safety, ABackupFolderThatCannotBeWrittenFailsNothing) {
    QDir().mkpath(QFileInfo(folder).path());
    std::ofstream(folder.toStdString()) << "a file where the folder should be";
    VirtualRadio radio;
    const CodeplugImage memory = RadioImage(3);
    ASSERT_TRUE(radio.start(memory));
    session().portDevice = radio.device();
    run("mnuTransfer_Read");
    EXPECT_TRUE(log().contains(Tr(1292)));
    EXPECT_TRUE(log().contains("No backup could be kept in " + QDir::toNativeSeparators(folder)));
    // Bank B is not shown, so nothing of it was repaired on the way to the grid.
    EXPECT_TRUE(test::SameRange(session().image, memory, addr::kBankBRecords, 0x2000));
    EXPECT_EQ(prompts.asked.size(), 1u); // only the confirmation
}

TEST_F(Safety, HelpBackupsOpensTheFolderInTheFileManager) {
    UrlCatcher desktop;
    QDesktopServices::setUrlHandler("file", &desktop, "open");
    trigger("mnuHelp_Backups");
    QDesktopServices::unsetUrlHandler("file");
    ASSERT_EQ(desktop.opened.size(), 1);
    EXPECT_EQ(desktop.opened[0], QUrl::fromLocalFile(folder));
    EXPECT_TRUE(QFileInfo(folder).isDir());
    EXPECT_TRUE(prompts.asked.empty());
}

// With R57_SCREENSHOTS naming a folder: the window after a write that did not verify,
// its Edit, Transfer and Help menus and the message, in both languages.
TEST_F(Safety, ScreenshotsInBothLanguages) {
    const QString shots = qEnvironmentVariable("R57_SCREENSHOTS");
    if (shots.isEmpty()) {
        GTEST_SKIP() << "R57_SCREENSHOTS names no folder";
    }
    QDir().mkpath(shots);
    auto shot = [&](QWidget* w, const QString& name) {
        EXPECT_TRUE(w->grab().save(QDir(shots).filePath(name + ".png"))) << name.toStdString();
    };
    loadChannels({1, 2, 3, 5});
    window->applyWindowChange([] {});
    window->resize(1200, 760);
    setVerifyAfterWriteForShots();
    for (int language : {kEnglish, kChinese}) {
        const QString suffix = language == kEnglish ? "en" : "zh";
        window->switchLanguage(language);
        VirtualRadio radio;
        ASSERT_TRUE(radio.start(RadioImage(5), {"--corrupt-write", "0x1A2B"}));
        session().portDevice = radio.device();
        session().updateRadioTime = false;
        run("mnuTransfer_Write");
        QCoreApplication::processEvents();
        shot(window.get(), "safety-main-" + suffix);
        for (const char* menu : {"mnuEdit", "mnuTransfer", "mnuHelp"}) {
            auto* m = find<QMenu>(menu);
            m->popup(window->mapToGlobal(QPoint(40, 40)));
            QCoreApplication::processEvents();
            shot(m, QString("safety-%1-%2").arg(QString(menu).mid(3).toLower(), suffix));
            m->close();
        }
        QMessageBox box(QMessageBox::Warning, "R57", prompts.lastText(), QMessageBox::Ok,
                        window.get());
        box.show();
        QCoreApplication::processEvents();
        shot(&box, "safety-verify-" + suffix);
    }
}

} // namespace
} // namespace r57::ui::testing

#include "main_window_verify_test.moc"
