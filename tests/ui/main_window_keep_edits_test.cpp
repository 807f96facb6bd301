// Edits that must never be lost or land where the dealer cannot find them: the
// alternate panel's typed value reached through the menus, another window or the bank
// tab; a read that brings nothing; a read-only file; a name with a dot.
#include "main_window_fixture.h"

#include "common/child_process.h"
#include "common/radio_process.h"
#include "core/data_file.h"
#include "ui/main/alternate_panel.h"

#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QTabBar>
#include <QTabWidget>

#include <functional>

#include <sys/stat.h>

namespace r57::ui::testing {
namespace {

using test::VirtualRadio;

class KeepEdits : public MainWindowTest {
protected:
    void SetUp() override {
        MainWindowTest::SetUp();
        window->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
        loadChannels({1, 2, 3});
        prompts.files = {QString::fromStdString(file)};
        trigger("mnuFile_SaveAs"); // the codeplug as a file of its own
        ASSERT_FALSE(session().hasUnsavedChanges());
    }

    // Opens `path` of menus from the menu bar with the mouse and clicks its last item.
    void choose(std::initializer_list<const char*> path) {
        QMenuBar* bar = window->menuBar();
        QWidget* from = bar;
        QRect where;
        for (const char* name : path) {
            QAction* action = window->findChild<QAction*>(name);
            if (!action) {
                action = find<QMenu>(name)->menuAction();
            }
            ASSERT_NE(action, nullptr) << name;
            where = from == bar ? bar->actionGeometry(action)
                                : static_cast<QMenu*>(from)->actionGeometry(action);
            QTest::mouseClick(from, Qt::LeftButton, {}, where.center());
            if (QMenu* sub = action->menu()) {
                ASSERT_TRUE(WaitFor([sub] { return sub->isVisible(); }, 3000)) << name;
                from = sub;
            }
        }
        backToWindow();
    }
    // The desktop gives the main window back the keyboard once its menus have closed
    // (the offscreen platform leaves a closed menu the active window).
    void backToWindow() {
        ASSERT_TRUE(WaitFor([] { return QApplication::activePopupWidget() == nullptr; }, 3000));
        QTest::qWait(20); // the closed menus' own window events
        if (!QApplication::activeModalWidget() && QApplication::activeWindow() != window.get()) {
            window->activateWindow();
            ASSERT_TRUE(
                WaitFor([this] { return QApplication::activeWindow() == window.get(); }, 3000));
        }
    }
    // A menu opened with the mouse, looked at and closed with Escape.
    void glance(const char* menuName) {
        QMenuBar* bar = window->menuBar();
        QMenu* menu = find<QMenu>(menuName);
        QTest::mouseClick(bar, Qt::LeftButton, {},
                          bar->actionGeometry(menu->menuAction()).center());
        ASSERT_TRUE(WaitFor([menu] { return menu->isVisible(); }, 3000));
        QTest::keyClick(menu, Qt::Key_Escape);
        backToWindow();
    }
    // Another program's window comes to the front, then the dealer comes back.
    void awayAndBack() {
        QWidget other;
        other.resize(200, 100);
        other.show();
        other.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&other));
        window->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    }
    // Ctrl+S to whatever has the keyboard.
    void ctrlS() {
        QWidget* focused = QApplication::focusWidget();
        QTest::keyClick(focused ? focused : window.get(), Qt::Key_S, Qt::ControlModifier);
    }
    // Types into the panel's receive frequency of A3 and leaves it pending.
    void typeRx(const QString& text) {
        QLineEdit* rx = find<QLineEdit>("TxtRxFreqGUI");
        rx->setFocus();
        ASSERT_TRUE(WaitFor([rx] { return rx->hasFocus(); }, 2000));
        rx->selectAll();
        QTest::keyClicks(rx, text);
        ASSERT_EQ(window->alternatePanel()->pendingField(), "Rx");
    }
    void openPanelOn(int row) {
        grid()->setCursor(row, kColRx);
        choose({"mnuSet", "mnuSet_GUI"});
        ASSERT_TRUE(find<QWidget>("PicGUI")->isVisible());
    }
    static std::string RxOf(const CodeplugImage& image, int bank, int channel) {
        return FrequencyTextFromBytes(Record(image, bank, channel).data());
    }
    std::string savedRx(int channel) {
        const LoadedFile saved = ReadDataFile(file);
        EXPECT_TRUE(saved.status.ok);
        return RxOf(saved.image, kBankA, channel);
    }

    test::TempFolder folder;
    const std::string file = folder.file("site1.dat");
};

