// Band limits: row 0x0D00 <-> the four low/high pairs, and the VFO rows derived from it.
#include "core/band_limits.h"

#include "core/address_map.h"
#include "core/image.h"

#include <algorithm>

namespace r57 {
namespace {

// A byte written as two hexadecimal digits whose leading digits are then read as a
// decimal number: 0x13 -> 13, 0x65 -> 65, 0x1F -> 1, 0xFF -> 0.
int HexDigitsAsDecimal(uint8_t byte) {
    const int high = byte >> 4;
    const int low = byte & 0x0F;
    if (high > 9)
        return 0;
    if (low > 9)
        return high;
    return high * 10 + low;
}

// One 2-byte field in whole MHz; the 100 kHz digit (low nibble of the second byte) is
// dropped.
int DecodeField(uint8_t first, uint8_t second) {
    return HexDigitsAsDecimal(first) * 10 + HexDigitsAsDecimal(second) / 10;
}

void RebuildVfoRecord(CodeplugImage& image, int vfoAddress, int limitAddress) {
    uint8_t record[addr::kRecordSize] = {0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00,
                                         0xFF, 0xFF, 0xFF, 0xFF, 0x04, 0x00, 0x46, 0x00};
    record[0] = record[4] = image.at(limitAddress);
    record[1] = record[5] = image.at(limitAddress + 1);
    image.write(vfoAddress, record, sizeof record);
}

} // namespace

bool BandLimits::contains(double mhz, int direction) const {
    if (direction != 0 && direction != 1)
        return false;
    for (int index : {direction, direction + 2}) {
        if (low[index] <= mhz && mhz < high[index])
            return true;
    }
    return false;
}

BandLimits StoredBandLimits(const CodeplugImage& image) {
    BandLimits limits;
    for (int index = 0; index < 4; ++index) {
        const int address = addr::kBandLimits + index * 4;
        limits.low[index] =
            static_cast<int16_t>(DecodeField(image.at(address), image.at(address + 1)));
        limits.high[index] =
            static_cast<int16_t>(DecodeField(image.at(address + 2), image.at(address + 3)));
    }
    return limits;
}

std::optional<BandFieldProblem> UnwritableBandField(const CodeplugImage& image) {
    const BandLimits stored = StoredBandLimits(image);
    for (int index = 0; index < 4; ++index) {
        // The page's entry rules: UHF rows 220..520 (RX) or 220..490 (TX), VHF 136..260.
        const int bottom = index < 2 ? 220 : 136;
        const int top = index == 0 ? 520 : index == 1 ? 490 : 260;
        for (bool upper : {false, true}) {
            const int address = addr::kBandLimits + index * 4 + (upper ? 2 : 0);
            const uint8_t first = image.at(address);
            const uint8_t second = image.at(address + 1);
            const int mhz = upper ? stored.high[index] : stored.low[index];
            const bool decimal = (first >> 4) < 10 && (first & 0x0F) < 10 && (second >> 4) < 10;
            const bool inRange = mhz >= bottom && mhz <= top;
            if (!decimal || (second & 0x0F) != 0 || !inRange)
                return BandFieldProblem{index, upper, mhz};
        }
        // Both in range, yet the upper limit not above the lower one: the upper is named.
        if (stored.low[index] >= stored.high[index])
            return BandFieldProblem{index, true, stored.high[index]};
    }
    return std::nullopt;
}

BandLimits DecodeBandLimits(const CodeplugImage& image) {
    BandLimits limits = StoredBandLimits(image);
    for (int index = 0; index < 4; ++index) {
        const bool plausible = limits.low[index] < limits.high[index] && limits.low[index] > 49 &&
                               limits.high[index] < 531;
        if (!plausible)
            return BandLimits::Defaults();
    }
    return limits;
}

void StoreBandLimits(CodeplugImage& image, const BandLimits& limits) {
    uint8_t row[addr::kRowSize];
    for (int index = 0; index < 4; ++index) {
        const int values[2] = {limits.low[index], limits.high[index]};
        for (int k = 0; k < 2; ++k) {
            // Four BCD digits hold at most 999 MHz; values outside 0..999 are clamped
            // so that every nibble stays a decimal digit.
            const int v = std::clamp(values[k], 0, 999);
            row[index * 4 + k * 2] = static_cast<uint8_t>((v / 100) * 16 + (v / 10) % 10);
            row[index * 4 + k * 2 + 1] = static_cast<uint8_t>((v % 10) * 16);
        }
    }
    image.write(addr::kBandLimits, row, sizeof row);
    RebuildVfoRecord(image, addr::kVfoA, addr::kBandLimits);     // receive band 1 lower
    RebuildVfoRecord(image, addr::kVfoB, addr::kBandLimits + 8); // receive band 2 lower
}

} // namespace r57
