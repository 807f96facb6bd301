// The main window as a dealer handles it: the wheel, the focus after the channel
// buttons, the channel keys following their menu items, the usual shortcuts, the
// status log telling what the field rules replaced, Qt's own texts in Chinese, the
// remembered layout, and a transfer's progress and Cancel.
#include "main_window_fixture.h"

#include "common/child_process.h"
#include "common/radio_process.h"
#include "core/data_file.h"
#include "ui/main/clone_window.h"

#include <QComboBox>
#include <QElapsedTimer>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QScrollBar>
#include <QSplitter>
#include <QWheelEvent>

#include <functional>

#include <sys/stat.h>

namespace r57::ui::testing {
namespace {

class Handling : public MainWindowTest {
protected:
    void SetUp() override {
        MainWindowTest::SetUp();
        window->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
        loadChannels({1, 2, 3, 4, 5, 6});
        session().takeSavedCopy(); // as if opened from a file
        grid()->setFocus();
    }

    void click(int row, int column) {
        QTest::mouseClick(grid()->viewport(), Qt::LeftButton, {},
                          grid()->cellRect(row, column).center());
    }
    QString log() { return find<QPlainTextEdit>("TxtStatus")->toPlainText(); }
};

// One notch of the wheel over a closed drop-down scrolls the grid and keeps the value.
TEST_F(Handling, TheWheelOverAClosedDropDownScrollsTheGridAndKeepsTheValue) {
    for (int column : {kColPower, kColDecode}) {
        SCOPED_TRACE(column);
        grid()->verticalScrollBar()->setValue(0);
        const auto before = Record(session().image, kBankA, 2);
        click(2, column);
        auto* combo = find<QComboBox>(column == kColPower ? "cboPowerScan" : "cboQtDqt");
        ASSERT_TRUE(combo->isVisible());
        const QPoint at = combo->rect().center();
        QWheelEvent wheel(at, combo->mapToGlobal(at), {}, {0, -120}, Qt::NoButton, Qt::NoModifier,
                          Qt::NoScrollPhase, false);
        QApplication::sendEvent(combo, &wheel);
        EXPECT_FALSE(combo->isVisible());
        EXPECT_GT(grid()->verticalScrollBar()->value(), 0);
        EXPECT_EQ(Record(session().image, kBankA, 2), before);
        EXPECT_EQ(session().image, session().savedImage);
    }
}

// After a channel button, acted or declined, the keyboard is the grid's: Down and
// Enter move and open an editor, never press Delete.
TEST_F(Handling, TheChannelButtonsGiveTheKeyboardBackToTheGrid) {
    PutChannel(session().image, kBankA, 128, "446.00625");
    window->refreshShownBank();
    struct Case {
        int button;
        Answer answer;
    } cases[] = {{kInsert, Answer::No},
                 {kMoveDown, Answer::Ok},
                 {kInsert, Answer::Yes},
                 {kClearButton, Answer::Ok}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.button);
        grid()->setCursor(3, kColRx);
        prompts.answers = {c.answer};
        clickButton(c.button);
        EXPECT_EQ(QApplication::focusWidget(), grid());
    }
    const CodeplugImage before = session().image;
    grid()->setCursor(2, kColRx);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Down);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
    EXPECT_EQ(session().image, before);
}

