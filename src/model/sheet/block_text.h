// A block of channels as text for the system clipboard: tab-separated, a header line
// of the grid's captions, then one line per channel with its label ("A3") first. The
// same reader takes what other programs put there: a spreadsheet's cells with or
// without a header line, in English or Chinese captions.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace r57 {

class BankSheet;

// The captions of columns 0..13 (not "More") and the cell texts of `rows`, one line
// each in the order given, in the sheet's language. Lines end with "\n".
std::string BlockText(const BankSheet& sheet, const std::vector<int>& rows);

// Text cut into cells, each text column tied to the grid column it holds.
struct BlockTable {
    std::vector<int> columns; // grid column 0..13 of each text column; -1: not one of ours
    std::vector<std::vector<std::string>> rows; // cells trimmed of surrounding blanks
    bool header = false;                        // the first line named the columns
};

// Reads tab-separated lines (a line without a tab is one cell). A first line whose
// cells name grid columns by caption (either language, any case) is the header;
// without one the columns are taken in the grid's order, from the label when the first
// cell reads as a channel label ("A3", "b12") and from the receive frequency otherwise.
// Blank lines at the end are dropped; a cell in double quotes loses them.
BlockTable ReadBlockText(std::string_view text);

// A cell without the blanks a spreadsheet leaves around it.
std::string_view TrimBlanks(std::string_view s);
// ASCII lower case, for captions and choices matched without regard to case.
std::string LowerCase(std::string_view s);

} // namespace r57
