// The block tools as a dealer with a spreadsheet's habits uses them, by keys and clicks
// on the grid: Enter walked across a block, pastes into a selection made either way,
// one column of text aimed at the cursor's column, and the status log's account of
// everything a paste did not take.
#include "main_window_fixture.h"

#include <QClipboard>
#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>

namespace r57::ui::testing {
namespace {

class BlockHabits : public MainWindowTest {
protected:
    void SetUp() override {
        MainWindowTest::SetUp();
        QGuiApplication::clipboard()->clear();
        loadChannels({1, 2, 3, 5}); // row 4 empty
        window->applyWindowChange([] {});
        grid()->setCursor(1, kColRx);
        grid()->setFocus();
    }
    void key(int k, Qt::KeyboardModifiers mods = Qt::NoModifier) {
        QTest::keyClick(grid(), static_cast<Qt::Key>(k), mods);
    }
    QLineEdit* editor() { return grid()->findChild<QLineEdit*>("txtMemChannel"); }
    void click(int row, int column, Qt::KeyboardModifiers mods = Qt::NoModifier) {
        QTest::mouseClick(grid()->viewport(), Qt::LeftButton, mods,
                          grid()->cellRect(row, column).center());
    }
    QString cell(int row, int column) { return grid()->cellText(row, column).trimmed(); }
    QString log() { return find<QPlainTextEdit>("TxtStatus")->toPlainText(); }
};

TEST_F(BlockHabits, EnterOnAnUnchangedCellFillsNothingAndAnEmptiedRxIsNeverFilled) {
    const CodeplugImage before = session().image;
    // Ctrl+A, Enter, Enter on a used row and on an empty one: nothing changes.
    for (int row : {1, 4}) {
        grid()->setCursor(row, kColRx);
        key(Qt::Key_A, Qt::ControlModifier);
        key(Qt::Key_Return);
        ASSERT_TRUE(editor()->isVisible()) << row;
        QTest::keyClick(editor(), Qt::Key_Return);
        EXPECT_EQ(grid()->selectedRows().size(), static_cast<size_t>(kChannelRows));
        EXPECT_TRUE(session().image == before) << row;
    }
    // Walking across a used row with Enter copies nothing into the block.
    grid()->setCursor(1, kColName);
    grid()->selectRows({1, 2, 3});
    key(Qt::Key_Return);
    QTest::keyClick(editor(), Qt::Key_Return);
    EXPECT_EQ(cell(2, kColName), "CH2");

    // A name typed anew fills the block; so does one retyped as it was.
    grid()->setCursor(1, kColName);
    grid()->selectRows({1, 2, 3});
    QTest::keyClick(grid(), Qt::Key_N);
    QTest::keyClicks(editor(), "EW");
    QTest::keyClick(editor(), Qt::Key_Return);
    EXPECT_EQ(cell(3, kColName), "NEW");
    grid()->setCursor(2, kColName);
    grid()->selectRows({2, 5});
    key(Qt::Key_Return);
    QTest::keyClick(editor(), Qt::Key_End);
    QTest::keyClick(editor(), Qt::Key_Backspace);
    QTest::keyClicks(editor(), "W");
    QTest::keyClick(editor(), Qt::Key_Return);
    EXPECT_EQ(cell(5, kColName), "NEW");

    // An emptied RX Freq deletes its own channel only; an emptied name is filled.
    grid()->setCursor(1, kColRx);
    grid()->selectRows({1, 2, 3});
    key(Qt::Key_Return);
    QTest::keyClick(editor(), Qt::Key_Delete);
    QTest::keyClick(editor(), Qt::Key_Return);
    EXPECT_EQ(cell(1, kColRx), "");
    EXPECT_EQ(cell(2, kColRx), "145.50000");
    EXPECT_EQ(cell(3, kColRx), "446.00625");
    grid()->setCursor(2, kColName);
    grid()->selectRows({2, 3});
    key(Qt::Key_Return);
    QTest::keyClick(editor(), Qt::Key_Delete);
    QTest::keyClick(editor(), Qt::Key_Return);
    EXPECT_EQ(cell(3, kColName), "");
}

TEST_F(BlockHabits, APasteStartsAtTheTopOfTheSelectionAndAsksBeforeGoingPastIt) {
    grid()->selectRows({1, 2});
    key(Qt::Key_C, Qt::ControlModifier);
    // Shift+Down twice: the cursor ends on row 12, the paste starts on row 10.
    grid()->setCursor(10, kColRx);
    key(Qt::Key_Down, Qt::ShiftModifier);
    key(Qt::Key_Down, Qt::ShiftModifier);
    key(Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(cell(10, kColName), "CH1");
    EXPECT_EQ(cell(11, kColName), "CH2");
    EXPECT_EQ(cell(12, kColRx), "");
    EXPECT_TRUE(prompts.asked.empty());

    // Three rows copied, two selected upwards with Shift+click: the paste asks.
    grid()->setCursor(1, kColRx);
    grid()->selectRows({1, 2, 3});
    key(Qt::Key_C, Qt::ControlModifier);
    click(21, kColRx);
    QTest::keyClick(editor(), Qt::Key_Escape);
    click(20, kColRx, Qt::ShiftModifier);
    const CodeplugImage before = session().image;
    prompts.answers = {Answer::No};
    key(Qt::Key_V, Qt::ControlModifier);
    ASSERT_EQ(prompts.asked.size(), 1u);
    EXPECT_TRUE(prompts.lastText().contains("A20 to A22"));
    EXPECT_TRUE(session().image == before);
    prompts.answers = {Answer::Yes};
    key(Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(cell(20, kColName), "CH1");
    EXPECT_EQ(cell(22, kColName), "CH3");

    // Rows past the end of the bank are named.
    grid()->setCursor(127, kColRx);
    key(Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(cell(128, kColName), "CH2");
    EXPECT_TRUE(log().contains("1 rows not pasted: the bank ends at A128."));
}

TEST_F(BlockHabits, OneColumnOfTextGoesToTheCursorsColumn) {
    QGuiApplication::clipboard()->setText("145.1\n145.2\n");
    grid()->setCursor(1, kColTx);
    key(Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(cell(1, kColTx), "145.10000");
    EXPECT_EQ(cell(2, kColTx), "145.20000");
    EXPECT_EQ(cell(1, kColRx), "446.00625"); // the receive frequency stays
    QGuiApplication::clipboard()->setText("ALPHA\r\nBRAVO\r\n");
    grid()->setCursor(2, kColName);
    key(Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(cell(2, kColName), "ALPHA");
    EXPECT_EQ(cell(3, kColName), "BRAVO");
    EXPECT_EQ(cell(2, kColRx), "145.50000");
}

TEST_F(BlockHabits, TheStatusLogNamesEveryValueAndColumnNotTaken) {
    QGuiApplication::clipboard()->setText("RX Freq\tColour\tCH.Name\n"
                                          "446.2\tred\t\"A\tB\"\n"
                                          "\n"
                                          "abc\tblue\tLOST\n"
                                          "\t\tLONE\n");
    grid()->setCursor(3, kColRx);
    key(Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(cell(3, kColRx), "446.20000");
    EXPECT_EQ(cell(3, kColName), "AB");  // the tab is no character of a name
    EXPECT_EQ(cell(5, kColName), "CH5"); // its line was refused whole
    EXPECT_EQ(cell(6, kColRx), "");
    const QString lines = log();
    for (const char* line :
         {"Column 2 (\"Colour\") was not taken", "A4: the line is empty; the channel was kept.",
          "A5 RX Freq: abc is not a frequency; the channel was kept.",
          "A6 CH.Name: LONE was not taken; the channel is empty",
          "A3 CH.Name: A\tB was entered as \"AB\"."}) {
        EXPECT_TRUE(lines.contains(line)) << line << "\n" << lines.toStdString();
    }
    // A header of words naming no column: refused with a message, nothing written.
    const CodeplugImage before = session().image;
    QGuiApplication::clipboard()->setText("Frequency\tAlias\n446.1\tBASE\n");
    key(Qt::Key_V, Qt::ControlModifier);
    ASSERT_EQ(prompts.asked.size(), 1u);
    EXPECT_TRUE(prompts.lastText().contains("Frequency, Alias"));
    EXPECT_TRUE(session().image == before);
}

} // namespace
} // namespace r57::ui::testing
