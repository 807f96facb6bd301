#include "sheet_fixture.h"

#include "model/sheet/block_commands.h"

#include "core/message_ids.h"
#include "core/strings.h"

#include <string>
#include <vector>

namespace r57::test {
namespace {

class Blocks : public TwoSheets {
protected:
    // Rows 1..5: two channels on one frequency (a stable sort keeps them in order),
    // an empty row, a receive-only channel, and one with tones and choices set.
    void SetUp() override {
        a.commitRx(1, "446.10000");
        a.commitName(1, "Bravo");
        a.commitRx(2, "145.50000");
        a.commitName(2, "alpha");
        a.commitRx(4, "446.10000");
        a.commitName(4, "Charlie");
        a.commitTx(4, "");
        a.commitRx(5, "440.00625");
        a.commitTx(5, "445.00000");
        a.commitName(5, "delta");
        a.commitTone(5, kColDecode, "D023N");
        a.commitTone(5, kColEncode, "88.5");
        a.commitChoice(5, kColPower, "Low");
        a.commitChoice(5, kColPttId, "BOT");
        a.rewriteNames();
    }
    std::vector<std::string> Names(const BankSheet& sheet, int first, int last) {
        std::vector<std::string> names;
        for (int row = first; row <= last; ++row) {
            names.push_back(sheet.rowUsed(row) ? sheet.cell(row, kColName) : "-");
        }
        return names;
    }
};

TEST_F(Blocks, ClipboardTextCarriesTheChannelsIntoAnotherSessionInEitherLanguage) {
    for (int language : {kEnglish, kChinese}) {
        s.language = language;
        a.refresh();
        const std::string text = BlockText(a, {1, 3, 5});
        EXPECT_EQ(text.substr(0, text.find('\t')), ColumnCaption(kColLabel, language));
        EXPECT_NE(text.find("\nA5\t440.00625\t445.00000\t"), std::string::npos);

        Session other; // English, whatever the text's captions are
        BankSheet target(other, kBankB);
        const BlockTable table = ReadBlockText(text);
        ASSERT_TRUE(table.header);
        ASSERT_EQ(table.rows.size(), 3u);
        const PasteResult pasted = PasteTable(target, 127, table);
        EXPECT_EQ(pasted.lastRow, 128); // the third row fell off the end of the bank
        EXPECT_EQ(pasted.notPasted, 1);
        ASSERT_EQ(pasted.notes.size(), 1u); // A3 is empty: its line keeps row 128 as it was
        EXPECT_EQ(pasted.notes[0].kind, CellNote::kEmptyLine);
        EXPECT_EQ(RecordOf(other, kBankB, 127), RecordOf(s, kBankA, 1));
        EXPECT_FALSE(target.rowUsed(128));

        const PasteResult again = PasteTable(target, 10, table);
        EXPECT_EQ(RecordOf(other, kBankB, 12), RecordOf(s, kBankA, 5)) << language;
        EXPECT_EQ(target.cell(12, kColName), "delta");
        ExpectInStep(target, other);
    }
}

TEST_F(Blocks, ForeignTextGoesThroughTheFieldRulesAndListsWhatItRefused) {
    struct Case {
        std::string text;
        int row; // the row the case's first line lands in (pasted from row 20)
        int column;
        std::string shown; // the cell afterwards
        std::vector<CellNote::Kind> notes;
    };
    const std::string high = Text(kTextHigh, kChinese);
    const std::string dec = ColumnCaption(kColDecode, kEnglish);
    const std::string enc = ColumnCaption(kColEncode, kEnglish);
    const std::string none = Text(kTextHigh, kEnglish) == "High" ? "None" : "";
    const std::vector<Case> cases = {
        // A header naming some columns, in any case and order.
        {"name\tRX FREQ\tTX Power\nRepeater 1\t446.2\tLow\n",
         20,
         kColName,
         "Repeate",
         {CellNote::kShortened}},
        {"RX Freq\tTX Power\n446.2\t" + high + "\n", 20, kColPower, "High", {}},
        {"RX Freq\tTX Power\n446.2\tMedium\n", 20, kColPower, "High", {CellNote::kNotAChoice}},
        {"RX Freq\t" + dec + "\n446.2\t12.3\n", 20, kColDecode, none, {CellNote::kNoSuchTone}},
        // An empty cell changes nothing: the new channel keeps its TX Freq.
        {"RX Freq\tTX Freq\t" + enc + "\n446.2\t\t67.0\n", 20, kColEncode, "67.0", {}},
        // A frequency outside the band limits becomes the band's lower limit.
        {"RX Freq\n999\n", 20, kColRx, "400.00000", {CellNote::kOutOfBand}},
        {"RX Freq\n446.2 MHz\n", 20, kColRx, "446.20000", {}},
        {"RX Freq\n,\n", 20, kColRx, "400.00000", {CellNote::kOutOfBand}}, // as the grid takes it
        // No frequency in the text: the channel there is left as it was.
        {"RX Freq\nabc\n", 1, kColRx, "446.10000", {CellNote::kNotAFrequency}},
        {"RX Freq\nhttp://x/145\n", 1, kColRx, "446.10000", {CellNote::kNotAFrequency}},
        // Without a header: the grid's order, from the label when there is one.
        {"A9\t145.6\t145.7\n", 20, kColTx, "145.70000", {}},
        {"145.6\t145.7\n\n\n", 20, kColTx, "145.70000", {}},
        {"\"145.6\"\n", 20, kColRx, "145.60000", {}},
    };
    for (const Case& c : cases) {
        Session fresh;
        BankSheet sheet(fresh, kBankA);
        sheet.commitRx(1, "446.1");
        const int start = c.row == 1 ? 1 : 20;
        const PasteResult r = PasteTable(sheet, start, ReadBlockText(c.text));
        std::vector<CellNote::Kind> kinds;
        for (const CellNote& n : r.notes) {
            kinds.push_back(n.kind);
            EXPECT_EQ(n.row, start) << c.text;
        }
        EXPECT_EQ(kinds, c.notes) << c.text;
        std::string shown = sheet.cell(c.row, c.column);
        shown.erase(shown.find_last_not_of(' ') + 1);
        EXPECT_EQ(shown, c.shown) << c.text;
        ExpectInStep(sheet, fresh);
    }
}

TEST_F(Blocks, FillSetsEveryUsedRowAsTheSingleRuleDoesAndLeavesEmptyRowsEmpty) {
    // The same values set one row at a time by the sheet's own rules on a twin session.
    Session twin = s;
    BankSheet single(twin, kBankA);
    const std::vector<int> rows{1, 2, 3, 4, 5};
    struct Case {
        int column;
        const char* value;
        std::vector<int> noted; // rows with a note
    };
    const std::vector<Case> cases = {
        {kColEncode, "88.5", {3, 4}}, // row 3 is empty, row 4 receive-only
        {kColPower, "Low", {3}},      {kColScan, "Del", {3}},
        {kColName, "SITE", {3}},      {kColTx, "446.3", {3}},
    };
    for (const Case& c : cases) {
        std::vector<int> noted;
        for (const CellNote& n : FillColumn(a, rows, c.column, c.value)) {
            noted.push_back(n.row);
        }
        EXPECT_EQ(noted, c.noted) << c.value;
        for (int row : rows) {
            if (single.rowUsed(row)) {
                single.commitCell(row, c.column, c.value);
            }
        }
        for (int row : rows) {
            EXPECT_EQ(RecordOf(s, kBankA, row), RecordOf(twin, kBankA, row)) << c.value << row;
        }
        EXPECT_FALSE(a.rowUsed(3));
    }
    FillColumn(a, rows, kColRx, "145.1"); // the receive frequency creates the empty one
    EXPECT_EQ(a.cell(3, kColRx), "145.10000");
    ExpectInStep(a, s);
}

TEST_F(Blocks, SortIsStableKeepsEmptyRowsLastAndMovesNames) {
    struct Case {
        SortKey key;
        bool descending;
        std::vector<int> rows;
        std::vector<std::string> names; // rows 1..6 afterwards, "-" for empty
    };
    const std::vector<Case> cases = {
        {SortKey::RxFrequency, false, {}, {"alpha", "delta", "Bravo", "Charlie", "-", "-"}},
        {SortKey::RxFrequency, true, {}, {"Bravo", "Charlie", "delta", "alpha", "-", "-"}},
        {SortKey::Name, false, {}, {"alpha", "Bravo", "Charlie", "delta", "-", "-"}},
        {SortKey::Name, true, {}, {"delta", "Charlie", "Bravo", "alpha", "-", "-"}},
        // Receive-only after the others, whichever way.
        {SortKey::TxFrequency, true, {}, {"Bravo", "delta", "alpha", "Charlie", "-", "-"}},
        // Only the selected rows take part.
        {SortKey::Name, true, {1, 2, 3}, {"Bravo", "alpha", "-", "Charlie", "delta", "-"}},
    };
    for (const Case& c : cases) {
        Session copy = s;
        BankSheet sheet(copy, kBankA);
        sheet.refresh();
        for (int row = 1; row <= 5; ++row) {
            sheet.commitName(row, std::string(sheet.cell(row, kColName)).substr(0, 7));
        }
        const Bytes16 delta = RecordOf(copy, kBankA, 5);
        ApplyOrder(sheet, SortOrder(sheet, c.rows, c.key, c.descending));
        std::vector<std::string> names = Names(sheet, 1, 6);
        for (std::string& n : names) {
            n.erase(n.find_last_not_of(' ') + 1);
        }
        EXPECT_EQ(names, c.names);
        for (int row = 1; row <= 6; ++row) {
            if (sheet.cell(row, kColName).rfind("delta", 0) == 0) {
                EXPECT_EQ(RecordOf(copy, kBankA, row), delta); // the record came along
            }
        }
        ExpectInStep(sheet, copy);
    }
}

TEST_F(Blocks, MovesByKeyByDropAndToTheOtherBank) {
    EXPECT_EQ(MoveBlock(a, {1, 2}, -1), (std::vector<int>{1, 2})); // at the top: nothing
    EXPECT_EQ(MoveBlock(a, {4, 5}, -1), (std::vector<int>{3, 4}));
    EXPECT_EQ(Names(a, 1, 5),
              (std::vector<std::string>{"Bravo", "alpha", "Charlie", "delta", "-"}));
    EXPECT_EQ(MoveBlock(a, {1, 3}, 1), (std::vector<int>{2, 4}));
    EXPECT_EQ(Names(a, 1, 5),
              (std::vector<std::string>{"alpha", "Bravo", "delta", "Charlie", "-"}));

    struct Drop {
        std::vector<int> rows;
        int before;
        std::vector<int> first; // order[0..4]
    };
    const std::vector<Drop> drops = {
        {{4, 5}, 1, {4, 5, 1, 2, 3}}, {{1, 3}, 5, {2, 4, 1, 3, 5}}, {{2}, 129, {1, 3, 4, 5, 6}}};
    for (const Drop& d : drops) {
        const BankOrder order = DropOrder(d.rows, d.before);
        EXPECT_EQ(std::vector<int>(order.begin(), order.begin() + 5), d.first);
    }
    EXPECT_EQ(DropOrder({2}, 129).back(), 2);

    ApplyOrder(a, DropOrder({3, 4}, 1));
    EXPECT_EQ(Names(a, 1, 4), (std::vector<std::string>{"delta", "Charlie", "alpha", "Bravo"}));
    ExpectInStep(a, s);

    b.commitRx(1, "145.2");
    const Bytes16 deltaRecord = RecordOf(s, kBankA, 1);
    EXPECT_EQ(MoveToBank(a, b, {1, 2, 5}), (std::vector<int>{2, 3})); // row 5 is empty
    EXPECT_EQ(RecordOf(s, kBankB, 2), deltaRecord);
    EXPECT_EQ(NameOf(s, kBankB, 3), "Charlie");
    EXPECT_FALSE(a.rowUsed(1));
    EXPECT_EQ(NameOf(s, kBankA, 1), "       ");
    for (int row = 4; row <= kChannelRows; ++row) {
        b.commitRx(row, "145.3");
    }
    EXPECT_TRUE(MoveToBank(a, b, {3, 4}).empty()); // one empty row left, two to move
    EXPECT_TRUE(a.rowUsed(3));
    ExpectInStep(a, s);
    ExpectInStep(b, s);
}

TEST_F(Blocks, FindMatchesNamesAnywhereAndFrequenciesFromTheStartAcrossBanks) {
    b.commitRx(7, "446.00625");
    b.commitName(7, "Bravo2");
    std::array<BankTexts, 2> banks;
    for (int row = 1; row <= kChannelRows; ++row) {
        for (int c = 0; c < kColumnCount; ++c) {
            banks[0][row - 1][c] = a.cell(row, c);
            banks[1][row - 1][c] = b.cell(row, c);
        }
    }
    struct Case {
        const char* text;
        ChannelPlace from;
        bool forward;
        int bank; // -1: no match
        int row;
    };
    const std::vector<Case> cases = {
        {"BRAV", {kBankA, 1}, true, kBankB, 7},  // next after the cursor, in bank B
        {"brav", {kBankB, 7}, true, kBankA, 1},  // round again to A1
        {"brav", {kBankA, 1}, false, kBankB, 7}, // backwards round the start
        {"446.0", {kBankA, 1}, true, kBankB, 7}, // from the frequency's start
        {"446,1", {kBankA, 1}, true, kBankA, 4}, // "," reads as "."
        {"445", {kBankA, 1}, true, kBankA, 5},   // the transmit frequency
        {"6.1", {kBankA, 1}, true, -1, 0},       // not from the start: no match
        {"", {kBankA, 1}, true, -1, 0},
        {"Charlie", {kBankA, 4}, true, kBankA, 4}, // the only match is where we are
    };
    for (const Case& c : cases) {
        const auto hit = FindChannel(banks, c.text, c.from, c.forward);
        ASSERT_EQ(hit.has_value(), c.bank >= 0) << c.text;
        if (hit) {
            EXPECT_EQ(hit->bank, c.bank) << c.text;
            EXPECT_EQ(hit->row, c.row) << c.text;
        }
    }
}

} // namespace
} // namespace r57::test
