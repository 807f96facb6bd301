// Committing the grid's editors: what reaches the cells and the image, and where the
// cursor goes after Enter.
#include "channel_grid_fixture.h"

#include "core/strings.h"

#include <QAbstractItemView>
#include <QFocusEvent>
#include <QScrollBar>
#include <QSignalSpy>

namespace r57::ui::test {
namespace {

using Bytes = std::array<uint8_t, 16>;

TEST_F(GridTest, EnteringAReceiveFrequencyCreatesTheChannel) {
    Build();
    QSignalSpy edited(&grid(), &ChannelGrid::channelEdited);
    EnterRx(3, "438.025");
    EXPECT_FALSE(Text()->isVisible());
    EXPECT_TRUE(grid().hasFocus());
    EXPECT_EQ(grid().cursorRow(), 3);
    EXPECT_EQ(grid().cursorColumn(), kColTx);
    ASSERT_EQ(edited.count(), 1);
    EXPECT_EQ(edited.at(0).at(0).toInt(), 3);

    const char* expected[] = {"", "438.02500", "438.02500", "None", "None", "High", "Add", "Wide",
                              "", "Off",       "Off",       "Off",  "Off",  "7",    ">>"};
    for (int c = kColRx; c < kColumnCount; ++c) {
        if (c != kColName) {
            EXPECT_EQ(grid().cellText(3, c), expected[c]) << "column " << c;
        }
    }
    const Bytes record{0x43, 0x80, 0x25, 0x00, 0x43, 0x80, 0x25, 0x00,
                       0xFF, 0xFF, 0xFF, 0xFF, 0x04, 0x00, 0x46, 0x00};
    EXPECT_EQ(Record(3), record);
}

TEST_F(GridTest, EscRestoresTheCellAndWritesNothing) {
    Build();
    EnterRx(1, "145.5");
    session.takeSavedCopy();
    QSignalSpy edited(&grid(), &ChannelGrid::channelEdited);

    Click(1, kColRx);
    QTest::keyClicks(Text(), "440");
    QTest::keyClick(Text(), Qt::Key_Escape);
    EXPECT_FALSE(Text()->isVisible());
    EXPECT_EQ(grid().cellText(1, kColRx), "145.50000");
    EXPECT_FALSE(session.hasUnsavedChanges());

    Click(1, kColPower);
    QTest::keyClick(Choice(), Qt::Key_Down);
    QTest::keyClick(Choice(), Qt::Key_Escape);
    EXPECT_EQ(grid().cellText(1, kColPower), "High");
    EXPECT_FALSE(session.hasUnsavedChanges());
    EXPECT_EQ(edited.count(), 0);
}

TEST_F(GridTest, LeavingAnEditorCommitsIt) {
    Build();
    EnterRx(1, "145.5");
    Click(1, kColName);
    QTest::keyClicks(Text(), "Base{1}");
    Click(2, kColRx); // the click moves the focus away first
    EXPECT_EQ(grid().cellText(1, kColName), "Base1");
    CodeplugImage copy = session.image;
    EXPECT_EQ(ReadChannelName(copy, 1), "Base1  ");
    EXPECT_TRUE(Text()->isVisible()); // now over row 2
    EXPECT_EQ(grid().cursorRow(), 2);
}

TEST_F(GridTest, UnchangedTextWritesNothing) {
    Build();
    EnterRx(1, "145.5");
    session.image.set(RecordAddress(kBankA, 1) + 12, 0x07); // option 3 shows as "Off"
    session.takeSavedCopy();
    sheet().refresh();
    grid().showSheet();
    Click(1, kColOption);
    EXPECT_EQ(Choice()->currentText(), "Off");
    QTest::keyClick(Choice(), Qt::Key_Return);
    Click(1, kColRx);
    QTest::keyClick(Text(), Qt::Key_Return);
    EXPECT_FALSE(session.hasUnsavedChanges());
}

TEST_F(GridTest, ToneEditorTakesListedOrTypedTonesOnly) {
    Build();
    EnterRx(1, "438.025");
    struct Case {
        const char* typed;
        const char* cell;
        uint8_t low, high;
    };
    const Case cases[] = {
        {"88.5", "88.5", 0x85, 0x08},  {"d023i", "D023I", 0x23, 0xC0}, {"100", "100.0", 0x00, 0x10},
        {"12.3", "100.0", 0x00, 0x10}, // not a tone of the radio: nothing written
        {"", "100.0", 0x00, 0x10},     {"None", "None", 0xFF, 0xFF},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.typed);
        Click(1, kColDecode);
        ASSERT_TRUE(Tone()->isVisible());
        Tone()->lineEdit()->clear();
        QTest::keyClicks(Tone()->lineEdit(), c.typed);
        Tone()->lineEdit()->setText(c.typed); // whatever completion suggested
        QTest::keyClick(Tone(), Qt::Key_Return);
        EXPECT_FALSE(Tone()->isVisible());
        EXPECT_EQ(grid().cellText(1, kColDecode), c.cell);
        EXPECT_EQ(Record(1)[8], c.low);
        EXPECT_EQ(Record(1)[9], c.high);
    }
}

TEST_F(GridTest, EnterMovesTheCursorAsEachEditorSays) {
    Build();
    EnterRx(1, "438.025");
    EnterRx(128, "438.025");
    EnterRx(5, "145.5");
    sheet().commitTx(5, "");
    grid().showSheet();

    // Decode of a receive-only channel goes straight on to TX Power.
    Click(5, kColDecode);
    QTest::keyClick(Tone(), Qt::Key_Return);
    EXPECT_EQ(grid().cursorColumn(), kColPower);
    Click(1, kColDecode);
    QTest::keyClick(Tone(), Qt::Key_Return);
    EXPECT_EQ(grid().cursorColumn(), kColEncode);

    // Scrambler of the last channel stays in the last row.
    Click(128, kColScrambler);
    QTest::keyClick(Choice(), Qt::Key_Return);
    EXPECT_EQ(grid().cursorRow(), 128);
    EXPECT_EQ(grid().cursorColumn(), kColMore);

    // Hidden columns are skipped.
    for (int c = kColBcl; c <= kColScrambler; ++c) {
        grid().setColumnVisible(c, false);
    }
    Click(1, kColName);
    QTest::keyClick(Text(), Qt::Key_Return);
    EXPECT_EQ(grid().cursorColumn(), kColMore);
    Click(1, kColWidth);
    QTest::keyClick(Choice(), Qt::Key_Return);
    EXPECT_EQ(grid().cursorColumn(), kColName);
}

TEST_F(GridTest, ChoiceEditorWritesTheFlagBits) {
    Build();
    EnterRx(1, "438.025");
    Click(1, kColPower);
    Choice()->setCurrentIndex(Choice()->findText("Low"));
    QTest::keyClick(Choice(), Qt::Key_Return);
    EXPECT_EQ(grid().cellText(1, kColPower), "Low");
    EXPECT_EQ(Record(1)[12] & 0x04, 0);
    EXPECT_EQ(grid().cursorColumn(), kColScan);

    Click(1, kColScrambler);
    Choice()->setCurrentIndex(Choice()->findText("2"));
    QTest::keyClick(Choice(), Qt::Key_Return);
    EXPECT_EQ(Record(1)[14] & 0x07, 1);
}

TEST_F(GridTest, OneClickOnAListEditorShowsItsListAndAPickIsTaken) {
    Build();
    EnterRx(1, "438.025");
    Click(1, kColPower);
    QComboBox* box = Choice();
    QTest::mouseClick(box, Qt::LeftButton);
    QAbstractItemView* list = box->view();
    ASSERT_TRUE(list->isVisible());
    // On X the list's window takes the focus a second time as it opens; that, or another
    // window taking it, keeps the editor open.
    for (Qt::FocusReason reason : {Qt::OtherFocusReason, Qt::ActiveWindowFocusReason}) {
        QFocusEvent away(QEvent::FocusOut, reason);
        QApplication::sendEvent(box, &away);
        EXPECT_TRUE(grid().editorOpen());
    }
    QTest::keyClick(list, Qt::Key_Down); // from High to Low in the list
    QTest::keyClick(list, Qt::Key_Return);
    EXPECT_FALSE(list->isVisible());
    Click(2, kColName); // elsewhere
    EXPECT_EQ(grid().cellText(1, kColPower), "Low");
    EXPECT_EQ(Record(1)[12] & 0x04, 0);
}

TEST_F(GridTest, TextEditorDropsWhatTheFieldCannotHold) {
    Build();
    Click(1, kColRx);
    QTest::keyClicks(Text(), "4a3-8,0x");
    EXPECT_EQ(Text()->text(), "438,0");
    QTest::keyClick(Text(), Qt::Key_Z, Qt::ControlModifier);
    QTest::keyClick(Text(), Qt::Key_Backspace);
    EXPECT_EQ(Text()->text(), "438,");
    Text()->insert("9 MHz"); // a paste by another route meets the same rule
    EXPECT_EQ(Text()->text(), "438,");
}

TEST_F(GridTest, BankBWritesItsOwnRecordsAndNameSlots) {
    Build(kBankB);
    EnterRx(2, "145.5");
    Click(2, kColName);
    QTest::keyClicks(Text(), "Relay");
    QTest::keyClick(Text(), Qt::Key_Return);
    EXPECT_EQ(Record(2)[0], 0x14);
    EXPECT_EQ(session.image.at(RecordAddress(kBankA, 2)), 0xFF);
    CodeplugImage copy = session.image;
    EXPECT_EQ(ReadChannelName(copy, 2 + 128), "Relay  ");
    EXPECT_EQ(session.image.at(NameAddress(2)), 0xFF);
    EXPECT_EQ(session.currentChannel[kBankB], 2);
}

TEST_F(GridTest, ChineseCaptionsListsAndChoices) {
    session.language = kChinese;
    Build();
    EXPECT_EQ(grid().model()->headerData(0, Qt::Horizontal).toString(), "接收频率");
    EXPECT_EQ(grid().model()->headerData(13, Qt::Horizontal).toString(), "更多");
    EnterRx(1, "438.025");
    EXPECT_EQ(grid().cellText(1, kColPower), "高");
    Click(1, kColDecode);
    EXPECT_EQ(Tone()->itemText(0), "无");
    EXPECT_EQ(Tone()->currentText(), "无");
    QTest::keyClick(Tone(), Qt::Key_Escape);
    Click(1, kColPower);
    Choice()->setCurrentIndex(Choice()->findText("低"));
    QTest::keyClick(Choice(), Qt::Key_Return);
    EXPECT_EQ(Record(1)[12] & 0x04, 0);

    session.language = kEnglish;
    grid().applyLanguage();
    sheet().refresh();
    grid().showSheet();
    EXPECT_EQ(grid().model()->headerData(0, Qt::Horizontal).toString(), "RX Freq");
    EXPECT_EQ(grid().cellText(1, kColPower), "Low");
}

TEST_F(GridTest, LanguageSwitchDropsAnEditorLeftOpen) {
    Build();
    EnterRx(1, "438.025");
    session.takeSavedCopy();
    Click(1, kColPower);         // shows "High"
    session.language = kChinese; // "High" would no longer read as high power
    grid().applyLanguage();
    EXPECT_FALSE(Choice()->isVisible());
    EXPECT_FALSE(session.hasUnsavedChanges());
}

TEST_F(GridTest, ScrollingCommitsThePendingEdit) {
    Build();
    Click(1, kColRx);
    QTest::keyClicks(Text(), "145.5");
    grid().verticalScrollBar()->setValue(40);
    EXPECT_FALSE(Text()->isVisible());
    EXPECT_EQ(sheet().cell(1, kColRx), "145.50000");
}

TEST_F(GridTest, CommitPendingEditReportsAnOpenEditor) {
    Build();
    EXPECT_FALSE(grid().commitPendingEdit());
    Click(1, kColRx);
    QTest::keyClicks(Text(), "440");
    EXPECT_TRUE(grid().editorOpen());
    EXPECT_TRUE(grid().commitPendingEdit());
    EXPECT_FALSE(grid().editorOpen());
    EXPECT_EQ(grid().cellText(1, kColRx), "440.00000");
    EXPECT_TRUE(grid().hasFocus());
}

} // namespace
} // namespace r57::ui::test
