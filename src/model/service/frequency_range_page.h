// The "Frequency" page of the service window: the four band limits as whole MHz, one
// row per range (RX and TX of the UHF and the VHF band), lower and upper limit. An
// entry is adjusted into the range the radio's band can take and refused when it
// would put a lower limit at or above its upper one; the page stores through the
// core's band-limit store, which also rebuilds the two VFO rows.
#pragma once

#include "core/band_limits.h"
#include "model/page.h"

#include <string>

namespace r57::service {

class FrequencyRangePage : public Page {
public:
    static constexpr int kRows = 4; // band-limit entries 0..3: RX UHF, TX UHF, RX VHF, TX VHF
    enum Column { kLower = 1, kUpper = 2 };

    // "RX(UHF)", "TX(UHF)", "RX(VHF)", "TX(VHF)"; "接收(UHF)"... in Chinese.
    static std::string RowLabel(int row, int language);

    std::string name() const override { return "Frequency Range"; }
    // The limits the image holds, as stored (also a limit the radio could not work
    // with, so that it is seen); they are also what rangesChanged() compares with.
    void load(CodeplugImage& image) override;
    void show(const BandLimits& limits);
    void write(CodeplugImage& image) const override;
    // One field a row, "RX(UHF)" = "400-490", so that a row is taken whole: a range
    // can move anywhere without passing through an upside-down state.
    std::vector<PageField> fields() const override;
    std::string setField(const std::string& name, const std::string& text) override;

    const BandLimits& limits() const { return limits_; }
    int value(int row, int column) const;
    std::string text(int row, int column) const { return std::to_string(value(row, column)); }

    // `TxtFreqSet` left cell (row, column) holding `text`. An empty or unchanged text
    // keeps the cell; a number is rounded and adjusted into the row's band; a lower
    // limit that would not stay below the upper one (or the reverse) keeps the cell.
    // Returns true when the cell's value changed.
    bool edit(int row, int column, const std::string& text);

    // True when some row differs from the limits last loaded or shown: the radio's
    // bands are others now, and the channels made for the old ones must go.
    bool rangesChanged() const { return limits_ != shown_; }

    // A number typed for `row` brought into the band: UHF rows take 220..520 (RX) or
    // 220..490 (TX), a lower entry there becoming 400; VHF rows take 136..260, a
    // higher entry becoming 174.
    static int Adjust(int row, long mhz);

    // Why the band row of `image` must not go to the radio ("The RX(UHF) lower limit
    // 40 MHz is not a value the Frequency page can set..."); empty when it may.
    static std::string Unwritable(const CodeplugImage& image, int language);

private:
    BandLimits limits_;
    BandLimits shown_;
};

} // namespace r57::service