// However the focus moved between the typing and the command, the command takes what
// the panel shows: into the file, the radio, the image, or as a question at exit.
TEST_F(KeepEdits, APanelValueReachedThroughMenusOrAnotherWindowIsTaken) {
    openPanelOn(3);
    struct Way {
        const char* what;
        const char* typed;
        std::function<void()> command;
        std::function<void(const char*)> check;
    };
    const std::vector<Way> ways = {
        {"a look at the Help menu, then File > Save with the mouse", "145.6",
         [&] {
             glance("mnuHelp");
             choose({"mnuFile", "mnuFile_Save"});
         },
         [&](const char* rx) {
             EXPECT_EQ(savedRx(3), rx);
             EXPECT_FALSE(session().hasUnsavedChanges());
         }},
        {"another window, back, Ctrl+S", "146.2",
         [&] {
             awayAndBack();
             ctrlS();
         },
         [&](const char* rx) {
             EXPECT_EQ(savedRx(3), rx);
         }},
        {"a look at the View menu, then Setup > Language > Chinese", "147.3",
         [&] {
             glance("mnuView");
             choose({"mnuSet", "mnuSet_Lan", "mnuSet_LanC"});
         },
         [&](const char* rx) {
             EXPECT_EQ(RxOf(session().image, kBankA, 3), rx);
             EXPECT_TRUE(session().hasUnsavedChanges());
             window->switchLanguage(kEnglish);
         }},
        {"another window, back, the close box", "148.4",
         [&] {
             awayAndBack();
             prompts.answers = {Answer::Cancel};
             window->close();
         },
         [&](const char* rx) {
             EXPECT_EQ(prompts.lastText(), Tr(1313));
             EXPECT_TRUE(window->isVisible());
             EXPECT_EQ(RxOf(session().image, kBankA, 3), rx);
         }},
    };
    for (const Way& way : ways) {
        SCOPED_TRACE(way.what);
        typeRx(way.typed);
        prompts.asked.clear();
        way.command();
        QCoreApplication::processEvents();
        EXPECT_EQ(window->alternatePanel()->pendingField(), "");
        way.check((std::string(way.typed) + "0000").substr(0, 9).c_str());
        EXPECT_EQ(find<QLineEdit>("TxtRxFreqGUI")->text().toStdString(),
                  RxOf(session().image, kBankA, 3));
    }
}

TEST_F(KeepEdits, WriteToRadioThroughTheMenuSendsThePanelsValue) {
    if (!VirtualRadio::Built()) {
        GTEST_SKIP() << "r57-radio is not built";
    }
    VirtualRadio radio;
    ASSERT_TRUE(radio.start({"--exit-after-sessions", "2"}));
    session().portDevice = radio.device();
    session().updateRadioTime = false;
    openPanelOn(3);
    typeRx("151.25");
    awayAndBack();
    prompts.answers = {Answer::Ok};
    choose({"mnuTransfer", "mnuTransfer_Write"});
    ASSERT_TRUE(WaitFor([this] { return window->cloneWindow() == nullptr; }, 60000));
    ASSERT_EQ(radio.waitForExit(10000), 0);
    const LoadedFile inRadio = ReadDataFile(radio.savedMemoryPath());
    ASSERT_TRUE(inRadio.status.ok);
    EXPECT_EQ(RxOf(inRadio.image, kBankA, 3), "151.25000");
}

// Clicking the other bank's tab takes the panel's pending value first.
TEST_F(KeepEdits, TheTabClickTakesThePanelsPendingValue) {
    openPanelOn(3);
    typeRx("149.5");
    QTabBar* tabs = find<QTabWidget>("SSTab1")->tabBar();
    QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->tabRect(1).center());
    ASSERT_EQ(session().currentBank, kBankB);
    EXPECT_EQ(RxOf(session().image, kBankA, 3), "149.50000");
    EXPECT_EQ(grid(kBankA)->cellText(3, kColRx), "149.50000");
    choose({"mnuFile", "mnuFile_Save"});
    EXPECT_EQ(savedRx(3), "149.50000");
}

