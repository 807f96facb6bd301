// The "2-Tone" page: an encode list of 10 entries (tone A, tone B, gap time) and a
// decode list of 8 entries (tone A, tone B, group-call tone). Frequencies are stored
// as tenths of a hertz, high byte first; 0xFFFF is an empty cell and, in the decode
// list, 0x0000 is "-" (no tone).
#pragma once

#include "model/page.h"
#include "model/settings/settings_fields.h"

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace r57::settings {

class TwoTonePage : public Page {
public:
    enum List { kEncode = 0, kDecode = 1 };
    enum Column { kToneA = 0, kToneB = 1, kThird = 2 }; // third: gap time or group call
    static constexpr int kRows[2] = {10, 8};
    static constexpr int kColumns = 3;
    using Row = std::array<std::string, kColumns>;

    std::array<std::vector<Row>, 2> lists{std::vector<Row>(10), std::vector<Row>(8)};

    Row& row(int list, int r) { return lists[list][r]; }
    const Row& row(int list, int r) const { return lists[list][r]; }

    // A stored frequency as the grid shows it ("1200.0", "", "-" in the decode list).
    static std::string FrequencyText(uint16_t value, int list);
    // A typed cell to what it settles on when its editor closes: frequencies to
    // 288.5..3000.0 Hz with one decimal ("-" stays in the decode list), the gap time
    // to a whole number up to 254 (0xFF would read back as empty); an empty cell stays empty.
    static std::string SettleCell(int list, int column, const std::string& text);
    // After a cell of a row settled: an encode row with both tones gets a gap time of
    // 100 when it has none; a decode row with a value fills its empty cells with "-",
    // and a decode row left without any tone becomes empty.
    void completeRow(int list, int r, int editedColumn);
    // The cell whose editor really opens for a click on `column`: an encode row starts
    // at tone A, and its gap waits for tone B; a decode tone B waits for tone A.
    int editorColumn(int list, int r, int column) const;
    static std::size_t EditorMaxLength(int list, int column);
    // Digits, "." and "," (and "-" in the decode list's tones); digits for the gap.
    static char EditorKey(int list, int column, char32_t c);

    std::string name() const override { return "2-Tone"; }
    void load(CodeplugImage& image) override;
    void write(CodeplugImage& image) const override;
    std::vector<PageField> fields() const override;
    std::string setField(const std::string& name, const std::string& text) override;
};

} // namespace r57::settings
