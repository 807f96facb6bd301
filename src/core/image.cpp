// The 16 KB codeplug image: bounds-checked byte and run access.
#include "core/image.h"

#include <cstring>
#include <stdexcept>
#include <string>

namespace r57 {
namespace {

void CheckAddress(int address) {
    if (address < 0 || address >= CodeplugImage::kSize) {
        throw std::out_of_range("codeplug address out of range: " + std::to_string(address));
    }
}

int RowColumnAddress(int row, int column) {
    if (row < 0 || row >= addr::kRowCount || column < 0 || column >= addr::kRowSize) {
        throw std::out_of_range("codeplug row/column out of range: " + std::to_string(row) + "/" +
                                std::to_string(column));
    }
    return row * addr::kRowSize + column;
}

// A run [address, address + count) must lie inside the image; an empty run may start
// at the end of the image.
void CheckRun(int address, std::size_t count) {
    if (address < 0 || address > CodeplugImage::kSize ||
        count > static_cast<std::size_t>(CodeplugImage::kSize - address)) {
        throw std::out_of_range("codeplug run out of range: " + std::to_string(address) + "+" +
                                std::to_string(count));
    }
}

} // namespace

uint8_t CodeplugImage::at(int address) const {
    CheckAddress(address);
    return bytes_[static_cast<std::size_t>(address)];
}

void CodeplugImage::set(int address, uint8_t value) {
    CheckAddress(address);
    bytes_[static_cast<std::size_t>(address)] = value;
}

uint8_t CodeplugImage::at(int row, int column) const {
    return bytes_[static_cast<std::size_t>(RowColumnAddress(row, column))];
}

void CodeplugImage::set(int row, int column, uint8_t value) {
    bytes_[static_cast<std::size_t>(RowColumnAddress(row, column))] = value;
}

void CodeplugImage::write(int address, const uint8_t* bytes, std::size_t count) {
    CheckRun(address, count);
    if (count > 0)
        std::memmove(bytes_.data() + address, bytes, count);
}

void CodeplugImage::read(int address, uint8_t* bytes, std::size_t count) const {
    CheckRun(address, count);
    if (count > 0)
        std::memmove(bytes, bytes_.data() + address, count);
}

} // namespace r57
