#include "text/other_bytes.h"

#include "core/address_map.h"

#include <cctype>

namespace r57::text {

namespace {

constexpr char kHex[] = "0123456789ABCDEF";

int HexValue(char c) {
    if (c >= '0' && c <= '9') {
        return c - '0';
    }
    const char u = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return u >= 'A' && u <= 'F' ? u - 'A' + 10 : -1;
}

} // namespace

std::string ByteText(uint8_t byte) {
    return {kHex[byte >> 4], kHex[byte & 0x0F]};
}

std::string AddressText(int address) {
    std::string text = "0x";
    for (int shift = 12; shift >= 0; shift -= 4) {
        text += kHex[(address >> shift) & 0x0F];
    }
    return text;
}

std::vector<ByteRow> OtherByteRows(const CodeplugImage& image, const BitMask& owned,
                                   const CodeplugImage& reference) {
    std::vector<ByteRow> rows;
    for (int row = 0; row < addr::kImageSize; row += addr::kRowSize) {
        bool differs = false;
        for (int a = row; a < row + addr::kRowSize; ++a) {
            differs = differs || ((image.at(a) ^ reference.at(a)) & ~owned[a]) != 0;
        }
        if (!differs) {
            continue;
        }
        ByteRow out{row, {}};
        for (int a = row; a < row + addr::kRowSize; ++a) {
            out.bytes += (a > row ? " " : "") + (owned[a] == 0xFF ? "--" : ByteText(image.at(a)));
        }
        rows.push_back(out);
    }
    return rows;
}

std::optional<int> ParseRowAddress(std::string_view text) {
    if (text.size() < 3 || text.size() > 6 || text[0] != '0' ||
        (text[1] != 'x' && text[1] != 'X')) {
        return std::nullopt;
    }
    int address = 0;
    for (std::size_t i = 2; i < text.size(); ++i) {
        const int digit = HexValue(text[i]);
        if (digit < 0) {
            return std::nullopt;
        }
        address = address * 16 + digit;
    }
    if (address >= addr::kImageSize || address % addr::kRowSize != 0) {
        return std::nullopt;
    }
    return address;
}

std::string ApplyByteRow(CodeplugImage& image, int address, std::string_view bytes) {
    CodeplugImage changed = image;
    int column = 0;
    std::size_t i = 0;
    while (i < bytes.size()) {
        if (bytes[i] == ' ') {
            ++i;
            continue;
        }
        if (column == addr::kRowSize) {
            return "more than 16 bytes in a row";
        }
        const std::string_view token = bytes.substr(i, 2);
        const bool next = i + 2 >= bytes.size() || bytes[i + 2] == ' ';
        if (token.size() != 2 || !next) {
            return "bytes are two hex digits each, or -- for a field's";
        }
        if (token != "--") {
            const int high = HexValue(token[0]);
            const int low = HexValue(token[1]);
            if (high < 0 || low < 0) {
                return "bytes are two hex digits each, or -- for a field's";
            }
            changed.set(address + column, static_cast<uint8_t>(high * 16 + low));
        }
        ++column;
        i += 2;
    }
    image = changed;
    return {};
}

} // namespace r57::text
