// The main window after start-up, its language, and the switches of the Setup and
// View menus, the model buttons and the status bar.
#include "main_window_fixture.h"

#include "core/address_map.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QStatusBar>
#include <QTabWidget>
#include <QTableWidget>
#include <QToolBar>

namespace r57::ui::testing {
namespace {

using StartUp = MainWindowTest;

TEST_F(StartUp, TitleCaptionsAndCleanState) {
    EXPECT_EQ(window->objectName(), "frmMain");
    EXPECT_EQ(window->windowTitle(), "R57 [File Name: Untitled] V1.10");
    EXPECT_FALSE(session().hasUnsavedChanges());
    EXPECT_EQ(session().language, kEnglish);
    EXPECT_EQ(item("mnuFile")->text(), "&File");
    EXPECT_EQ(item("mnuTransfer_Read")->text(), Tr(1021));
    EXPECT_EQ(item("mnuSet_Lan")->text(), Tr(1312));
    EXPECT_EQ(find<QMenu>("mnuSet_Lan")->title(), Tr(1312));
    EXPECT_TRUE(item("mnuSet_LanE")->isChecked());
    EXPECT_FALSE(item("mnuSet_LanC")->isChecked());
    EXPECT_TRUE(item("mnuSet_SingleClick")->isChecked());
    EXPECT_TRUE(item("mnuView_Buttons")->isChecked());
    EXPECT_TRUE(item("mnuView_Status")->isChecked());
    // New defaults put 0x17 at 0x0831: bit 4 set, so Manual is ticked.
    EXPECT_TRUE(item("mnuSet_Manual")->isChecked());
    EXPECT_FALSE(item("mnuEdit_Paste")->isEnabled());
    EXPECT_FALSE(find<QToolButton>("tlbActions_Paste")->isEnabled());
    EXPECT_TRUE(find<QCheckBox>("Check1")->isChecked());
    EXPECT_EQ(find<QCheckBox>("Check1")->text(), "Update the Radio system time");
    EXPECT_EQ(find<QLabel>("LblModel")->text(), Tr(1056));
    EXPECT_EQ(find<QRadioButton>("OptModel_0")->text(), "SIMPLE");
    EXPECT_EQ(find<QRadioButton>("OptModel_1")->text(), "DTMF");
    EXPECT_EQ(find<QRadioButton>("OptModel_2")->text(), "2Tone/5Tone");
    EXPECT_TRUE(find<QRadioButton>("OptModel_0")->isChecked());
    EXPECT_EQ(find<QTabWidget>("SSTab1")->count(), 2);
    EXPECT_NE(find<QTableWidget>("ChannelGrid"), nullptr);
    EXPECT_NE(find<QTableWidget>("ChannelGridB"), nullptr);
    EXPECT_FALSE(find<QLabel>("staDateTime_Date")->text().isEmpty());
    EXPECT_FALSE(find<QLabel>("staDateTime_Time")->text().isEmpty());
    EXPECT_TRUE(find<QLabel>("staDateTime_ComStatus")->text().isEmpty());
    const char* captions[] = {"CH-Up", "CH-Down", "Insert", "Delete", "Clear"};
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(find<QPushButton>(QString("CmdButtons_%1").arg(i))->text(), captions[i]);
    }
}

TEST_F(StartUp, HiddenAndShownMenuItems) {
    struct Case {
        const char* name;
        bool visible;
    } cases[] = {
        {"mnuModel", false},
        {"mnuEdit_Insert", false},
        {"mnuProgram_Debug", false},
        {"mnuProgram_Deviation", false},
        {"mnuProgram_KeyAssign", false},
        {"mnuProgram_OptFeatures", false},
        {"mnuProgram_Advanced", false},
        {"mnuEdit", true},
        {"mnuEdit_Delete", true},
        {"mnuProgram_OPSign", true},
        {"mnuProgram_ANI", true},
        {"mnuSet_COM", true},
        {"mnuView_Columns", true},
        {"mnuHelp_About", true},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(item(c.name)->isVisible(), c.visible) << c.name;
    }
    // Edit: Undo, Redo and a separator above Copy, Paste, a hidden separator, Cut,
    // Clear, Delete, Insert; a separator, Sort Channels...; a separator, Find, Find Next,
    // Find Previous.
    QList<QAction*> edit = find<QMenu>("mnuEdit")->actions();
    ASSERT_EQ(edit.size(), 16);
    EXPECT_EQ(edit[0]->objectName(), "mnuEdit_Undo");
    EXPECT_TRUE(edit[2]->isSeparator());
    EXPECT_EQ(edit[3]->objectName(), "mnuEdit_Copy");
    EXPECT_TRUE(edit[5]->isSeparator());
    EXPECT_FALSE(edit[5]->isVisible());
    // File: New, Open, Save, Save As, Recent Files, a separator, Import, Export, Import
    // Channels, Export Channels, a separator, Print, Print Preview, Export PDF, a
    // separator, Compare With File..., a separator, Exit.
    QList<QAction*> file = find<QMenu>("mnuFile")->actions();
    ASSERT_EQ(file.size(), 18);
    EXPECT_EQ(file[4]->objectName(), "mnuFile_Recent");
    EXPECT_TRUE(file[5]->isSeparator());
    EXPECT_TRUE(file[5]->isVisible());
    EXPECT_EQ(file[6]->objectName(), "mnuFile_Import");
    EXPECT_TRUE(file[10]->isSeparator());
    EXPECT_EQ(file[11]->objectName(), "mnuFile_Print");
    EXPECT_EQ(file[11]->shortcut(), QKeySequence("Ctrl+P"));
    EXPECT_EQ(file[13]->objectName(), "mnuFile_ExportPdf");
    EXPECT_TRUE(file[14]->isSeparator());
    EXPECT_EQ(file[15]->objectName(), "mnuFile_Compare");
    EXPECT_EQ(file[17]->objectName(), "mnuFile_Exit");
}

TEST_F(StartUp, ToolbarKeysTooltipsAndIcons) {
    struct Key {
        const char* key;
        int tooltip;
    } keys[] = {{"New", 1062},   {"Open", 1063},   {"Save", 1064},     {"Copy", 1323},
                {"Paste", 1324}, {"Clear", 1325},  {"Read", 1066},     {"Write", 1067},
                {"About", 1068}, {"MoveUp", 1340}, {"MoveDown", 1341}, {"Insert", 1342},
                {"Delete", 1343}};
    ASSERT_NE(find<QToolBar>("tlbActions"), nullptr);
    for (const Key& k : keys) {
        auto* button = find<QToolButton>(QString("tlbActions_") + k.key);
        ASSERT_NE(button, nullptr) << k.key;
        EXPECT_EQ(button->toolTip(), Tr(k.tooltip)) << k.key;
        EXPECT_FALSE(button->icon().isNull()) << k.key;
    }
}

TEST_F(StartUp, ExitRightAfterStartAsksNothingAndStoresTheLanguage) {
    link::WriteSetting("Language", "");
    trigger("mnuFile_Exit");
    EXPECT_TRUE(prompts.asked.empty());
    EXPECT_FALSE(window->isVisible());
    EXPECT_EQ(link::ReadSetting("language"), "0");
}

TEST_F(StartUp, StoredLanguageOneStartsInChinese) {
    link::WriteSetting("Language", "1");
    open();
    EXPECT_EQ(session().language, kChinese);
    EXPECT_TRUE(item("mnuSet_LanC")->isChecked());
    EXPECT_FALSE(item("mnuSet_LanE")->isChecked());
    EXPECT_EQ(item("mnuFile")->text(), Tr(1001, kChinese));
    EXPECT_EQ(find<QCheckBox>("Check1")->text(), QString::fromUtf8("更新对讲机时间"));
    auto* tones = find<QComboBox>("cboQtDqt");
    ASSERT_NE(tones, nullptr);
    ASSERT_GT(tones->count(), 0);
    EXPECT_EQ(tones->itemText(0), QString::fromUtf8("无"));
    EXPECT_EQ(window->windowTitle(), "R57 [File Name: Untitled] V1.10");
    EXPECT_FALSE(session().hasUnsavedChanges());
}

TEST_F(StartUp, UnknownStoredLanguageFallsBackToEnglish) {
    link::WriteSetting("Language", "7");
    open();
    EXPECT_EQ(session().language, kEnglish);
    EXPECT_EQ(item("mnuFile")->text(), "&File");
}

// Every text the user can see, in one list, to compare states of the window.
QStringList VisibleTexts(MainWindow& window) {
    QStringList texts;
    for (QAction* action : window.findChildren<QAction*>()) {
        texts << action->objectName() + "=" + action->text() + "|" + action->toolTip() +
                     (action->isChecked() ? "*" : "");
    }
    for (QAbstractButton* button : window.findChildren<QAbstractButton*>()) {
        texts << button->objectName() + "=" + button->text();
    }
    for (QLabel* label : window.findChildren<QLabel*>()) {
        if (!label->objectName().startsWith("staDateTime_")) {
            texts << label->objectName() + "=" + label->text();
        }
    }
    for (QComboBox* box : window.findChildren<QComboBox*>()) {
        for (int i = 0; i < box->count(); ++i) {
            texts << box->objectName() + "=" + box->itemText(i);
        }
    }
    for (QTableWidget* table : window.findChildren<QTableWidget*>()) {
        for (int c = 0; c < table->columnCount(); ++c) {
            if (auto* header = table->horizontalHeaderItem(c)) {
                texts << header->text();
            }
            for (int r = 0; r < table->rowCount(); ++r) {
                if (auto* cell = table->item(r, c)) {
                    texts << cell->text();
                }
            }
        }
    }
    texts << window.windowTitle();
    return texts;
}

TEST_F(StartUp, SwitchingLanguageTwiceRestoresEveryTextAndKeepsTheImage) {
    loadChannels({1, 2, 5});
    session().takeSavedCopy();
    grid()->setCursor(5, 3);
    // The channels put in above become an undo step first: Undo names it, in either
    // language.
    trigger("mnuSet_LanE");
    const QStringList english = VisibleTexts(*window);
    const CodeplugImage image = session().image;

    trigger("mnuSet_LanC");
    EXPECT_EQ(session().language, kChinese);
    EXPECT_TRUE(item("mnuSet_LanC")->isChecked());
    EXPECT_FALSE(item("mnuSet_LanE")->isChecked());
    EXPECT_EQ(item("mnuEdit_Copy")->text(), Tr(1323, kChinese));
    EXPECT_EQ(find<QToolButton>("tlbActions_Read")->toolTip(), Tr(1066, kChinese));
    EXPECT_EQ(find<QPushButton>("CmdButtons_4")->text(), Tr(1344, kChinese));
    EXPECT_EQ(find<QRadioButton>("OptModel_2")->text(), Tr(1358, kChinese));
    EXPECT_EQ(find<QRadioButton>("OptModel_1")->text(), "DTMF");
    // The grid's power cell of channel 1 is now in Chinese.
    EXPECT_EQ(grid()->cellText(1, kColPower), Tr(1108, kChinese));
    EXPECT_NE(VisibleTexts(*window), english);
    EXPECT_EQ(grid()->cursorRow(), 5);

    trigger("mnuSet_LanE");
    EXPECT_EQ(VisibleTexts(*window), english);
    EXPECT_TRUE(session().image == image);
    EXPECT_FALSE(session().hasUnsavedChanges());
}

TEST_F(StartUp, TraceModeTogglesWithShiftCtrlRightClickOnTheStatusBar) {
    auto* bar = find<QStatusBar>("staDateTime");
    auto* panel = find<QLabel>("staDateTime_ComStatus");
    QTest::mouseClick(bar, Qt::RightButton); // no modifiers: nothing
    EXPECT_FALSE(session().traceMode);
    QTest::mouseClick(bar, Qt::RightButton, Qt::ShiftModifier); // Shift alone: nothing
    EXPECT_FALSE(session().traceMode);

    QTest::mouseClick(bar, Qt::RightButton, Qt::ShiftModifier | Qt::ControlModifier);
    EXPECT_TRUE(session().traceMode);
    EXPECT_EQ(panel->text(), "Debug");
    QTest::mouseClick(panel, Qt::RightButton, Qt::ShiftModifier | Qt::ControlModifier);
    EXPECT_FALSE(session().traceMode);
    EXPECT_EQ(panel->text(), "");
}

TEST_F(StartUp, ModelButtonsCheckBoxAndSetupSwitchesDriveTheSession) {
    QTest::mouseClick(find<QRadioButton>("OptModel_2"), Qt::LeftButton);
    EXPECT_EQ(session().modelCode, '2');
    QTest::mouseClick(find<QRadioButton>("OptModel_1"), Qt::LeftButton);
    EXPECT_EQ(session().modelCode, '1');

    QTest::mouseClick(find<QCheckBox>("Check1"), Qt::LeftButton);
    EXPECT_FALSE(session().updateRadioTime);
    QTest::mouseClick(find<QCheckBox>("Check1"), Qt::LeftButton);
    EXPECT_TRUE(session().updateRadioTime);

    trigger("mnuSet_SingleClick");
    EXPECT_FALSE(session().singleClickEditing);
    trigger("mnuSet_SingleClick");
    EXPECT_TRUE(session().singleClickEditing);

    const uint8_t before = session().image.at(addr::kManualByte);
    trigger("mnuSet_Manual");
    EXPECT_FALSE(item("mnuSet_Manual")->isChecked());
    EXPECT_EQ(session().image.at(addr::kManualByte), before & ~addr::kManualBit);
    trigger("mnuSet_Manual");
    EXPECT_TRUE(item("mnuSet_Manual")->isChecked());
    EXPECT_EQ(session().image.at(addr::kManualByte), before);
}

TEST_F(StartUp, RefreshFollowsModelCodeAndManualBit) {
    struct Case {
        char code;
        const char* button;
        uint8_t manualByte;
        bool ticked;
    } cases[] = {{'1', "OptModel_1", 0x10, true},
                 {'2', "OptModel_2", 0x00, false},
                 {'7', "OptModel_0", 0xEF, false},
                 {'0', "OptModel_0", 0xFF, true}};
    for (const Case& c : cases) {
        session().modelCode = c.code;
        session().image.set(addr::kManualByte, c.manualByte);
        window->refreshShownBank();
        EXPECT_TRUE(find<QRadioButton>(c.button)->isChecked()) << c.code;
        EXPECT_EQ(item("mnuSet_Manual")->isChecked(), c.ticked) << int(c.manualByte);
        EXPECT_EQ(session().modelCode, c.code); // showing does not change the code
    }
}

TEST_F(StartUp, ViewMenuShowsAndHidesTheButtonAndStatusAreas) {
    QWidget* buttons = find<QWidget>("PicButtons");
    QWidget* status = find<QWidget>("PicStatus");
    QWidget* tabs = find<QWidget>("SSTab1");
    const QSize before = tabs->size();
    trigger("mnuView_Buttons");
    trigger("mnuView_Status");
    QCoreApplication::processEvents();
    EXPECT_FALSE(buttons->isVisible());
    EXPECT_FALSE(status->isVisible());
    EXPECT_GT(tabs->width(), before.width());
    EXPECT_GT(tabs->height(), before.height());
    trigger("mnuView_Buttons");
    trigger("mnuView_Status");
    QCoreApplication::processEvents();
    EXPECT_TRUE(buttons->isVisible());
    EXPECT_TRUE(status->isVisible());
}

TEST_F(StartUp, SubWindowCommandsCommitFirstThenReachTheirOpener) {
    std::vector<SubWindow> opened;
    for (SubWindow w : {SubWindow::About, SubWindow::OptionalFeatures, SubWindow::Radio,
                        SubWindow::EmbeddedMessage, SubWindow::VisibleColumns,
                        SubWindow::AlternatePanel, SubWindow::MemoryMap}) {
        window->setWindowOpener(w, [this, w, &opened] {
            EXPECT_FALSE(grid()->editorOpen());
            opened.push_back(w);
        });
    }
    grid()->setCursor(1, 1);
    grid()->setFocus();
    QTest::keyClicks(grid(), "4");
    ASSERT_TRUE(grid()->editorOpen());
    trigger("mnuHelp_About");
    clickTool("About");
    trigger("mnuProgram_OPSign");
    trigger("mnuProgram_ANI");
    trigger("mnuProgram_EmbMsg");
    trigger("mnuView_Columns");
    trigger("mnuSet_GUI");
    const std::vector<SubWindow> menus = {
        SubWindow::About,         SubWindow::About,           SubWindow::OptionalFeatures,
        SubWindow::Radio,         SubWindow::EmbeddedMessage, SubWindow::VisibleColumns,
        SubWindow::AlternatePanel};
    EXPECT_EQ(opened, menus);

    // The memory map: a right release with Shift, Ctrl and Alt over the toolbar only.
    opened.clear();
    auto* toolbar = find<QToolBar>("tlbActions");
    QTest::mouseRelease(toolbar, Qt::RightButton, Qt::ShiftModifier | Qt::ControlModifier);
    EXPECT_TRUE(opened.empty());
    QTest::mouseRelease(toolbar, Qt::RightButton,
                        Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier);
    EXPECT_EQ(opened, std::vector<SubWindow>{SubWindow::MemoryMap});
}

TEST_F(StartUp, HelpWithoutTheHelpFileSaysSo) {
    QTemporaryDir empty;
    open(empty.path());
    QTest::keyClick(window.get(), Qt::Key_F1);
    ASSERT_EQ(prompts.asked.size(), 1u);
    EXPECT_EQ(prompts.asked[0].title, "R57");
    EXPECT_TRUE(prompts.asked[0].text.contains("R57Help_e.chm"));
}

} // namespace
} // namespace r57::ui::testing
