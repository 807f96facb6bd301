#include "sheet_fixture.h"

#include <string>
#include <vector>

namespace r57::test {
namespace {

// A bank whose rows carry distinct channels, so any shift shows in texts and bytes.
class BankCommands : public TwoSheets {
protected:
    // Channel n of the pattern: 400 MHz + n × 12.5 kHz, named "CHn".
    static std::string RxOf(int n) {
        char text[32];
        std::snprintf(text, sizeof text, "%03d.%05d", 400 + n * 125 / 10000,
                      (n * 125 % 10000) * 10);
        return text;
    }
    void Fill(BankSheet& sheet, int from, int to) {
        for (int n = from; n <= to; ++n) {
            sheet.commitRx(n, RxOf(n));
            sheet.commitName(n, "CH" + std::to_string(n));
        }
    }
    // The receive texts of rows first..last, "" for empty rows.
    std::vector<std::string> RxColumn(const BankSheet& sheet, int first, int last) {
        std::vector<std::string> texts;
        for (int row = first; row <= last; ++row) {
            texts.push_back(sheet.cell(row, kColRx));
        }
        return texts;
    }
};

TEST_F(BankCommands, BuildingASheetLeavesTheImageAlone) {
    Bytes16 zero{};
    SetRecord(s, kBankA, 3, zero); // all 0x00 counts as empty
    const CodeplugImage before = s.image;
    BankSheet fresh(s, kBankA);
    EXPECT_TRUE(s.image == before);
    EXPECT_EQ(fresh.cell(3, kColRx), "");
    EXPECT_EQ(fresh.cell(3, kColLabel), "A3");
    fresh.refresh(); // the refresh repairs it
    EXPECT_EQ(RecordOf(s, kBankA, 3), Erased());
}

TEST_F(BankCommands, CellsOutsideTheSheetAreEmpty) {
    EXPECT_EQ(a.cell(0, kColRx), "");
    EXPECT_EQ(a.cell(129, kColRx), "");
    EXPECT_EQ(a.cell(1, 15), "");
    EXPECT_EQ(b.cell(128, kColLabel), "B128");
}

TEST_F(BankCommands, EditClearKeepsTheNameButClearChannelDoesNot) {
    Fill(a, 1, 2);
    a.clearRecord(1);
    a.clearChannel(2);
    for (int row : {1, 2}) {
        EXPECT_EQ(RecordOf(s, kBankA, row), Erased());
        EXPECT_FALSE(a.rowUsed(row));
        EXPECT_EQ(a.cell(row, kColName), "");
    }
    EXPECT_EQ(NameOf(s, kBankA, 1), "CH1    ");
    EXPECT_EQ(NameOf(s, kBankA, 2), "       ");
    ExpectInStep(a, s);
}

TEST_F(BankCommands, MoveUpAndDown) {
    Fill(a, 1, 3);
    Fill(a, 126, 128);
    struct Case {
        bool up;
        int row;
        int newRow;
        std::vector<int> order; // channel numbers of rows 1..3 after the move
    };
    const std::vector<Case> cases = {
        {true, 1, 1, {1, 2, 3}}, // top: nothing moves
        {true, 3, 2, {1, 3, 2}},
        {false, 1, 2, {3, 1, 2}},
        {false, 0, 0, {3, 1, 2}}, // header row: nothing
    };
    for (const Case& c : cases) {
        int moved = c.up ? a.moveUp(c.row) : a.moveDown(c.row);
        EXPECT_EQ(moved, c.newRow);
        for (int row = 1; row <= 3; ++row) {
            EXPECT_EQ(a.cell(row, kColRx), RxOf(c.order[row - 1])) << "row " << row;
            EXPECT_EQ(a.cell(row, kColName), "CH" + std::to_string(c.order[row - 1]));
        }
        ExpectInStep(a, s);
    }
    const CodeplugImage before = s.image;
    EXPECT_EQ(a.moveDown(128), 128);
    EXPECT_TRUE(s.image == before);
    EXPECT_EQ(a.cell(128, kColRx), RxOf(128));
}

TEST_F(BankCommands, InsertShiftsRowsDownAndLosesTheLast) {
    Fill(a, 1, 6);
    EXPECT_FALSE(a.insertNeedsConfirmation());
    a.insert(5);
    EXPECT_EQ(RxColumn(a, 4, 8), (std::vector<std::string>{RxOf(4), "", RxOf(5), RxOf(6), ""}));
    EXPECT_EQ(RecordOf(s, kBankA, 5), Erased());
    EXPECT_EQ(a.cell(6, kColName), "CH5");
    ExpectInStep(a, s);

    a.commitRx(128, RxOf(128));
    a.commitRx(127, RxOf(127));
    EXPECT_TRUE(a.insertNeedsConfirmation());
    a.insert(1);
    EXPECT_EQ(a.cell(128, kColRx), RxOf(127)); // the old row 128 is gone
    EXPECT_EQ(a.cell(2, kColRx), RxOf(1));
    EXPECT_FALSE(a.rowUsed(1));
    ExpectInStep(a, s);
}

TEST_F(BankCommands, RemoveShiftsRowsUpAndEmptiesTheLast) {
    Fill(a, 1, 4);
    a.commitRx(128, RxOf(128));
    a.remove(2);
    EXPECT_EQ(RxColumn(a, 1, 4), (std::vector<std::string>{RxOf(1), RxOf(3), RxOf(4), ""}));
    EXPECT_EQ(a.cell(127, kColRx), RxOf(128));
    EXPECT_FALSE(a.rowUsed(128));
    EXPECT_EQ(RecordOf(s, kBankA, 128), Erased());
    ExpectInStep(a, s);

    a.remove(127); // the last used row; row 128 is simply cleared again
    EXPECT_FALSE(a.rowUsed(127));
    a.commitRx(128, RxOf(128));
    a.remove(128);
    EXPECT_FALSE(a.rowUsed(128));
    ExpectInStep(a, s);
}

TEST_F(BankCommands, CommandsTouchOnlyTheirOwnBank) {
    Fill(b, 1, 3);
    const Bytes16 b2 = RecordOf(s, kBankB, 2);
    Fill(a, 1, 3);
    a.insert(1);
    a.remove(3);
    a.moveUp(2);
    EXPECT_EQ(RecordOf(s, kBankB, 2), b2);
    EXPECT_EQ(RxColumn(b, 1, 3), (std::vector<std::string>{RxOf(1), RxOf(2), RxOf(3)}));
}

TEST_F(BankCommands, CopyInBankAPasteInBankB) {
    Fill(a, 1, 1);
    a.commitTone(1, kColDecode, "D023N");
    a.commitChoice(1, kColPttId, "Both");
    ChannelClipboard clip;
    EXPECT_FALSE(a.copy(2, clip)); // empty channel
    EXPECT_FALSE(a.copy(0, clip));
    EXPECT_FALSE(clip.filled);
    b.paste(5, clip); // nothing copied yet: nothing happens
    EXPECT_FALSE(b.rowUsed(5));

    ASSERT_TRUE(a.copy(1, clip));
    b.paste(5, clip);
    EXPECT_EQ(RecordOf(s, kBankB, 5), RecordOf(s, kBankA, 1));
    for (int c = kColRx; c < kColumnCount; ++c) {
        EXPECT_EQ(b.cell(5, c), a.cell(1, c)) << "column " << c;
    }
    EXPECT_EQ(b.cell(5, kColLabel), "B5");
    ExpectInStep(b, s);

    // The clipboard is a snapshot: later edits of the source do not reach it.
    a.commitRx(1, "");
    b.paste(6, clip);
    EXPECT_EQ(b.cell(6, kColName), "CH1");
}

TEST_F(BankCommands, RewriteNamesStoresColumn8OfUsedRows) {
    Fill(b, 1, 3);
    b.moveDown(1); // rows: CH2, CH1, CH3; slots still CH1, CH2, CH3
    EXPECT_EQ(NameOf(s, kBankB, 1), "CH1    ");
    WriteChannelName(s.image, NameSlot(kBankB, 10), "KEEP");
    b.rewriteNames();
    EXPECT_EQ(NameOf(s, kBankB, 1), "CH2    ");
    EXPECT_EQ(NameOf(s, kBankB, 2), "CH1    ");
    EXPECT_EQ(NameOf(s, kBankB, 3), "CH3    ");
    EXPECT_EQ(NameOf(s, kBankB, 10), "KEEP   "); // unused rows keep their slot
    EXPECT_EQ(NameOf(s, kBankA, 1), "       ");  // bank A slot 1 is another slot
}

TEST_F(BankCommands, RefreshAndClearAll) {
    Fill(a, 1, 2);
    s.language = kChinese;
    a.refresh();
    EXPECT_EQ(a.cell(1, kColDecode), "无");
    EXPECT_EQ(a.cell(1, kColName), "CH1    ");
    a.clearAll();
    EXPECT_FALSE(a.rowUsed(1));
    EXPECT_EQ(a.cell(1, kColLabel), "A1");
    EXPECT_NE(RecordOf(s, kBankA, 1), Erased()); // New clears the image itself
}

} // namespace
} // namespace r57::test
