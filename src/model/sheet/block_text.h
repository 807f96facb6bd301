// A block of channels as text for the system clipboard: tab-separated, a header line
// of the grid's captions, then one line per channel with its label ("A3") first. The
// same reader takes what other programs put there: a spreadsheet's cells with or
// without a header line, in English or Chinese captions, quoted as spreadsheets quote.
#pragma once

#include "core/channel.h"

#include <string>
#include <string_view>
#include <vector>

namespace r57 {

class BankSheet;

// The captions of columns 0..13 (not "More") and the cell texts of `rows`, one line
// each in the order given, in the sheet's language. Lines end with "\n"; a cell that
// holds a tab, a line break or a quote is quoted.
std::string BlockText(const BankSheet& sheet, const std::vector<int>& rows);

// Text cut into cells, each text column tied to the grid column it holds.
struct BlockTable {
    std::vector<int> columns; // grid column 0..13 of each text column; -1: not taken
    // Cells as the text holds them, quotes taken off; blanks are the rules' to trim (a
    // name may start with spaces). An entirely empty line is a row without cells.
    std::vector<std::vector<std::string>> rows;
    bool header = false;   // the first line named the columns
    bool labelled = false; // our own format: the lines start with a channel label
    // The first line looks like a header (no numbers over lines that have them) but
    // names no column the grid can take: nothing can be pasted.
    bool unknownHeader = false;
    std::vector<std::string> headerCells; // the header's cells (or the unknown one's)
};

// Reads the clipboard as spreadsheets write it: tab-separated cells, lines ending in
// LF or CRLF, a cell in double quotes may hold tabs, line breaks and doubled quotes; a
// UTF-8 byte-order mark and blank lines at the end are dropped. The first line is the
// header when most of its cells name grid columns by caption (either language, any
// case). Without one, text led by a channel label ("A3") goes by the grid's columns
// from the label; any other text goes to `firstColumn` and the columns to its right,
// as a spreadsheet pastes.
BlockTable ReadBlockText(std::string_view text, int firstColumn = kColRx);

// A cell without the blanks a spreadsheet leaves around it.
std::string_view TrimBlanks(std::string_view s);
// ASCII lower case, for captions and choices matched without regard to case.
std::string LowerCase(std::string_view s);

} // namespace r57
