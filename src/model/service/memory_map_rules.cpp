#include "model/service/memory_map_rules.h"

#include <cstdio>

namespace r57::service::hexmap {

namespace {

constexpr int kEnterWrapRows = 128;
constexpr const char* kDigits = "0123456789ABCDEF";

int DigitValue(char c) {
    if (c >= '0' && c <= '9') {
        return c - '0';
    }
    return c - 'A' + 10;
}

} // namespace

std::string CellText(uint8_t byte) {
    return {kDigits[byte >> 4], kDigits[byte & 0x0F]};
}

std::string RowLabel(int row) {
    char text[8];
    std::snprintf(text, sizeof text, "%X", static_cast<unsigned>(row));
    return text;
}

std::string ColumnLabel(int column) {
    return std::string(1, kDigits[column & 0x0F]);
}

char AcceptedDigit(char c) {
    if ((c >= '0' && c <= '9') || (c >= 'A' && c <= 'F')) {
        return c;
    }
    if (c >= 'a' && c <= 'f') {
        return static_cast<char>(c - 'a' + 'A');
    }
    return 0;
}

std::string Normalised(const std::string& text) {
    std::string digits;
    for (char c : text) {
        if (char d = AcceptedDigit(c); d && digits.size() < kMaxDigits) {
            digits += d;
        }
    }
    if (digits.empty()) {
        return "FF";
    }
    return digits.size() == 1 ? "0" + digits : digits;
}

uint8_t ByteOf(const std::string& text) {
    const std::string cell = Normalised(text);
    return static_cast<uint8_t>(DigitValue(cell[0]) * 16 + DigitValue(cell[1]));
}

Cell AfterEnter(Cell cell) {
    if (cell.column < kColumns - 1) {
        return {cell.row, cell.column + 1};
    }
    // The grid counts its rows from 1 under the header: grid row row + 1.
    if (cell.row + 1 < kEnterWrapRows) {
        return {cell.row + 1, 0};
    }
    return cell;
}

} // namespace r57::service::hexmap
