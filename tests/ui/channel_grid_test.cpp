// A bank grid's shape, and which editor a click, a double click or a key opens.
#include "channel_grid_fixture.h"

#include <QHeaderView>
#include <QSignalSpy>

namespace r57::ui::test {
namespace {

TEST_F(GridTest, ShapeLabelsAndWidths) {
    ChannelGrid& g = Build(kBankB);
    EXPECT_EQ(g.objectName(), "ChannelGridB");
    EXPECT_EQ(g.cellText(1, kColLabel), "B1");
    EXPECT_EQ(g.cellText(128, kColLabel), "B128");
    EXPECT_EQ(g.model()->headerData(0, Qt::Horizontal).toString(), "RX Freq");
    EXPECT_EQ(g.model()->headerData(9, Qt::Horizontal).toString(), "PTT ID");
    EXPECT_EQ(g.verticalHeader()->width(), 40);
    EXPECT_EQ(g.columnWidth(kColRx - 1), 80);
    EXPECT_EQ(g.columnWidth(kColTx - 1), 80);
    EXPECT_EQ(g.columnWidth(kColDecode - 1), 67);
    EXPECT_EQ(g.item(0, 0)->textAlignment(), Qt::AlignCenter);
    // "More" takes the room that is left: the columns end at the viewport's edge.
    auto rightEdge = [&g] {
        return g.columnViewportPosition(kColMore - 1) + g.columnWidth(kColMore - 1);
    };
    EXPECT_GT(g.columnWidth(kColMore - 1), 67);
    EXPECT_EQ(rightEdge(), g.viewport()->width());

    g.setColumnVisible(kColBcl, false);
    EXPECT_FALSE(g.columnVisible(kColBcl));
    EXPECT_EQ(g.columnWidth(kColBcl - 1), 0);
    EXPECT_EQ(rightEdge(), g.viewport()->width());
    g.setColumnVisible(kColBcl, true);
    EXPECT_EQ(g.columnWidth(kColBcl - 1), 67);
    EXPECT_EQ(rightEdge(), g.viewport()->width());
    // Narrower than its columns, the grid scrolls and "More" has its own width.
    g.resize(600, 400);
    EXPECT_EQ(g.columnWidth(kColMore - 1), 67);
}

TEST_F(GridTest, ClickOnAnEmptyChannelOpensItsReceiveEditor) {
    Build();
    for (int column : {kColRx, kColDecode, kColName, kColScrambler, kColMore}) {
        SCOPED_TRACE(column);
        Click(7, column);
        ASSERT_TRUE(Text()->isVisible());
        EXPECT_EQ(grid().cursorRow(), 7);
        EXPECT_EQ(grid().cursorColumn(), kColRx);
        EXPECT_EQ(Text()->geometry(), grid().cellRect(7, kColRx));
        EXPECT_TRUE(Text()->hasFocus());
        QTest::keyClick(Text(), Qt::Key_Escape);
        EXPECT_FALSE(Text()->isVisible());
    }
    EXPECT_EQ(session.currentChannel[kBankA], 7);
    EXPECT_EQ(session.currentColumn[kBankA], kColRx);
}

TEST_F(GridTest, ClickOnEncodeWithoutTransmitFrequencyOpensTheTransmitEditor) {
    Build();
    sheet().commitRx(3, "145.5");
    sheet().commitTx(3, "");
    grid().showSheet();
    Click(3, kColEncode);
    ASSERT_TRUE(Text()->isVisible());
    EXPECT_EQ(grid().cursorColumn(), kColTx);
    EXPECT_EQ(Text()->text(), "");
    EXPECT_EQ(Text()->maxLength(), 9);
}

TEST_F(GridTest, EachColumnOpensItsOwnEditor) {
    Build();
    sheet().commitRx(2, "438.025");
    grid().showSheet();
    Click(2, kColDecode);
    ASSERT_TRUE(Tone()->isVisible());
    EXPECT_EQ(Tone()->currentText(), "None");
    EXPECT_EQ(Tone()->count(), 261);
    QTest::keyClick(Tone(), Qt::Key_Escape);

    Click(2, kColPower);
    ASSERT_TRUE(Choice()->isVisible());
    EXPECT_EQ(Choice()->count(), 2);
    EXPECT_EQ(Choice()->currentText(), "High");
    QTest::keyClick(Choice(), Qt::Key_Escape);

    Click(2, kColScrambler);
    ASSERT_TRUE(Choice()->isVisible());
    EXPECT_EQ(Choice()->count(), 8);
    EXPECT_EQ(Choice()->currentText(), "7");
    EXPECT_EQ(Choice()->geometry(), grid().cellRect(2, kColScrambler));
    QTest::keyClick(Choice(), Qt::Key_Escape);

    Click(2, kColName);
    ASSERT_TRUE(Text()->isVisible());
    EXPECT_EQ(Text()->maxLength(), 7);
    EXPECT_EQ(Text()->selectedText(), Text()->text());
}

TEST_F(GridTest, MoreColumnAsksForTheAlternatePanel) {
    Build();
    sheet().commitRx(4, "438.025");
    grid().showSheet();
    QSignalSpy panel(&grid(), &ChannelGrid::alternatePanelRequested);
    Click(4, kColMore);
    EXPECT_EQ(panel.count(), 1);
    EXPECT_FALSE(Text()->isVisible());
    EXPECT_EQ(grid().cursorColumn(), kColMore);
    QTest::keyClick(&grid(), Qt::Key_Return);
    EXPECT_EQ(panel.count(), 2);
}

TEST_F(GridTest, DoubleClickModeOpensOnlyOnDoubleClick) {
    Build();
    session.singleClickEditing = false;
    Click(5, kColRx);
    EXPECT_FALSE(Text()->isVisible());
    EXPECT_EQ(grid().cursorRow(), 5);
    DoubleClick(5, kColRx);
    EXPECT_TRUE(Text()->isVisible());
}

TEST_F(GridTest, OtherMouseButtonsOpenNothing) {
    Build();
    Click(5, kColRx, Qt::RightButton);
    EXPECT_FALSE(Text()->isVisible());
    EXPECT_EQ(Text()->contextMenuPolicy(), Qt::NoContextMenu);
}

TEST_F(GridTest, TypedKeysStartTheEditorWithThatCharacter) {
    Build();
    sheet().commitRx(2, "438.025");
    grid().showSheet();
    struct Case {
        int row, column;
        Qt::Key key;
        Qt::KeyboardModifiers mods;
        bool opens;
        int editColumn;
        const char* text;
    };
    const Case cases[] = {
        {1, kColName, Qt::Key_1, {}, true, kColRx, "1"}, // empty channel: receive first
        {1, kColRx, Qt::Key_Period, {}, true, kColRx, "."},
        {2, kColTx, Qt::Key_4, Qt::KeypadModifier, true, kColTx, "4"},
        {2, kColRx, Qt::Key_Comma, Qt::KeypadModifier, true, kColRx, "."},
        {2, kColName, Qt::Key_A, {}, true, kColName, "A"},
        {2, kColName, Qt::Key_Minus, {}, true, kColName, "-"},
        {2, kColName, Qt::Key_C, {}, false, 0, ""},
        {2, kColName, Qt::Key_V, {}, false, 0, ""},
        {2, kColName, Qt::Key_I, {}, false, 0, ""},
        {2, kColName, Qt::Key_F1, {}, false, 0, ""},
        {1, kColName, Qt::Key_A, {}, false, 0, ""}, // a letter makes no frequency
        {2, kColPower, Qt::Key_1, {}, false, 0, ""},
        {2, kColRx, Qt::Key_A, {}, false, 0, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "row " << c.row << " column " << c.column);
        KeyOnCell(c.row, c.column, c.key, c.mods);
        ASSERT_EQ(Text()->isVisible(), c.opens);
        if (c.opens) {
            EXPECT_EQ(grid().cursorColumn(), c.editColumn);
            EXPECT_EQ(Text()->text(), c.text);
            EXPECT_EQ(Text()->cursorPosition(), 1);
            QTest::keyClick(Text(), Qt::Key_Escape);
        } else {
            EXPECT_EQ(grid().cursorColumn(), c.column);
        }
    }
}

TEST_F(GridTest, CtrlKeysRunTheChannelCommandsFromGridAndEditors) {
    Build();
    sheet().commitRx(1, "438.025");
    grid().showSheet();
    QSignalSpy copy(&grid(), &ChannelGrid::copyRequested);
    QSignalSpy paste(&grid(), &ChannelGrid::pasteRequested);
    QSignalSpy clear(&grid(), &ChannelGrid::clearRequested);

    QTest::keyClick(&grid(), Qt::Key_C, Qt::ControlModifier);
    QTest::keyClick(&grid(), Qt::Key_V, Qt::ControlModifier);
    QTest::keyClick(&grid(), Qt::Key_D, Qt::ControlModifier);
    QTest::keyClick(&grid(), Qt::Key_C, Qt::ControlModifier | Qt::ShiftModifier);
    QTest::keyClick(&grid(), Qt::Key_C);
    EXPECT_EQ(copy.count(), 1);
    EXPECT_EQ(paste.count(), 1);
    EXPECT_EQ(clear.count(), 1);

    Click(1, kColRx);
    QTest::keyClick(Text(), Qt::Key_C, Qt::ControlModifier);
    QTest::keyClick(Text(), Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(copy.count(), 2);
    EXPECT_EQ(paste.count(), 2);
    EXPECT_EQ(Text()->text(), "438.02500"); // nothing pasted into the box
    QTest::keyClick(Text(), Qt::Key_Escape);

    Click(1, kColDecode);
    QTest::keyClick(Tone(), Qt::Key_D, Qt::ControlModifier);
    QTest::keyClick(Tone(), Qt::Key_Escape);
    Click(1, kColVox);
    QTest::keyClick(Choice(), Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(clear.count(), 2);
    EXPECT_EQ(copy.count(), 3);
}

TEST_F(GridTest, ArrowKeysMoveTheCursorAndSkipHiddenColumns) {
    Build();
    grid().setColumnVisible(kColTx, false);
    grid().setCursor(1, kColRx);
    QTest::keyClick(&grid(), Qt::Key_Right);
    EXPECT_EQ(grid().cursorColumn(), kColDecode);
    QTest::keyClick(&grid(), Qt::Key_Down);
    EXPECT_EQ(grid().cursorRow(), 2);
    EXPECT_EQ(session.currentChannel[kBankA], 2);
    EXPECT_EQ(session.currentColumn[kBankA], kColDecode);
    EXPECT_FALSE(Text()->isVisible());
}

} // namespace
} // namespace r57::ui::test
