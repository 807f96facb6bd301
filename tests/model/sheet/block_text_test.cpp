// The clipboard reader against texts as spreadsheets write them, and a paste's rules for
// lines that are half right, empty or aimed at empty channels.
#include "sheet_fixture.h"

#include "model/sheet/block_commands.h"
#include "model/sheet/record_access.h"

#include <functional>
#include <string>
#include <vector>

namespace r57::test {
namespace {

using Lines = std::vector<std::vector<std::string>>;

TEST(BlockText, ReadsCellsAsSpreadsheetsWriteThem) {
    struct Case {
        const char* what;
        std::string text;
        int firstColumn;
        bool header;
        std::vector<int> columns;
        Lines rows;
    };
    const std::vector<Case> cases = {
        {"LibreOffice: a quoted line break and tab stay in their cell",
         "RX Freq\tCH.Name\n446.1\t\"Two\nlines\"\n446.2\t\"a\tb\"\n",
         kColRx,
         true,
         {kColRx, kColName},
         {{"446.1", "Two\nlines"}, {"446.2", "a\tb"}}},
        {"Excel: BOM, CRLF, doubled quotes, no line end at the end",
         "\xEF\xBB\xBFRX Freq\tCH.Name\r\n446.1\t\"say \"\"hi\"\"\"\r\n446.2\t  HOME",
         kColRx,
         true,
         {kColRx, kColName},
         {{"446.1", "say \"hi\""}, {"446.2", "  HOME"}}},
        {"an empty line in the middle is a row without cells; blank lines at the end go",
         "446.1\n\n446.2\n\n\n",
         kColRx,
         false,
         {kColRx},
         {{"446.1"}, {}, {"446.2"}}},
        {"a stray quote is a character",
         "\"446.1\tab\n",
         kColRx,
         false,
         {kColRx, kColTx},
         {{"\"446.1", "ab"}}},
        {"headerless text goes to the cursor's column and on to the right",
         "ALPHA\tLow\n",
         kColName,
         false,
         {kColName, kColBcl},
         {{"ALPHA", "Low"}}},
        {"our own lines, led by a label, go by the grid's columns",
         "A3\t446.1\t446.2\n",
         kColName,
         false,
         {kColLabel, kColRx, kColTx},
         {{"A3", "446.1", "446.2"}}},
        {"a name that is a caption does not make a header",
         "446.1\t446.1\tNone\tNone\tHigh\tAdd\tWide\tVOX\n",
         kColRx,
         false,
         {kColRx, kColTx, kColDecode, kColEncode, kColPower, kColScan, kColWidth, kColName},
         {{"446.1", "446.1", "None", "None", "High", "Add", "Wide", "VOX"}}},
        {"a header of mostly captions; a second RX Freq and More are not taken",
         "rx freq\tRX Freq\tMore\tNotes\n1\t2\t3\t4\n",
         kColRx,
         true,
         {kColRx, -1, -1, -1},
         {{"1", "2", "3", "4"}}},
        {"one cell alone: a header only over a number or naming the cursor's column",
         "VOX\nHOME\n",
         kColName,
         false,
         {kColName},
         {{"VOX"}, {"HOME"}}},
        {"", "CH.Name\nHOME\n", kColName, true, {kColName}, {{"HOME"}}},
        {"past the last column nothing is taken",
         "7\t8\n",
         kColScrambler,
         false,
         {kColScrambler, -1},
         {{"7", "8"}}},
    };
    for (const Case& c : cases) {
        const BlockTable t = ReadBlockText(c.text, c.firstColumn);
        EXPECT_EQ(t.header, c.header) << c.what;
        EXPECT_EQ(t.columns, c.columns) << c.what;
        EXPECT_EQ(t.rows, c.rows) << c.what;
        EXPECT_FALSE(t.unknownHeader) << c.what;
    }
    const BlockTable words = ReadBlockText("Frequency\tAlias\n446.1\tBASE\n");
    EXPECT_TRUE(words.unknownHeader);
    EXPECT_EQ(words.headerCells, (std::vector<std::string>{"Frequency", "Alias"}));
}

TEST(BlockText, OurOwnCopyComesBackCellForCell) {
    Session s;
    BankSheet a(s, kBankA);
    a.commitRx(1, "446.1");
    a.commitName(1, "  \"Q\" ");
    a.commitRx(2, "446.2");
    const BlockTable t = ReadBlockText(BlockText(a, {1, 2, 3}));
    ASSERT_EQ(t.rows.size(), 3u);
    for (int row = 1; row <= 3; ++row) {
        for (int c = kColLabel; c < kColMore; ++c) {
            EXPECT_EQ(t.rows[row - 1][c], a.cell(row, c)) << row << " " << c;
        }
    }
    BankSheet b(s, kBankB);
    PasteTable(b, 5, t);
    EXPECT_EQ(b.cell(5, kColName), "  \"Q\""); // the leading spaces survive
}

TEST(BlockText, APasteTakesWholeLinesAndNamesWhatItLeaves) {
    struct Case {
        const char* what;
        std::string text;
        std::vector<CellNote::Kind> notes;
        std::vector<std::string> after; // rows 1..3: RX Freq / TX Freq / name
    };
    const std::vector<Case> cases = {
        {"a refused RX Freq refuses its line: the old channel keeps its name",
         "RX Freq\tCH.Name\nabc\tNEW\n",
         {CellNote::kNotAFrequency},
         {"446.10000/446.10000/OLD", "-", "-"}},
        {"empty cells and a short line change nothing",
         "RX Freq\tTX Freq\tCH.Name\n446.3\t\t\n",
         {},
         {"446.30000/446.10000/OLD", "-", "-"}},
        {"an empty line keeps its channel and says so",
         "RX Freq\tCH.Name\n\n446.2\tTWO\n",
         {CellNote::kEmptyLine},
         {"446.10000/446.10000/OLD", "446.20000/446.20000/TWO", "-"}},
        {"values for an empty channel without a RX Freq are named",
         "RX Freq\tCH.Name\tTX Power\n446.4\t\t\n\tLONE\tLow\n",
         {CellNote::kEmptyChannel},
         {"446.40000/446.10000/OLD", "-", "-"}},
        {"a header column matching nothing is named once",
         "RX Freq\tColour\n446.1\tred\n446.2\tblue\n",
         {CellNote::kColumnNotTaken},
         {"446.10000/446.10000/OLD", "446.20000/446.20000/", "-"}},
    };
    for (const Case& c : cases) {
        Session s;
        BankSheet a(s, kBankA);
        a.commitRx(1, "446.1");
        a.commitName(1, "OLD");
        const PasteResult r = PasteTable(a, 1, ReadBlockText(c.text));
        std::vector<CellNote::Kind> kinds;
        for (const CellNote& n : r.notes) {
            kinds.push_back(n.kind);
        }
        EXPECT_EQ(kinds, c.notes) << c.what;
        for (int row = 1; row <= 3; ++row) {
            std::string name = a.cell(row, kColName);
            name.erase(name.find_last_not_of(' ') + 1);
            const std::string shown =
                a.rowUsed(row) ? a.cell(row, kColRx) + "/" + a.cell(row, kColTx) + "/" + name : "-";
            EXPECT_EQ(shown, c.after[row - 1]) << c.what << " row " << row;
        }
    }
    const std::vector<CellNote> lone = {{2, kColName, CellNote::kEmptyChannel, "LONE, Low", {}}};
    EXPECT_EQ(NoteTexts(lone, kBankA, kEnglish).front(),
              "A2 CH.Name: LONE, Low was not taken; the channel is empty and its line gives no "
              "RX Freq.");
    EXPECT_EQ(RowsNotPastedText(6, kBankA, kEnglish), "6 rows not pasted: the bank ends at A128.");
}

TEST(BlockText, TheIdCodeTravelsWithItsChannelAndGoesWhereItIsEmptied) {
    Session s;
    BankSheet a(s, kBankA);
    BankSheet b(s, kBankB);
    const Bytes16 code{1, 2, 3, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 3, 0, 0, 0, 0, 7};
    auto idOf = [&](const BankSheet& sheet, int row) {
        return sheet::ReadIdBlock(s.image, sheet.bank(), row);
    };
    a.commitRx(2, "446.1");
    sheet::WriteIdBlock(s.image, kBankA, 2, code);
    Bytes16 emptied = code;
    std::fill(emptied.begin(), emptied.begin() + 10, 0xFF);
    emptied[10] = 0;
    struct Step {
        const char* what;
        std::function<void()> run;
        int bank;
        int row; // where the code is now
    };
    const std::vector<Step> steps = {
        {"CH-Up", [&] { a.moveUp(2); }, kBankA, 1},
        {"CH-Down", [&] { a.moveDown(1); }, kBankA, 2},
        {"Insert above", [&] { a.insert(1); }, kBankA, 3},
        {"Delete above", [&] { a.remove(1); }, kBankA, 2},
        {"copy and paste into B",
         [&] {
             ChannelClipboard clip;
             a.copy(2, clip);
             b.paste(9, clip);
         },
         kBankB, 9},
        {"to the other bank", [&] { MoveToBank(b, a, {9}); }, kBankA, 1},
    };
    for (const Step& step : steps) {
        step.run();
        EXPECT_EQ(idOf(step.bank == kBankA ? a : b, step.row), code) << step.what;
    }
    EXPECT_EQ(idOf(b, 9), emptied); // moved out of B: emptied there
    a.clearRecord(1);
    EXPECT_EQ(idOf(a, 1), emptied);
}

} // namespace
} // namespace r57::test
