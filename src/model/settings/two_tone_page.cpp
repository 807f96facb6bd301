// 2-Tone signalling lists.
#include "model/settings/two_tone_page.h"

#include "core/address_map.h"
#include "core/image.h"

#include <algorithm>

namespace r57::settings {

namespace {

constexpr int kEntrySize[2] = {5, 6};
constexpr int kListAddress[2] = {addr::kTwoToneEncode, addr::kTwoToneDecode};
constexpr int kMinTenths = 2885;
constexpr int kMaxTenths = 30000;
constexpr int kMaxGap = 254; // 0xFF is an empty gap cell
constexpr const char* kNoTone = "-";
constexpr const char* kColumnNames[2][3] = {{"Tone A", "Tone B", "Gap Time"},
                                            {"Tone A", "Tone B", "Group Call"}};

bool IsGap(int list, int column) {
    return list == TwoTonePage::kEncode && column == TwoTonePage::kThird;
}

std::string FieldName(int list, int r, int column) {
    return std::string(list == TwoTonePage::kEncode ? "Encode " : "Decode ") +
           std::to_string(r + 1) + " " + kColumnNames[list][column];
}

// The leading decimal number of a text in tenths, rounded at the hundredths; "," or
// "." before the decimals, anything else ends it, and no number reads as 0.
long long Tenths(const std::string& text) {
    long long whole = 0;
    int decimals = 0; // digits seen after the separator
    int tenth = 0;
    bool roundUp = false;
    bool separator = false;
    for (char c : text) {
        if (c >= '0' && c <= '9') {
            if (!separator) {
                whole = std::min(whole * 10 + (c - '0'), 100000000LL);
            } else if (decimals++ == 0) {
                tenth = c - '0';
            } else if (decimals == 2) {
                roundUp = c >= '5';
            }
        } else if ((c == '.' || c == ',') && !separator) {
            separator = true;
        } else {
            break;
        }
    }
    return whole * 10 + tenth + (roundUp ? 1 : 0);
}

std::string TenthsText(long long tenths) {
    return std::to_string(tenths / 10) + "." + std::to_string(tenths % 10);
}

uint16_t StoredFrequency(const std::string& text) {
    if (text.empty()) {
        return 0xFFFF;
    }
    if (text == kNoTone) {
        return 0;
    }
    return static_cast<uint16_t>(std::clamp(Tenths(text), 0LL, 0xFFFELL));
}

} // namespace

std::string TwoTonePage::FrequencyText(uint16_t value, int list) {
    if (value == 0xFFFF || value >= 0x8000) {
        return {};
    }
    if (value == 0 && list == kDecode) {
        return kNoTone;
    }
    return TenthsText(value);
}

std::string TwoTonePage::SettleCell(int list, int column, const std::string& text) {
    if (text.empty()) {
        return {};
    }
    if (IsGap(list, column)) {
        return std::to_string(std::min(LeadingInt(text), kMaxGap));
    }
    if (list == kDecode && text.find('-') != std::string::npos) {
        return kNoTone;
    }
    return TenthsText(std::clamp<long long>(Tenths(text), kMinTenths, kMaxTenths));
}

void TwoTonePage::completeRow(int list, int r, int editedColumn) {
    Row& cells = row(list, r);
    if (list == kEncode) {
        if (!cells[kToneA].empty() && !cells[kToneB].empty() && cells[kThird].empty()) {
            cells[kThird] = "100";
        }
        return;
    }
    const bool anyTone = std::any_of(cells.begin(), cells.end(), [](const std::string& c) {
        return !c.empty() && c != kNoTone;
    });
    if (cells[editedColumn].empty() && !anyTone) {
        cells.fill(std::string());
    } else if (!cells[editedColumn].empty()) {
        for (std::string& c : cells) {
            if (c.empty()) {
                c = kNoTone;
            }
        }
    }
}

int TwoTonePage::editorColumn(int list, int r, int column) const {
    const Row& cells = row(list, r);
    if (list == kEncode) {
        if (cells[kToneA].empty()) {
            return kToneA;
        }
        return column == kThird && cells[kToneB].empty() ? kToneB : column;
    }
    if (column == kToneB && (cells[kToneA].empty() || cells[kToneA] == kNoTone)) {
        return kToneA;
    }
    return column;
}

std::size_t TwoTonePage::EditorMaxLength(int list, int column) {
    return IsGap(list, column) ? 3 : 6;
}

char TwoTonePage::EditorKey(int list, int column, char32_t c) {
    if (IsGap(list, column)) {
        return DigitKey(c);
    }
    if (list == kDecode && c == '-') {
        return '-';
    }
    return FrequencyKey(c);
}

void TwoTonePage::load(CodeplugImage& image) {
    for (int list : {kEncode, kDecode}) {
        for (int r = 0; r < kRows[list]; ++r) {
            const int base = kListAddress[list] + kEntrySize[list] * r;
            Row& cells = row(list, r);
            for (int column : {kToneA, kToneB}) {
                const int at = base + 2 * column;
                cells[column] = FrequencyText(
                    static_cast<uint16_t>(image.at(at) << 8 | image.at(at + 1)), list);
            }
            if (list == kEncode) {
                const uint8_t gap = image.at(base + 4);
                cells[kThird] = gap == 0xFF ? std::string() : std::to_string(gap);
            } else {
                cells[kThird] = FrequencyText(
                    static_cast<uint16_t>(image.at(base + 4) << 8 | image.at(base + 5)), list);
            }
        }
    }
}

void TwoTonePage::write(CodeplugImage& image) const {
    for (int list : {kEncode, kDecode}) {
        for (int r = 0; r < kRows[list]; ++r) {
            const int base = kListAddress[list] + kEntrySize[list] * r;
            const Row& cells = row(list, r);
            for (int column = 0; column < kColumns; ++column) {
                const int at = base + 2 * column;
                if (IsGap(list, column)) {
                    const std::string& gap = cells[column];
                    image.set(at, gap.empty()
                                      ? 0xFF
                                      : static_cast<uint8_t>(std::min(LeadingInt(gap), kMaxGap)));
                    continue;
                }
                const uint16_t value = StoredFrequency(cells[column]);
                image.set(at, static_cast<uint8_t>(value >> 8));
                image.set(at + 1, static_cast<uint8_t>(value & 0xFF));
            }
        }
    }
}

std::vector<PageField> TwoTonePage::fields() const {
    std::vector<PageField> out;
    for (int list : {kEncode, kDecode}) {
        for (int r = 0; r < kRows[list]; ++r) {
            for (int column = 0; column < kColumns; ++column) {
                out.push_back({FieldName(list, r, column), row(list, r)[column]});
            }
        }
    }
    return out;
}

std::string TwoTonePage::setField(const std::string& name, const std::string& text) {
    for (int list : {kEncode, kDecode}) {
        for (int r = 0; r < kRows[list]; ++r) {
            for (int column = 0; column < kColumns; ++column) {
                if (name == FieldName(list, r, column)) {
                    std::string typed;
                    for (char c : text) {
                        if (char k = EditorKey(list, column, static_cast<unsigned char>(c))) {
                            typed += k;
                        }
                    }
                    row(list, r)[column] = SettleCell(list, column, typed);
                    return {};
                }
            }
        }
    }
    return "unknown field";
}

} // namespace r57::settings
