// Small helpers the bank sheet uses to reach one channel's 16-byte record and to read
// frequency texts without depending on the user's locale.
#pragma once

#include "core/image.h"

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace r57::sheet {

using Record = std::array<uint8_t, 16>;

// An erased record: the form every empty channel is held in.
inline Record ErasedRecord() {
    Record r;
    r.fill(0xFF);
    return r;
}

Record ReadRecord(const CodeplugImage& image, int bank, int row);
void WriteRecord(CodeplugImage& image, int bank, int row, const Record& record);

// A channel's 16-byte ID block (its optional-signalling ID code). It belongs to the
// channel as much as its record does: wherever a record goes, its ID block goes.
Record ReadIdBlock(const CodeplugImage& image, int bank, int row);
void WriteIdBlock(CodeplugImage& image, int bank, int row, const Record& block);
// An emptied channel has no ID code: digits 0xFF, count 0; the rest of the block stays.
void EmptyIdBlock(CodeplugImage& image, int bank, int row);

// A frequency text ("446.00625", "145.5", "70") in 10 Hz units; -1 when the text holds
// no number. Only "." is taken as the decimal mark: cell texts are always written with
// it, whatever the desktop's locale says.
long long FrequencyUnits(std::string_view text);

// The four BCD bytes of a normalised frequency text. Texts below 100 MHz ("50.00000")
// are padded to the three-digit form first, so their digits land in the right nibbles.
std::array<uint8_t, 4> EncodeFrequency(std::string_view text);

} // namespace r57::sheet
