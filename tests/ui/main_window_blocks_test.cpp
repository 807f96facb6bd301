// The block tools through the window as a user reaches them: selections by keyboard
// and mouse, the clipboard, fill, sort, moves and drags, the find bar, each block
// command one undo step. The rules themselves are tested in tests/sheet.
#include "main_window_fixture.h"

#include <QClipboard>
#include <QComboBox>
#include <QDialog>
#include <QDir>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabBar>
#include <QTabWidget>

namespace r57::ui::testing {
namespace {

class Blocks : public MainWindowTest {
protected:
    void SetUp() override {
        MainWindowTest::SetUp();
        QGuiApplication::clipboard()->clear();
        loadChannels({1, 2, 3, 5});       // rows 1, 3, 5 on 446.00625; row 2 on 145.5
        window->applyWindowChange([] {}); // where undo stops
    }

    std::vector<int> selected(int bank = kBankA) { return grid(bank)->selectedRows(); }
    QPoint cell(int row, int column = kColRx) { return grid()->cellRect(row, column).center(); }
    QWidget* labels(int bank = kBankA) { return grid(bank)->verticalHeader()->viewport(); }
    QPoint label(int row, int bank = kBankA) {
        QHeaderView* h = grid(bank)->verticalHeader();
        return QPoint(h->width() / 2, h->sectionViewportPosition(row - 1) + h->sectionSize(0) / 2);
    }
    void key(int k, Qt::KeyboardModifiers mods = Qt::NoModifier) {
        QTest::keyClick(grid(session().currentBank), static_cast<Qt::Key>(k), mods);
    }
    QString name(int row, int bank = kBankA) {
        return grid(bank)->cellText(row, kColName).trimmed();
    }
    QStringList names(int first, int last, int bank = kBankA) {
        QStringList list;
        for (int row = first; row <= last; ++row) {
            list << (grid(bank)->cellText(row, kColRx).isEmpty() ? "-" : name(row, bank));
        }
        return list;
    }
    QString log() { return find<QPlainTextEdit>("TxtStatus")->toPlainText(); }
    // Undo takes the whole command back in one step.
    void expectOneStep(const CodeplugImage& before) {
        trigger("mnuEdit_Undo");
        EXPECT_TRUE(session().image == before);
    }
};

TEST_F(Blocks, KeyboardAndMouseSelectRunsOfRows) {
    grid()->setCursor(2, kColRx);
    grid()->setFocus();
    key(Qt::Key_Down, Qt::ShiftModifier);
    key(Qt::Key_Down, Qt::ShiftModifier);
    EXPECT_EQ(selected(), (std::vector<int>{2, 3, 4}));
    EXPECT_EQ(grid()->cursorRow(), 4);
    key(Qt::Key_PageDown, Qt::ShiftModifier);
    EXPECT_GT(selected().size(), 5u);
    EXPECT_EQ(selected().front(), 2);

    QTest::mouseClick(grid()->viewport(), Qt::LeftButton, Qt::NoModifier, cell(3));
    EXPECT_EQ(selected(), (std::vector<int>{3}));
    EXPECT_FALSE(grid()->editorOpen() && selected().size() > 1);
    QTest::keyClick(grid()->findChild<QWidget*>("txtMemChannel"), Qt::Key_Escape);
    QTest::mouseClick(grid()->viewport(), Qt::LeftButton, Qt::ShiftModifier, cell(6));
    EXPECT_EQ(selected(), (std::vector<int>{3, 4, 5, 6}));
    EXPECT_FALSE(grid()->editorOpen()); // a Shift click selects, it does not edit
    QTest::mouseClick(grid()->viewport(), Qt::LeftButton, Qt::ControlModifier, cell(9));
    QTest::mouseClick(grid()->viewport(), Qt::LeftButton, Qt::ControlModifier, cell(4));
    EXPECT_EQ(selected(), (std::vector<int>{3, 5, 6, 9}));

    QTest::mouseClick(labels(), Qt::LeftButton, Qt::NoModifier, label(7));
    EXPECT_EQ(selected(), (std::vector<int>{7}));
    QTest::mouseClick(labels(), Qt::LeftButton, Qt::ShiftModifier, label(10));
    EXPECT_EQ(selected(), (std::vector<int>{7, 8, 9, 10}));
    key(Qt::Key_A, Qt::ControlModifier);
    EXPECT_EQ(selected().size(), static_cast<size_t>(kChannelRows));
    EXPECT_EQ(grid()->cursorRow(), 10); // the cursor stays the cursor
}

TEST_F(Blocks, BlockCopyGoesToTheClipboardAsTextAndPastesBackInOneStep) {
    grid()->setCursor(1, kColRx);
    grid()->setFocus();
    key(Qt::Key_Down, Qt::ShiftModifier);
    key(Qt::Key_Down, Qt::ShiftModifier);
    key(Qt::Key_C, Qt::ControlModifier);
    const QStringList lines = QGuiApplication::clipboard()->text().split('\n');
    ASSERT_GE(lines.size(), 4);
    EXPECT_TRUE(lines[0].startsWith("CH\tRX Freq\tTX Freq\t"));
    EXPECT_FALSE(lines[0].contains("More"));
    EXPECT_TRUE(lines[2].startsWith("A2\t145.50000\t446.10000\t"));
    EXPECT_TRUE(item("mnuEdit_Paste")->isEnabled());

    const CodeplugImage before = session().image;
    grid()->setCursor(20, kColRx);
    key(Qt::Key_V, Qt::ControlModifier);
    for (int n = 0; n < 3; ++n) {
        EXPECT_EQ(Record(session().image, kBankA, 20 + n), Record(session().image, kBankA, 1 + n));
    }
    EXPECT_EQ(selected(), (std::vector<int>{20, 21, 22}));
    EXPECT_EQ(names(20, 22), (QStringList{"CH1", "CH2", "CH3"}));
    expectOneStep(before);

    // Cut: the rows are copied, then cleared; a paste puts them back.
    grid()->setCursor(1, kColRx);
    grid()->selectRows({1, 2});
    trigger("mnuEdit_Cut");
    EXPECT_EQ(names(1, 2), (QStringList{"-", "-"}));
    trigger("mnuEdit_Paste");
    EXPECT_EQ(names(1, 2), (QStringList{"CH1", "CH2"}));
}

TEST_F(Blocks, ForeignTextIsTypedCellByCellAndRefusalsGoToTheLog) {
    QGuiApplication::clipboard()->setText(
        "Name\tRX Freq\tTX Power\nSITE1\t145.3\tMedium\nSITE2\t999\tLow\n");
    EXPECT_TRUE(item("mnuEdit_Paste")->isEnabled());
    const CodeplugImage before = session().image;
    grid()->setCursor(10, kColRx);
    clickTool("Paste");
    EXPECT_EQ(grid()->cellText(10, kColRx), "145.30000");
    EXPECT_EQ(name(10), "SITE1");
    EXPECT_EQ(grid()->cellText(10, kColPower), "High"); // refused, the rest taken
    EXPECT_EQ(grid()->cellText(11, kColRx), "400.00000");
    EXPECT_EQ(grid()->cellText(11, kColPower), "Low");
    EXPECT_TRUE(log().contains("A10 TX Power: Medium is not one of its choices"));
    EXPECT_TRUE(log().contains("A11 RX Freq: 999 is outside the band limits; 400.00000"));
    expectOneStep(before);
}

TEST_F(Blocks, AValueCommittedInABlockFillsItsColumnAndEmptyRowsStayEmpty) {
    const CodeplugImage before = session().image;
    grid()->setCursor(1, kColPower);
    grid()->setFocus();
    for (int i = 0; i < 3; ++i) {
        key(Qt::Key_Down, Qt::ShiftModifier); // rows 1..4; row 4 is empty
    }
    grid()->setCursor(1, kColPower);
    grid()->selectRows({1, 2, 3, 4});
    key(Qt::Key_Return);
    auto* power = grid()->findChild<QComboBox*>("cboPowerScan");
    ASSERT_TRUE(power->isVisible());
    EXPECT_EQ(selected(), (std::vector<int>{1, 2, 3, 4}));
    QTest::keyClick(power, Qt::Key_Down); // High -> Low
    QTest::keyClick(power, Qt::Key_Return);
    for (int row : {1, 2, 3}) {
        EXPECT_EQ(grid()->cellText(row, kColPower), "Low") << row;
        EXPECT_EQ(Record(session().image, kBankA, row)[12] & 0x04, 0) << row;
    }
    EXPECT_EQ(grid()->cellText(4, kColRx), "");
    EXPECT_EQ(Record(session().image, kBankA, 4), EmptyRecord());
    expectOneStep(before);
}

TEST_F(Blocks, SortChannelsDialogSortsTheSelectionInOneStep) {
    const CodeplugImage before = session().image;
    trigger("mnuEdit_Sort");
    auto* dialog = find<QDialog>("frmSort");
    ASSERT_TRUE(QTest::qWaitForWindowExposed(dialog));
    find<QComboBox>("cboSortKey")->setCurrentIndex(1); // Name
    auto* descending = find<QRadioButton>("optSortDescending");
    QTest::mouseClick(descending, Qt::LeftButton, {}, QPoint(6, descending->height() / 2));
    QTest::mouseClick(find<QPushButton>("cmdSortOk"), Qt::LeftButton);
    EXPECT_EQ(names(1, 5), (QStringList{"CH5", "CH3", "CH2", "CH1", "-"}));
    EXPECT_EQ(Record(session().image, kBankA, 2), Record(before, kBankA, 3));
    expectOneStep(before);
}

TEST_F(Blocks, BlocksMoveByKeyByDragAndOntoTheOtherBank) {
    const CodeplugImage before = session().image;
    grid()->setCursor(2, kColRx);
    grid()->selectRows({2, 3});
    grid()->setFocus();
    key(Qt::Key_Down, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(names(1, 4), (QStringList{"CH1", "-", "CH2", "CH3"}));
    EXPECT_EQ(selected(), (std::vector<int>{3, 4}));
    expectOneStep(before);

    // Labels 1 and 2 dragged below row 5.
    grid()->setCursor(1, kColRx);
    grid()->selectRows({1, 2});
    QTest::mousePress(labels(), Qt::LeftButton, Qt::NoModifier, label(1));
    QTest::mouseMove(labels(), label(3));
    QTest::mouseRelease(labels(), Qt::LeftButton, Qt::NoModifier, label(5) + QPoint(0, 4));
    EXPECT_EQ(names(1, 5), (QStringList{"CH3", "-", "CH5", "CH1", "CH2"}));
    expectOneStep(before);

    // ... and onto bank B's tab: into its empty rows, bank B shown.
    QTabBar* tabs = find<QTabWidget>("SSTab1")->tabBar();
    const QPoint onTab = labels()->mapFromGlobal(tabs->mapToGlobal(tabs->tabRect(kBankB).center()));
    grid()->selectRows({1, 2});
    QTest::mousePress(labels(), Qt::LeftButton, Qt::NoModifier, label(1));
    QTest::mouseMove(labels(), label(3));
    QTest::mouseRelease(labels(), Qt::LeftButton, Qt::NoModifier, onTab);
    ASSERT_EQ(session().currentBank, kBankB);
    EXPECT_EQ(names(1, 2, kBankB), (QStringList{"CH1", "CH2"}));
    EXPECT_EQ(Record(session().image, kBankB, 1), Record(before, kBankA, 1));
    EXPECT_EQ(Record(session().image, kBankA, 1), EmptyRecord());
    expectOneStep(before);
}

TEST_F(Blocks, DeleteAsksOnceForTheBlock) {
    grid()->setCursor(1, kColRx);
    grid()->selectRows({1, 2});
    prompts.answers = {Answer::Yes};
    trigger("mnuEdit_Delete");
    ASSERT_EQ(prompts.asked.size(), 1u);
    EXPECT_TRUE(prompts.lastText().contains("2"));
    EXPECT_EQ(names(1, 3), (QStringList{"CH3", "-", "CH5"}));
}

TEST_F(Blocks, FindBarGoesFromMatchToMatchAcrossBanks) {
    PutChannel(session().image, kBankB, 7, "145.50000", nullptr, "CH2B");
    window->applyWindowChange([] {});
    grid()->setCursor(1, kColRx);
    grid()->setFocus();
    QTest::keyClick(window.get(), Qt::Key_F, Qt::ControlModifier);
    auto* text = find<QLineEdit>("txtFind");
    ASSERT_TRUE(find<QWidget>("picFind")->isVisible());
    ASSERT_TRUE(text->hasFocus());
    QTest::keyClicks(text, "ch2");
    QTest::keyClick(text, Qt::Key_Return);
    EXPECT_EQ(grid()->cursorRow(), 2);
    QTest::keyClick(text, Qt::Key_F3);
    EXPECT_EQ(session().currentBank, kBankB); // the tab follows
    EXPECT_EQ(grid(kBankB)->cursorRow(), 7);
    QTest::keyClick(text, Qt::Key_F3, Qt::ShiftModifier);
    EXPECT_EQ(session().currentBank, kBankA);
    EXPECT_EQ(grid()->cursorRow(), 2);
    text->setText("145.5");
    QTest::keyClick(text, Qt::Key_F3);
    EXPECT_EQ(grid(kBankB)->cursorRow(), 7); // a frequency from its start
    text->setText("zzz");
    QTest::keyClick(text, Qt::Key_Return);
    EXPECT_FALSE(find<QLabel>("lblFindResult")->text().isEmpty());
    QTest::keyClick(text, Qt::Key_Escape);
    EXPECT_FALSE(find<QWidget>("picFind")->isVisible());
    EXPECT_TRUE(grid(kBankB)->hasFocus());
}

// With R57_SCREENSHOTS naming a folder: a multi-row selection with the Edit menu, and
// the find bar, in both languages.
TEST_F(Blocks, ScreenshotsInBothLanguages) {
    const QString shots = qEnvironmentVariable("R57_SCREENSHOTS");
    if (shots.isEmpty()) {
        GTEST_SKIP() << "R57_SCREENSHOTS names no folder";
    }
    QDir().mkpath(shots);
    loadChannels({4, 6, 7, 8, 9, 10, 12});
    window->resize(1200, 760);
    for (int language : {kEnglish, kChinese}) {
        const QString suffix = language == kEnglish ? "en" : "zh";
        window->switchLanguage(language);
        window->closeFindBar();
        grid()->setCursor(3, kColPower);
        grid()->selectRows({3, 4, 5, 6, 7, 8});
        QCoreApplication::processEvents();
        EXPECT_TRUE(
            window->grab().save(QDir(shots).filePath("blocks-selection-" + suffix + ".png")));
        auto* edit = find<QMenu>("mnuEdit");
        edit->popup(window->mapToGlobal(QPoint(60, 40)));
        QCoreApplication::processEvents();
        EXPECT_TRUE(edit->grab().save(QDir(shots).filePath("blocks-edit-" + suffix + ".png")));
        edit->close();
        window->openFindBar();
        find<QLineEdit>("txtFind")->setText("446.0");
        window->findChannel(true);
        window->findChannel(true);
        QCoreApplication::processEvents();
        EXPECT_TRUE(window->grab().save(QDir(shots).filePath("blocks-find-" + suffix + ".png")));
    }
}

} // namespace
} // namespace r57::ui::testing
