// The File commands through the window: New, Open, Save, Save As and closing, with
// every answer to their questions.
#include "main_window_fixture.h"

#include "core/data_file.h"

#include <QFile>
#include <QLineEdit>

namespace r57::ui::testing {
namespace {

class Files : public MainWindowTest {
protected:
    QString path(const QString& name) const { return dir.filePath(name); }

    // A data file holding channel A1 named "SAVED".
    QString savedFile() {
        CodeplugImage image = session().image;
        PutChannel(image, kBankA, 1, "440.12500", nullptr, "SAVED");
        QString file = path("saved.dat");
        EXPECT_TRUE(WriteDataFile(file.toStdString(), image).ok);
        return file;
    }

    void makeChange() {
        loadChannels({3});
        ASSERT_TRUE(session().hasUnsavedChanges());
    }

    QTemporaryDir dir;
};

TEST_F(Files, NewAsksAndCancelKeepsEverything) {
    makeChange();
    const CodeplugImage before = session().image;
    prompts.answers = {Answer::Cancel};
    trigger("mnuFile_New");
    ASSERT_EQ(prompts.asked.size(), 1u);
    const AskedMessage& asked = prompts.asked[0];
    EXPECT_EQ(asked.title, "alert");
    EXPECT_EQ(asked.text, Tr(1201));
    EXPECT_EQ(asked.icon, Icon::Warning);
    EXPECT_EQ(asked.buttons, Buttons::OkCancel);
    EXPECT_EQ(asked.defaultButton, Answer::Cancel);
    EXPECT_TRUE(session().image == before);
    EXPECT_FALSE(grid()->cellText(3, kColRx).isEmpty());
}

TEST_F(Files, NewWithOkClearsGridsTitleAndPaste) {
    QString file = savedFile();
    prompts.files = {file};
    trigger("mnuFile_Open");
    grid()->setCursor(1, 1);
    trigger("mnuEdit_Copy");
    ASSERT_TRUE(item("mnuEdit_Paste")->isEnabled());
    session().modelCode = '2';
    window->refreshShownBank();

    prompts.answers = {Answer::Ok};
    clickTool("New");
    EXPECT_FALSE(session().hasUnsavedChanges());
    EXPECT_TRUE(grid()->cellText(1, kColRx).isEmpty());
    EXPECT_EQ(Record(session().image, kBankA, 1), EmptyRecord());
    EXPECT_EQ(window->windowTitle(), "R57 [File Name: Untitled] V1.10");
    EXPECT_FALSE(item("mnuEdit_Paste")->isEnabled());
    EXPECT_FALSE(find<QToolButton>("tlbActions_Paste")->isEnabled());
    EXPECT_EQ(session().modelCode, '0');
    EXPECT_TRUE(find<QWidget>("OptModel_0")->property("checked").toBool());
    // No save question was asked for the file's content.
    EXPECT_EQ(prompts.asked.size(), 1u);
}

TEST_F(Files, OpenLoadsTheFileAndNamesItInTheTitle) {
    QString file = savedFile();
    grid()->setCursor(1, 1);
    trigger("mnuEdit_Copy"); // nothing to copy yet: Paste stays disabled
    EXPECT_FALSE(item("mnuEdit_Paste")->isEnabled());
    prompts.files = {file};
    clickTool("Open");
    EXPECT_EQ(prompts.fileDialogs, QStringList{"open:"});
    EXPECT_TRUE(prompts.asked.empty());
    EXPECT_EQ(window->windowTitle(), "R57 [File Name: saved.dat] V1.10");
    EXPECT_EQ(grid()->cellText(1, kColRx), "440.12500");
    EXPECT_EQ(grid()->cellText(1, kColName).trimmed(), "SAVED");
    EXPECT_FALSE(session().hasUnsavedChanges());
    EXPECT_EQ(session().currentFileName, file.toStdString());
}

TEST_F(Files, OpenRefusesAWrongFileAndKeepsEverything) {
    QFile bad(path("bad.dat"));
    ASSERT_TRUE(bad.open(QIODevice::WriteOnly));
    bad.write("this is no codeplug");
    bad.close();
    makeChange();
    const CodeplugImage before = session().image;
    prompts.answers = {Answer::No};
    prompts.files = {bad.fileName()};
    trigger("mnuFile_Open");
    ASSERT_EQ(prompts.asked.size(), 2u);
    EXPECT_EQ(prompts.asked[1].title, "Error");
    EXPECT_EQ(prompts.asked[1].text, Tr(1277));
    EXPECT_EQ(prompts.asked[1].icon, Icon::Critical);
    EXPECT_TRUE(session().image == before);
    EXPECT_TRUE(session().hasUnsavedChanges());
    EXPECT_EQ(window->windowTitle(), "R57 [File Name: Untitled] V1.10");

    // A file that cannot be read ends the command without a word.
    prompts.asked.clear();
    prompts.answers = {Answer::No};
    prompts.files = {path("missing.dat")};
    trigger("mnuFile_Open");
    EXPECT_EQ(prompts.asked.size(), 1u);
    EXPECT_TRUE(session().image == before);
}

TEST_F(Files, OpenWithUnsavedChangesFollowsTheAnswer) {
    const QString file = savedFile();
    struct Case {
        const char* what;
        Answer answer;
        QStringList saveDialogAnswer; // what the save dialog returns, if it is shown
        bool opened;
        bool savedFirst;
    } cases[] = {
        {"Cancel stops", Answer::Cancel, {}, false, false},
        {"No discards", Answer::No, {}, true, false},
        {"Yes saves then opens", Answer::Yes, {"first.dat"}, true, true},
        {"Yes with the save dialog cancelled stops", Answer::Yes, {""}, false, false},
        {"Yes with a failing save stops", Answer::Yes, {"no/such/dir/x.dat"}, false, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        open();
        makeChange();
        const CodeplugImage edited = session().image;
        prompts.answers = {c.answer};
        prompts.files.clear();
        for (const QString& f : c.saveDialogAnswer) {
            prompts.files.push_back(f.isEmpty() ? QString() : path(f));
        }
        prompts.files.push_back(file);
        trigger("mnuFile_Open");
        ASSERT_GE(prompts.asked.size(), 1u);
        EXPECT_EQ(prompts.asked[0].text, Tr(1276));
        EXPECT_EQ(prompts.asked[0].buttons, Buttons::YesNoCancel);
        EXPECT_EQ(prompts.asked[0].icon, Icon::Warning);
        EXPECT_EQ(prompts.asked[0].title, "R57");
        if (c.opened) {
            EXPECT_EQ(grid()->cellText(1, kColRx), "440.12500");
            EXPECT_EQ(session().currentFileName, file.toStdString());
        } else {
            EXPECT_TRUE(session().image == edited);
            EXPECT_FALSE(prompts.fileDialogs.join(",").contains("open:"));
        }
        if (c.savedFirst) {
            auto written = ReadDataFile(path("first.dat").toStdString());
            ASSERT_TRUE(written.status.ok);
            EXPECT_TRUE(written.image == edited);
        }
    }
}

TEST_F(Files, SaveAsksForANameOnceThenWritesInPlace) {
    makeChange();
    const QString file = path("site1.dat");
    prompts.files = {file};
    clickTool("Save");
    EXPECT_EQ(prompts.fileDialogs, QStringList{"save:Untitled.dat"});
    EXPECT_EQ(window->windowTitle(), "R57 [File Name: site1.dat] V1.10");
    EXPECT_FALSE(session().hasUnsavedChanges());
    auto written = ReadDataFile(file.toStdString());
    ASSERT_TRUE(written.status.ok);
    EXPECT_TRUE(written.image == session().image);

    // Unchanged: Save still writes the file, without a dialog.
    QFile::remove(file);
    trigger("mnuFile_Save");
    EXPECT_EQ(prompts.fileDialogs.size(), 1);
    EXPECT_TRUE(QFile::exists(file));

    // Save As always asks, preset with the current file.
    const QString other = path("site2.dat");
    prompts.files = {other};
    trigger("mnuFile_SaveAs");
    EXPECT_EQ(prompts.fileDialogs.last(), "save:" + file);
    EXPECT_EQ(window->windowTitle(), "R57 [File Name: site2.dat] V1.10");
    EXPECT_TRUE(QFile::exists(other));

    // Save As cancelled changes nothing.
    trigger("mnuFile_SaveAs");
    EXPECT_EQ(session().currentFileName, other.toStdString());
}

TEST_F(Files, FailingSaveShowsTheSystemsTextAndKeepsTheChangesUnsaved) {
    makeChange();
    prompts.files = {path("no/such/dir/x.dat")};
    trigger("mnuFile_Save");
    ASSERT_EQ(prompts.asked.size(), 1u);
    EXPECT_EQ(prompts.asked[0].title, "R57");
    EXPECT_EQ(prompts.asked[0].icon, Icon::Warning);
    EXPECT_FALSE(prompts.asked[0].text.isEmpty());
    EXPECT_TRUE(session().hasUnsavedChanges());
    EXPECT_EQ(session().currentFileName, kUntitled);
    EXPECT_EQ(window->windowTitle(), "R57 [File Name: Untitled] V1.10");
}

TEST_F(Files, SaveTakesOverAPendingEditAndTheMovedNames) {
    loadChannels({1, 2});
    // CH-Down moves channel 1 with its name to row 2, in the grid only until saved.
    grid()->setCursor(1, 1);
    clickButton(kMoveDown);
    // A receive frequency typed into row 3 but not yet confirmed.
    grid()->setCursor(3, 1);
    grid()->setFocus();
    QTest::keyClicks(grid(), "1");
    auto* editor = find<QLineEdit>("txtMemChannel");
    ASSERT_TRUE(grid()->editorOpen());
    editor->setText("145.00000");

    prompts.files = {path("names.dat")};
    clickTool("Save");
    EXPECT_FALSE(grid()->editorOpen());
    auto written = ReadDataFile(path("names.dat").toStdString());
    ASSERT_TRUE(written.status.ok);
    EXPECT_EQ(ReadChannelName(written.image, NameSlot(kBankA, 1)), "CH2    ");
    EXPECT_EQ(ReadChannelName(written.image, NameSlot(kBankA, 2)), "CH1    ");
    EXPECT_EQ(FrequencyTextFromBytes(&Record(written.image, kBankA, 3)[0]), "145.00000");
}

TEST_F(Files, ClosingWithUnsavedChangesFollowsTheAnswer) {
    struct Case {
        const char* what;
        Answer answer;
        QString saveTo; // the save dialog's answer when asked
        bool closes;
        bool written;
    } cases[] = {
        {"Cancel keeps the window", Answer::Cancel, "", false, false},
        {"No closes without saving", Answer::No, "", true, false},
        {"Yes saves and closes", Answer::Yes, "exit.dat", true, true},
        {"Yes with the dialog cancelled keeps the window", Answer::Yes, "", false, false},
        {"Yes with a failing save keeps the window", Answer::Yes, "no/such/dir/exit.dat", false,
         false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        QFile::remove(path("exit.dat"));
        open();
        makeChange();
        prompts.answers = {c.answer};
        prompts.files = {c.saveTo.isEmpty() ? QString() : path(c.saveTo)};
        trigger("mnuFile_Exit");
        ASSERT_GE(prompts.asked.size(), 1u);
        EXPECT_EQ(prompts.asked[0].text, Tr(1313));
        EXPECT_EQ(prompts.asked[0].buttons, Buttons::YesNoCancel);
        EXPECT_EQ(window->isVisible(), !c.closes);
        EXPECT_EQ(QFile::exists(path("exit.dat")), c.written);
    }
}

} // namespace
} // namespace r57::ui::testing
