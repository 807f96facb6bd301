// The clipboard reader against texts as spreadsheets write them, and a paste's rule for
// lines that are half right.
#include "sheet_fixture.h"

#include "model/sheet/block_commands.h"

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

TEST(BlockText, APasteTakesWholeLinesAndEmptyCellsChangeNothing) {
    const struct {
        const char* text;
        CellNote::Kind note;
        std::string after; // row 1: RX Freq / TX Freq / name
    } cases[] = {
        {"RX Freq\tCH.Name\nabc\tNEW\n", CellNote::kNotAFrequency, "446.10000/446.10000/OLD"},
        {"RX Freq\tTX Freq\tCH.Name\tW/N\n446.3\t\t\tWide\n", CellNote::kEmptyLine,
         "446.30000/446.10000/OLD"},
    };
    for (const auto& c : cases) {
        Session s;
        BankSheet a(s, kBankA);
        a.commitRx(1, "446.1");
        a.commitName(1, "OLD");
        const PasteResult r = PasteTable(a, 1, ReadBlockText(c.text));
        EXPECT_EQ(r.notes.empty() ? CellNote::kEmptyLine : r.notes[0].kind, c.note) << c.text;
        std::string name = a.cell(1, kColName);
        name.erase(name.find_last_not_of(' ') + 1);
        EXPECT_EQ(a.cell(1, kColRx) + "/" + a.cell(1, kColTx) + "/" + name, c.after) << c.text;
    }
    // A fill over empty channels is one line.
    const std::vector<CellNote> fill = {{3, kColName, CellNote::kEmptyChannel, "X", {}},
                                        {9, kColName, CellNote::kEmptyChannel, "X", {}}};
    EXPECT_EQ(
        NoteTexts(fill, kBankB, kEnglish),
        std::vector<std::string>{"B3 CH.Name: X was not taken by 2 empty channels (B3 to B9)."});
}

} // namespace
} // namespace r57::test
