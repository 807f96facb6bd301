// The four receive/transmit band limits of the radio, in whole MHz.
//
// Index 0 receive band 1 (UHF), 1 transmit band 1, 2 receive band 2 (VHF),
// 3 transmit band 2. The upper limit is exclusive.
#pragma once

#include <array>
#include <cstdint>
#include <optional>

namespace r57 {

class CodeplugImage;

struct BandLimits {
    std::array<int16_t, 4> low{400, 400, 136, 136};
    std::array<int16_t, 4> high{490, 490, 174, 174};

    static BandLimits Defaults() { return {}; }

    // True when low[d] <= mhz < high[d] or low[d + 2] <= mhz < high[d + 2];
    // direction 0 is receive, 1 is transmit.
    bool contains(double mhz, int direction) const;

    bool operator==(const BandLimits& o) const { return low == o.low && high == o.high; }
    bool operator!=(const BandLimits& o) const { return !(*this == o); }
};

// Row 0x0D00 -> limits. An implausible row (erased, outside 50..530 MHz, or a lower
// limit not below its upper one) yields the defaults; the image is not changed.
BandLimits DecodeBandLimits(const CodeplugImage& image);

// Row 0x0D00 as stored, without the plausibility test: what the service page shows,
// so that a limit the radio could not work with is seen as it is.
BandLimits StoredBandLimits(const CodeplugImage& image);

// A field of row 0x0D00 that the service page could not have produced: not packed
// decimal, a 100 kHz digit, outside the range its row takes (UHF RX 220..520, UHF TX
// 220..490, VHF 136..260), or a lower limit not below its upper one.
struct BandFieldProblem {
    int index = 0;      // 0..3: RX UHF, TX UHF, RX VHF, TX VHF
    bool upper = false; // the upper limit (else the lower)
    int mhz = 0;        // the value as decoded
};
std::optional<BandFieldProblem> UnwritableBandField(const CodeplugImage& image);

// Limits -> row 0x0D00, then rebuilds the two VFO records at 0x0810 and 0x0820.
void StoreBandLimits(CodeplugImage& image, const BandLimits& limits);

} // namespace r57