// A read whose radio never answers stores nothing and saves nothing: the edits made
// before it are still unsaved. After a read that stored data, undo back to before the
// read brings the unsaved mark back with the edits.
TEST_F(KeepEdits, AReadThatBringsNothingOrIsUndoneLeavesTheEditsUnsaved) {
    if (!VirtualRadio::Built()) {
        GTEST_SKIP() << "r57-radio is not built";
    }
    loadChannels({9}); // the dealer's edit, not saved
    window->applyWindowChange([] {});
    const CodeplugImage mine = session().image;
    ASSERT_TRUE(session().hasUnsavedChanges());
    {
        VirtualRadio silent;
        ASSERT_TRUE(silent.start({"--silent-after", "0"}));
        session().portDevice = silent.device();
        prompts.answers = {Answer::Ok, Answer::Cancel}; // read; "Retry or Cancel?"
        choose({"mnuTransfer", "mnuTransfer_Read"});
        ASSERT_TRUE(WaitFor([this] { return window->cloneWindow() == nullptr; }, 60000));
    }
    EXPECT_EQ(prompts.lastText(), Tr(1291));
    EXPECT_TRUE(session().image == mine);
    EXPECT_TRUE(session().hasUnsavedChanges());
    prompts.answers = {Answer::Cancel};
    window->close();
    EXPECT_EQ(prompts.lastText(), Tr(1313));
    ASSERT_TRUE(window->isVisible());

    VirtualRadio radio;
    ASSERT_TRUE(radio.start({"--model", "2"}));
    session().portDevice = radio.device();
    prompts.answers = {Answer::Ok};
    choose({"mnuTransfer", "mnuTransfer_Read"});
    ASSERT_TRUE(WaitFor([this] { return window->cloneWindow() == nullptr; }, 60000));
    ASSERT_TRUE(session().image != mine);
    EXPECT_TRUE(session().hasUnsavedChanges()); // the radio's data
    choose({"mnuEdit", "mnuEdit_Undo"});
    EXPECT_TRUE(session().image == mine);
    EXPECT_TRUE(session().hasUnsavedChanges()); // the edits of before the read
    choose({"mnuEdit", "mnuEdit_Redo"});
    EXPECT_TRUE(session().hasUnsavedChanges());
    choose({"mnuFile", "mnuFile_Save"});
    EXPECT_FALSE(session().hasUnsavedChanges());
}

// A master copy without write bits is not replaced, by Save nor by Save As; file,
// title and unsaved state stay as they were. A name with a dot still gets ".dat".
TEST_F(KeepEdits, AReadOnlyFileIsRefusedAndANameWithADotGetsTheDataSuffix) {
    const std::string other = folder.file("master.dat");
    ASSERT_TRUE(WriteDataFile(other, session().image));
    ASSERT_EQ(::chmod(other.c_str(), 0444), 0);
    ASSERT_EQ(::chmod(file.c_str(), 0444), 0);
    const std::vector<uint8_t> before = *ReadWholeFile(file);
    loadChannels({12});
    const QString title = window->windowTitle();
    for (const bool saveAs : {false, true}) {
        const std::string target = saveAs ? other : file;
        prompts.asked.clear();
        if (saveAs) {
            prompts.files = {QString::fromStdString(other)};
            choose({"mnuFile", "mnuFile_SaveAs"});
        } else {
            ctrlS();
        }
        ASSERT_EQ(prompts.asked.size(), 1u) << saveAs;
        EXPECT_TRUE(prompts.lastText().contains("Permission denied"));
        EXPECT_TRUE(prompts.lastText().contains(QString::fromStdString(target)));
        EXPECT_EQ(window->windowTitle(), title);
        EXPECT_TRUE(session().hasUnsavedChanges());
    }
    EXPECT_EQ(*ReadWholeFile(file), before);

    // "St. Marys" is saved as "St. Marys.dat"; that name taken already asks first.
    const std::string dotted = folder.file("St. Marys");
    const struct {
        Answer answer;
        bool written;
    } saves[] = {{Answer::Yes, true}, {Answer::No, false}, {Answer::Yes, true}};
    for (const auto& s : saves) {
        loadChannels({static_cast<int>(20 + (&s - saves))});
        prompts.asked.clear();
        prompts.files = {QString::fromStdString(dotted)};
        prompts.answers = {s.answer};
        choose({"mnuFile", "mnuFile_SaveAs"});
        EXPECT_FALSE(test::FileExists(dotted));
        ASSERT_TRUE(test::FileExists(dotted + ".dat"));
        EXPECT_EQ(!session().hasUnsavedChanges(), s.written) << &s - saves;
        if (&s != saves) {
            EXPECT_EQ(prompts.asked.at(0).buttons, Buttons::YesNo);
            EXPECT_TRUE(prompts.asked.at(0).text.contains("St. Marys.dat"));
        }
    }
    EXPECT_TRUE(window->windowTitle().contains("[File Name: St. Marys.dat]"));
    EXPECT_TRUE(ReadDataFile(dotted + ".dat").image == session().image);
}

} // namespace
} // namespace r57::ui::testing
