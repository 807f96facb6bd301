// The memory map's cells: every byte of the image as two upper-case hexadecimal
// digits, 1024 rows of 16, and the rules of its edit box. The box takes hexadecimal
// digits only (a-f become A-F), at most two; whatever it holds when it is closed
// becomes two digits ("" is FF, "5" is 05), so every cell always holds a byte.
#pragma once

#include <cstdint>
#include <string>

namespace r57::service::hexmap {

constexpr int kRows = 1024;
constexpr int kColumns = 16;
constexpr int kMaxDigits = 2;

std::string CellText(uint8_t byte);  // "0F"
std::string RowLabel(int row);       // "0" .. "3FF"
std::string ColumnLabel(int column); // "0" .. "F"

// The character as the edit box takes it ('a' becomes 'A'), or 0 when it takes none.
char AcceptedDigit(char c);
// The box's text when it is closed: "" gives "FF", one digit gets a leading "0".
std::string Normalised(const std::string& text);
// The byte a closed box stores. Only texts the box can hold (0..2 hex digits).
uint8_t ByteOf(const std::string& text);

struct Cell {
    int row = 0;    // 0..1023, the image row
    int column = 0; // 0..15
    bool operator==(const Cell& o) const { return row == o.row && column == o.column; }
};

// Where Enter in the box leaves the cursor: one column right; from the last column to
// the first column of the next row, but only up to the first 128 rows (from image row
// 127 on, Enter in the last column stays put).
Cell AfterEnter(Cell cell);

} // namespace r57::service::hexmap
