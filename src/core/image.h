// The 16 KB memory image of the radio (the codeplug).
#pragma once

#include "core/address_map.h"

#include <array>
#include <cstddef>
#include <cstdint>

namespace r57 {

class CodeplugImage {
public:
    static constexpr int kSize = addr::kImageSize;

    CodeplugImage() { fill(0xFF); } // erased memory reads 0xFF

    // Byte access by radio address 0x0000..0x3FFF; throws std::out_of_range outside.
    uint8_t at(int address) const;
    void set(int address, uint8_t value);

    // Byte access by (row 0..1023, column 0..15); the same bytes as at(row * 16 + column).
    uint8_t at(int row, int column) const;
    void set(int row, int column, uint8_t value);

    // Copy a run of bytes in or out; the whole run must lie inside the image
    // (std::out_of_range otherwise, and nothing is changed).
    void write(int address, const uint8_t* bytes, std::size_t count);
    void read(int address, uint8_t* bytes, std::size_t count) const;

    void fill(uint8_t value) { bytes_.fill(value); }

    const uint8_t* data() const { return bytes_.data(); }
    uint8_t* data() { return bytes_.data(); }

    bool operator==(const CodeplugImage& other) const { return bytes_ == other.bytes_; }
    bool operator!=(const CodeplugImage& other) const { return !(*this == other); }

private:
    std::array<uint8_t, kSize> bytes_;
};

} // namespace r57
