#include "model/sheet/grid_rules.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace r57 {

namespace {

bool ValidColumn(int column) {
    return column >= 0 && column < kColumnCount;
}

bool Visible(const ColumnVisibility& visible, int column) {
    return ValidColumn(column) && visible[column];
}

// First visible column from `from` up to the "More" column, or 0 for none.
int NextVisible(int from, const ColumnVisibility& visible) {
    for (int c = from; c <= kColMore; ++c) {
        if (Visible(visible, c)) {
            return c;
        }
    }
    return 0;
}

char AsciiLower(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

std::string_view Trimmed(std::string_view text) {
    while (!text.empty() && text.front() == ' ') {
        text.remove_prefix(1);
    }
    while (!text.empty() && text.back() == ' ') {
        text.remove_suffix(1);
    }
    return text;
}

bool SameIgnoringCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) {
        return false;
    }
    for (size_t i = 0; i < a.size(); ++i) {
        if (AsciiLower(a[i]) != AsciiLower(b[i])) {
            return false;
        }
    }
    return true;
}

// "88.5", "88,50", "100" -> tenths of a hertz; nothing for any other text or for a
// value with more precision than a tenth.
std::optional<long> ToneTenths(std::string_view text) {
    std::string plain;
    int separators = 0;
    for (char c : text) {
        if (c >= '0' && c <= '9') {
            plain += c;
        } else if (c == '.' || c == ',') {
            ++separators;
            plain += '.';
        } else {
            return std::nullopt;
        }
    }
    if (separators > 1 || plain.empty() || plain == "." || plain.size() > 12) {
        return std::nullopt;
    }
    const double tenths = std::strtod(plain.c_str(), nullptr) * 10.0;
    const double rounded = std::round(tenths);
    if (std::fabs(tenths - rounded) > 1e-6) {
        return std::nullopt;
    }
    return static_cast<long>(rounded);
}

} // namespace

ColumnVisibility AllColumnsVisible() {
    ColumnVisibility all;
    all.fill(true);
    return all;
}

int ColumnWidthTwips(int column) {
    if (column == kColLabel) {
        return 600;
    }
    if (column == kColRx || column == kColTx) {
        return 1200;
    }
    return 1000;
}

int TwipsToPixels(int twips) {
    return (twips + 7) / 15;
}

EditorKind EditorFor(int column) {
    switch (column) {
    case kColRx:
    case kColTx:
    case kColName:
        return EditorKind::Text;
    case kColDecode:
    case kColEncode:
        return EditorKind::Tone;
    case kColPower:
    case kColScan:
    case kColWidth:
    case kColBcl:
    case kColPttId:
    case kColVox:
    case kColOption:
    case kColScrambler:
        return EditorKind::Choice;
    default:
        return EditorKind::None;
    }
}

int EditorMaxLength(int column) {
    if (column == kColRx || column == kColTx) {
        return 9;
    }
    return column == kColName ? 7 : 0;
}

OpenDecision DecideOpen(int column, RowState row, const ColumnVisibility& visible) {
    if (column < kColRx || column > kColMore) {
        return {};
    }
    int target = column;
    if (!row.used) {
        target = kColRx;
    } else if (!row.hasTx && target == kColEncode) {
        target = kColTx;
    }
    if (!Visible(visible, target)) {
        return {};
    }
    if (target == kColMore) {
        return {OpenDecision::kAlternatePanel, target};
    }
    return {OpenDecision::kEditor, target};
}

KeyDecision DecideTypedKey(int column, RowState row, TypedKey key,
                           const ColumnVisibility& visible) {
    if (key.withCtrlOrAlt) {
        return {};
    }
    int ch = key.keypadDecimal ? '.' : key.code;
    if (column != kColRx && column != kColTx && column != kColName) {
        return {};
    }
    const bool digitOrPoint = (ch >= '0' && ch <= '9') || ch == '.';
    if (!digitOrPoint) {
        // Only the name column starts on other keys. C, D, V are the copy, clear and
        // paste keys, and I is kept free as well, so none of them starts a name.
        if (column != kColName || ch < 32 || ch > 122) {
            return {};
        }
        if (ch >= 'a' && ch <= 'z') {
            ch = ch - 'a' + 'A';
        }
        if (ch == 'C' || ch == 'D' || ch == 'I' || ch == 'V') {
            return {};
        }
    }
    const int target = row.used ? column : kColRx;
    if (!Visible(visible, target) || !EditorAcceptsChar(target, static_cast<char32_t>(ch))) {
        return {};
    }
    return {true, target, static_cast<char>(ch)};
}

bool EditorAcceptsChar(int column, char32_t ch) {
    if (column == kColRx || column == kColTx) {
        return (ch >= U'0' && ch <= U'9') || ch == U'.' || ch == U',';
    }
    if (column == kColName) {
        return ch >= 32 && ch <= 122;
    }
    return false;
}

std::string FilterEditorText(int column, std::string_view text) {
    std::string kept;
    const size_t limit = static_cast<size_t>(EditorMaxLength(column));
    for (char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        // Bytes of multi-byte characters are all >= 0x80 and are dropped with them.
        if (byte < 0x80 && EditorAcceptsChar(column, byte) && kept.size() < limit) {
            kept += c;
        }
    }
    return kept;
}

int TextEnterColumn(int column, const ColumnVisibility& visible) {
    const int next = NextVisible(column + 1, visible);
    return next != 0 ? next : column;
}

int ToneEnterColumn(int column, bool hasTx, const ColumnVisibility& visible) {
    const int from = (column == kColDecode && hasTx) ? kColEncode : kColPower;
    const int next = NextVisible(from, visible);
    return next != 0 ? next : column;
}

GridCell ChoiceEnterCell(int row, int column, const ColumnVisibility& visible) {
    const int next = NextVisible(column + 1, visible);
    if (next != 0) {
        return {row, next};
    }
    if (row < kChannelRows) {
        return {row + 1, kColRx};
    }
    return {row, column};
}

std::optional<std::string> MatchTone(std::string_view text,
                                     const std::vector<std::string>& toneList) {
    const std::string_view typed = Trimmed(text);
    if (typed.empty()) {
        return std::nullopt;
    }
    // Whatever starts with "N" means no tone, in either language: the list's first
    // entry ("None", or "无" in Chinese).
    if (!toneList.empty() && (typed[0] == 'N' || typed[0] == 'n')) {
        return toneList.front();
    }
    for (const std::string& entry : toneList) {
        if (SameIgnoringCase(entry, typed)) {
            return entry;
        }
    }
    const std::optional<long> tenths = ToneTenths(typed);
    if (!tenths) {
        return std::nullopt;
    }
    char formatted[24];
    std::snprintf(formatted, sizeof formatted, "%ld.%ld", *tenths / 10, *tenths % 10);
    for (const std::string& entry : toneList) {
        if (entry == formatted) {
            return entry;
        }
    }
    return std::nullopt;
}

} // namespace r57