TEST_F(Handling, ChannelKeysFollowTheirMenuItemsAndPasteSpeaksTheLanguage) {
    grid()->setCursor(2, kColPower);
    QTest::keyClick(grid(), Qt::Key_C, Qt::ControlModifier);
    ASSERT_TRUE(item("mnuEdit_Paste")->isEnabled());

    // Paste is greyed after Open and New, though the channel is still held.
    item("mnuEdit_Paste")->setEnabled(false);
    grid()->setCursor(9, kColRx);
    QTest::keyClick(grid(), Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(Record(session().image, kBankA, 9), EmptyRecord());

    // Copied in English, pasted in Chinese: the row reads as the Chinese grid does.
    item("mnuEdit_Paste")->setEnabled(true);
    window->switchLanguage(kChinese);
    grid()->setCursor(9, kColRx);
    QTest::keyClick(grid(), Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(Record(session().image, kBankA, 9), Record(session().image, kBankA, 2));
    for (int c = kColRx; c < kColumnCount; ++c) {
        EXPECT_EQ(grid()->cellText(9, c), grid()->cellText(2, c)) << c;
    }
    EXPECT_EQ(grid()->cellText(9, kColPower), Tr(1108, kChinese));
}

TEST_F(Handling, UsualShortcutsRunTheirMenuCommands) {
    struct Case {
        const char* item;
        QKeySequence keys;
        QString asked; // the dialog or message that shows the command ran
    } cases[] = {
        {"mnuFile_New", QKeySequence("Ctrl+N"), Tr(1201)},
        {"mnuFile_Open", QKeySequence("Ctrl+O"), "open:"},
        {"mnuFile_Save", QKeySequence("Ctrl+S"), "save:Untitled.dat"},
        {"mnuFile_SaveAs", QKeySequence("Ctrl+Shift+S"), "save:Untitled.dat"},
        {"mnuHelp_Contents", QKeySequence("F1"), "R57Help_e.chm"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.item);
        EXPECT_EQ(item(c.item)->shortcut(), c.keys);
        prompts.asked.clear();
        prompts.fileDialogs.clear();
        prompts.answers = {Answer::Cancel};
        QTest::keySequence(window.get(), c.keys);
        const QString seen = prompts.fileDialogs.join(' ') + ' ' + prompts.lastText();
        EXPECT_TRUE(seen.contains(c.asked)) << seen.toStdString();
    }
    EXPECT_EQ(item("mnuFile_Exit")->shortcut(), QKeySequence("Ctrl+Q"));
    EXPECT_TRUE(item("mnuFile_Exit")->menu() == nullptr);
}

TEST_F(Handling, SaveAsAddsTheDataExtensionAndAFailedSaveNamesTheFile) {
    test::TempFolder folder;
    prompts.files = {QString::fromStdString(folder.file("site1"))};
    trigger("mnuFile_SaveAs");
    EXPECT_TRUE(test::FileExists(folder.file("site1.dat")));
    EXPECT_TRUE(window->windowTitle().contains("site1.dat"));

    // A pipe in the way: refused, named, and nothing written.
    ASSERT_EQ(::mkfifo(folder.file("pipe.dat").c_str(), 0600), 0);
    prompts.files = {QString::fromStdString(folder.file("pipe.dat"))};
    trigger("mnuFile_SaveAs");
    EXPECT_TRUE(prompts.lastText().startsWith(QString::fromStdString(folder.file("pipe.dat"))));
    EXPECT_TRUE(prompts.lastText().contains("not a regular file"));
    EXPECT_TRUE(window->windowTitle().contains("site1.dat"));
}

// What the field rules put in place of a typed entry is told in the status log.
TEST_F(Handling, TheStatusLogTellsWhatTheRulesReplaced) {
    struct Case {
        int language;
        int column;
        const char* typed;
        QString line;
    } cases[] = {
        {kEnglish, kColRx, "500",
         "A8 RX Freq: 500 is outside the band limits; 400.00000 was entered."},
        {kChinese, kColRx, "999", "A8 接收频率：999 超出频段范围，已改为 400.00000。"},
        {kEnglish, kColDecode, "12.3",
         "A2 Decode: 12.3 is not in the QT/DQT list; the tone was kept."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.typed);
        window->switchLanguage(c.language);
        const int row = c.column == kColRx ? 8 : 2;
        click(row, c.column);
        QWidget* editor = QApplication::focusWidget();
        ASSERT_NE(editor, nullptr);
        QTest::keyClicks(editor, c.typed);
        QTest::keyClick(editor, Qt::Key_Return);
        EXPECT_TRUE(log().endsWith(c.line + "\n")) << log().toStdString();
    }
}

TEST_F(Handling, QtsOwnTextsFollowTheLanguage) {
    auto cancel = [] {
        return QCoreApplication::translate("QPlatformTheme", "Cancel");
    };
    window->switchLanguage(kChinese);
    EXPECT_EQ(cancel(), QString::fromUtf8("取消"));
    window->switchLanguage(kEnglish);
    EXPECT_EQ(cancel(), "Cancel");
}

TEST_F(Handling, TheStatusLogKeepsAFifthAndTheUsersSplitIsRemembered) {
    auto* split = find<QSplitter>("Picture1");
    QList<int> sizes = split->sizes();
    EXPECT_LE(sizes[1] * 4, sizes[0] + 4);
    split->setSizes({sizes[0] + sizes[1] - 200, 200});
    window->close();
    open();
    QTest::qWait(20); // the sizes are put back once the window stands
    EXPECT_NEAR(find<QSplitter>("Picture1")->sizes()[1], 200, 8);
    link::WriteSetting("StatusSplit", "");
}

class TransferCancel : public Handling, public ::testing::WithParamInterface<bool> {};

// Cancel in the status bar, or Esc, ends a running read as Cancel in the Retry question
// does: the radio still gets its "E", and the window is whole again.
TEST_P(TransferCancel, EndsTheTransferCleanly) {
    test::VirtualRadio radio;
    ASSERT_TRUE(radio.start({"--baud", "9600"}));
    session().portDevice = radio.device();
    prompts.answers = {Answer::Ok};
    trigger("mnuTransfer_Read");
    auto* bar = find<QProgressBar>("prgTransfer");
    auto* cancel = find<QPushButton>("cmdCancelTransfer");
    ASSERT_TRUE(WaitFor([bar] { return bar->value() >= 10; }, 10000));
    EXPECT_TRUE(bar->isVisible());
    EXPECT_TRUE(cancel->isVisible());
    EXPECT_FALSE(window->menuBar()->isEnabled());
    EXPECT_FALSE(grid()->isEnabled());

    if (GetParam()) {
        QTest::mouseClick(cancel, Qt::LeftButton);
    } else {
        QTest::keyClick(window.get(), Qt::Key_Escape);
    }
    ASSERT_TRUE(WaitFor([this] { return window->cloneWindow() == nullptr; }, 3000));
    ASSERT_TRUE(WaitFor(
        [&radio] { return !radio.frames().empty() && radio.frames().back() == "E"; }, 2000));
    EXPECT_TRUE(log().endsWith("Transfer cancelled.\n"));
    EXPECT_FALSE(bar->isVisible());
    EXPECT_TRUE(window->menuBar()->isEnabled());
    EXPECT_TRUE(grid()->isEnabled());
}

INSTANTIATE_TEST_SUITE_P(Ways, TransferCancel, ::testing::Values(true, false),
                         [](const auto& info) { return info.param ? "Button" : "Escape"; });

TEST_F(Handling, APortThatWillNotOpenIsNamedOverTheMainWindow) {
    session().portDevice = "/dev/r57-no-such-port";
    prompts.answers = {Answer::Ok};
    trigger("mnuTransfer_Read");
    ASSERT_EQ(prompts.asked.size(), 2u);
    const AskedMessage& box = prompts.asked[1];
    EXPECT_EQ(box.parent, window.get());
    // The system's words, then what to do about a cable that is not there.
    EXPECT_TRUE(
        box.text.startsWith(Tr(1175) + "\n/dev/r57-no-such-port: No such file or directory\n"))
        << box.text.toStdString();
    EXPECT_TRUE(box.text.contains("Plug the cable")) << box.text.toStdString();
}

} // namespace
} // namespace r57::ui::testing
