// The bytes no window field shows, as the export carries them so that an import gives
// the same image back: whole rows of the memory map, "0x0D30" = "FF FF 12 34 -- ...",
// where "--" stands for a byte a window's field holds (given with that field).
#pragma once

#include "text/codeplug_pages.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace r57::text {

struct ByteRow {
    int address = 0;   // a multiple of 16
    std::string bytes; // 16 entries: two hex digits, or "--"
};

// The rows holding a byte whose unowned bits differ from `reference` (the codeplug an
// import starts from). Every byte a page does not wholly own is given.
std::vector<ByteRow> OtherByteRows(const CodeplugImage& image, const BitMask& owned,
                                   const CodeplugImage& reference);

// "0x0D30" -> 0x0D30; nothing unless a row address 0x0000..0x3FF0.
std::optional<int> ParseRowAddress(std::string_view text);
// Writes a row's given bytes into `image`; "" when taken, otherwise why not.
std::string ApplyByteRow(CodeplugImage& image, int address, std::string_view bytes);

// "0x0D34".
std::string AddressText(int address);
// "0A".
std::string ByteText(uint8_t byte);

} // namespace r57::text
