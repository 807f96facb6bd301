// The tuning and deviation page of the service window (`PicDev`): every byte of
// 0x0F00..0x0FFC as one decimal cell 0..255. Three tuning grids of 3 x 3 (one per
// tuning band), the voice deviation of wide and narrow channels, and three tone
// deviation grids. A tone grid's column holds ten values, one for each tone group row
// (value n of a grid at its base + n, column n / 10 + 1, row n % 10 + 1), and its
// eleventh row the grid's line of single bytes.
#pragma once

#include "model/service/page_text.h"

#include "core/address_map.h"
#include "model/page.h"

#include <array>
#include <cstdint>
#include <string>

namespace r57::service {

class DeviationPage : public Page {
public:
    static constexpr int kFirst = addr::kDeviationTables;
    static constexpr int kEnd = addr::kDeviationEnd;

    static constexpr int kTuningGrids = 3; // `TunGrid` 0..2, `Frame1` 0..2
    static constexpr int kTuningRows = 3;
    static constexpr int kTuningColumns = 3;
    // The byte of `TunGrid` grid, row 1..3, column 1..3.
    static int TuningAddress(int grid, int row, int column);

    static constexpr int kVoiceBoxes = 3; // `TxtVoiceSWW` / `TxtVoiceSWN` 0..2
    static int VoiceAddress(bool narrow, int index);
    static const Caption kVoiceLabels[2]; // wide, narrow

    static constexpr int kToneGrids = 3; // `QTDevGrid` 0..2
    static constexpr int kToneGroups = 10;
    static constexpr int kToneRows = kToneGroups + 1;
    static const char* const kToneGroupLabels[kToneGroups]; // "67.0-77.0" ...
    static const Caption kToneLineLabel;                    // row 11
    static int ToneColumns(int grid);                       // 9, 7, 5
    // The byte of `QTDevGrid` grid, row 1..11, column 1..ToneColumns(grid); -1 for a
    // cell that holds none (the tail of the last column).
    static int ToneAddress(int grid, int row, int column);

    // The number a cell or box holds when it is left: 0..255, 0 for a text without one.
    static int ByteFromText(const std::string& text);

    std::string name() const override { return "Tuning and Deviation"; }
    void load(CodeplugImage& image) override;
    // Exactly 0x0F00..0x0FFC, every byte as it was read or edited.
    void write(CodeplugImage& image) const override;
    std::vector<PageField> fields() const override;
    std::string setField(const std::string& name, const std::string& text) override;

    int at(int address) const;
    void set(int address, int value); // held within 0..255; addresses outside the page are ignored

private:
    std::array<uint8_t, kEnd - kFirst> bytes_{};
};

} // namespace r57::service
