// Block commands as the single-row rules applied row by row. Values go through the
// checks the grid's editors make before they hand a value to the sheet; channels move
// by the sheet's own one-row moves.
#include "model/sheet/block_commands.h"

#include "model/sheet/grid_rules.h"
#include "model/sheet/record_access.h"

#include "core/codecs.h"
#include "core/session.h"

#include <algorithm>
#include <cctype>
#include <numeric>

namespace r57 {

namespace {

int LanguageIndex(int language) {
    return language == kChinese ? 1 : 0;
}

// The QT/DQT list is long; a block of 128 rows looks it up once per language.
const std::vector<std::string>& Tones(int language) {
    static const std::array<std::vector<std::string>, 2> lists{BuildToneList(kEnglish),
                                                               BuildToneList(kChinese)};
    return lists[LanguageIndex(language)];
}

std::optional<std::string> ToneFor(std::string_view text, int language) {
    if (auto tone = MatchTone(text, Tones(language))) {
        return tone;
    }
    // A tone named in the other language: the same entry of this language's list.
    const int other = language == kChinese ? kEnglish : kChinese;
    const std::vector<std::string>& theirs = Tones(other);
    if (auto tone = MatchTone(text, theirs)) {
        const auto at = std::find(theirs.begin(), theirs.end(), *tone) - theirs.begin();
        return Tones(language)[static_cast<std::size_t>(at)];
    }
    return std::nullopt;
}

std::optional<std::string> ChoiceFor(int column, std::string_view text, int language) {
    const std::string wanted = LowerCase(text);
    const int other = language == kChinese ? kEnglish : kChinese;
    for (int lang : {language, other}) {
        const std::vector<std::string> choices = ColumnChoices(column, lang);
        for (std::size_t i = 0; i < choices.size(); ++i) {
            if (LowerCase(choices[i]) == wanted) {
                return ColumnChoices(column, language)[i];
            }
        }
    }
    return std::nullopt;
}

// A name keeps its leading spaces; blanks after it are the padding of its slot.
std::string_view TrimEnd(std::string_view s) {
    while (!s.empty() &&
           (s.back() == ' ' || s.back() == '\t' || s.back() == '\r' || s.back() == '\n')) {
        s.remove_suffix(1);
    }
    return s;
}

std::vector<int> SortedRows(std::vector<int> rows) {
    std::sort(rows.begin(), rows.end());
    rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
    rows.erase(
        std::remove_if(rows.begin(), rows.end(), [](int r) { return r < 1 || r > kChannelRows; }),
        rows.end());
    return rows;
}

} // namespace

std::optional<CellNote> CommitAsTyped(BankSheet& sheet, int row, int column,
                                      std::string_view given) {
    const EditorKind editor = EditorFor(column);
    if (row < 1 || row > kChannelRows || editor == EditorKind::None) {
        return std::nullopt;
    }
    const int language = sheet.session().language;
    const std::string_view text = column == kColName ? TrimEnd(given) : TrimBlanks(given);
    const std::string shown = sheet.cell(row, column);
    auto note = [&](CellNote::Kind kind, std::string entered = {}) {
        return CellNote{row, column, kind, std::string(text), std::move(entered)};
    };
    if (!sheet.rowUsed(row) && column != kColRx) {
        // The channel gets its receive frequency first.
        return text.empty() ? std::nullopt : std::optional(note(CellNote::kEmptyChannel));
    }

    switch (editor) {
    case EditorKind::Text: {
        if (column == kColName) {
            const std::string value = FilterEditorText(column, text);
            if (TrimEnd(value) != TrimEnd(shown)) {
                sheet.commitName(row, value);
            }
            return value == text ? std::nullopt : std::optional(note(CellNote::kShortened, value));
        }
        // Only what the editor takes (a spreadsheet's " MHz" after it aside): a text the
        // editor could not have taken whole never makes or changes a channel.
        std::string_view number = text;
        if (number.size() >= 3 && LowerCase(number.substr(number.size() - 3)) == "mhz") {
            number = TrimBlanks(number.substr(0, number.size() - 3));
        }
        const bool typeable = std::all_of(number.begin(), number.end(), [column](char c) {
            return EditorAcceptsChar(column, static_cast<unsigned char>(c));
        });
        if (!typeable || (number.empty() && !text.empty())) {
            return note(CellNote::kNotAFrequency);
        }
        const std::string value = FilterEditorText(column, number);
        if (value == shown) {
            return std::nullopt;
        }
        // As typed into the grid: a text out of the band, or no number at all (","),
        // becomes the band's lower limit.
        const int direction = column == kColTx ? 1 : 0;
        std::optional<CellNote> out;
        if (!value.empty() && !FrequencyInBand(value, direction, sheet.session().bands)) {
            out =
                note(CellNote::kOutOfBand, SnapFrequency(value, direction, sheet.session().bands));
        }
        if (column == kColRx) {
            sheet.commitRx(row, value);
        } else {
            sheet.commitTx(row, value);
        }
        return out;
    }
    case EditorKind::Tone: {
        if (text.empty() || text == shown) {
            return std::nullopt;
        }
        const std::optional<std::string> tone = ToneFor(text, language);
        if (!tone) {
            return note(CellNote::kNoSuchTone);
        }
        if (column == kColEncode && sheet.cell(row, kColTx).empty()) {
            // A receive-only channel sends no tone; "none" asks for nothing.
            return *tone == Tones(language).front() ? std::nullopt
                                                    : std::optional(note(CellNote::kReceiveOnly));
        }
        if (*tone != shown) {
            sheet.commitTone(row, column, *tone);
        }
        return std::nullopt;
    }
    case EditorKind::Choice: {
        if (text.empty() || text == shown) {
            return std::nullopt;
        }
        const std::optional<std::string> choice = ChoiceFor(column, text, language);
        if (!choice) {
            return note(CellNote::kNotAChoice);
        }
        if (*choice != shown) {
            sheet.commitChoice(row, column, *choice);
        }
        return std::nullopt;
    }
    case EditorKind::None:
        break;
    }
    return std::nullopt;
}

std::vector<CellNote> FillColumn(BankSheet& sheet, const std::vector<int>& rows, int column,
                                 std::string_view value) {
    std::vector<CellNote> notes;
    if (column == kColRx && TrimBlanks(value).empty()) {
        return notes;
    }
    for (int row : rows) {
        if (auto n = CommitAsTyped(sheet, row, column, value)) {
            notes.push_back(std::move(*n));
        }
    }
    return notes;
}

PasteResult PasteTable(BankSheet& sheet, int startRow, const BlockTable& table) {
    PasteResult result;
    result.lastRow = startRow - 1;
    // The text column of each grid column, and the text columns that hold none.
    std::array<int, kColumnCount> source;
    source.fill(-1);
    bool any = false;
    for (std::size_t j = 0; j < table.columns.size(); ++j) {
        const int c = table.columns[j];
        if (c >= kColRx && c < kColMore && source[c] < 0) {
            source[c] = static_cast<int>(j);
            any = true;
        } else if (c < 0) {
            std::string_view shown;
            if (j < table.headerCells.size()) {
                shown = TrimBlanks(table.headerCells[j]);
            }
            for (std::size_t i = 0; !table.header && i < table.rows.size() && shown.empty(); ++i) {
                if (j < table.rows[i].size()) {
                    shown = TrimBlanks(table.rows[i][j]);
                }
            }
            if (!shown.empty()) {
                result.notes.push_back({0,
                                        static_cast<int>(j) + 1,
                                        CellNote::kColumnNotTaken,
                                        std::string(shown),
                                        {}});
            }
        }
    }
    if (table.unknownHeader || !any) {
        result.refused = !table.rows.empty() || table.unknownHeader;
        result.notes.clear();
        return result;
    }
    auto cellOf = [&](const std::vector<std::string>& cells, int c) -> std::string_view {
        const int j = source[c];
        return j >= 0 && static_cast<std::size_t>(j) < cells.size() ? std::string_view(cells[j])
                                                                    : std::string_view();
    };
    for (std::size_t i = 0; i < table.rows.size(); ++i) {
        const int row = startRow + static_cast<int>(i);
        if (row > kChannelRows) {
            result.notPasted = static_cast<int>(table.rows.size() - i);
            break;
        }
        if (row < 1) {
            continue;
        }
        result.lastRow = row;
        const std::vector<std::string>& cells = table.rows[i];
        bool empty = true;
        for (int c = kColRx; c < kColMore; ++c) {
            empty = empty && TrimBlanks(cellOf(cells, c)).empty();
        }
        if (empty) {
            result.notes.push_back({row, kColLabel, CellNote::kEmptyLine, {}, {}});
            continue;
        }
        // The receive frequency makes the channel; a line whose receive frequency is
        // refused is refused whole, so no half of it lands in the old channel.
        const std::string_view rx = cellOf(cells, kColRx);
        if (auto n =
                TrimBlanks(rx).empty() ? std::nullopt : CommitAsTyped(sheet, row, kColRx, rx)) {
            const bool refused = n->kind == CellNote::kNotAFrequency;
            result.notes.push_back(std::move(*n));
            if (refused) {
                continue;
            }
        }
        if (!sheet.rowUsed(row)) {
            // Values for an empty channel without a receive frequency: one note a line.
            CellNote lost{row, 0, CellNote::kEmptyChannel, {}, {}};
            for (int c = kColTx; c < kColMore; ++c) {
                const std::string_view text = TrimBlanks(cellOf(cells, c));
                if (!text.empty()) {
                    lost.column = lost.column == 0 ? c : lost.column;
                    lost.typed += (lost.typed.empty() ? "" : ", ") + std::string(text);
                }
            }
            result.notes.push_back(std::move(lost));
            continue;
        }
        // In the grid's order: the transmit frequency comes before the encode tone that
        // needs it. A cell left empty changes nothing.
        for (int c = kColTx; c < kColMore; ++c) {
            const std::string_view text = cellOf(cells, c);
            if (TrimBlanks(text).empty()) {
                continue;
            }
            if (auto n = CommitAsTyped(sheet, row, c, text)) {
                result.notes.push_back(std::move(*n));
            }
        }
    }
    return result;
}

std::vector<ChannelClipboard> CopyRows(const BankSheet& sheet, const std::vector<int>& rows) {
    std::vector<ChannelClipboard> block(rows.size());
    for (std::size_t i = 0; i < rows.size(); ++i) {
        sheet.copy(rows[i], block[i]); // an empty channel stays unfilled
    }
    return block;
}

int PasteRows(BankSheet& sheet, int startRow, const std::vector<ChannelClipboard>& block) {
    int row = startRow;
    for (const ChannelClipboard& clip : block) {
        if (row > kChannelRows) {
            break;
        }
        if (clip.filled) {
            sheet.paste(row, clip);
        } else {
            sheet.clearRecord(row);
        }
        ++row;
    }
    return row - 1;
}

void ApplyOrder(BankSheet& sheet, const BankOrder& order) {
    BankOrder at; // at[k]: the channel (by its row before) now in row k + 1
    std::iota(at.begin(), at.end(), 1);
    for (int k = 0; k < kChannelRows; ++k) {
        int p = static_cast<int>(std::find(at.begin() + k, at.end(), order[k]) - at.begin());
        if (p == kChannelRows) {
            continue; // not a permutation: the rest stays where it is
        }
        for (; p > k; --p) {
            sheet.moveUp(p + 1);
            std::swap(at[p], at[p - 1]);
        }
    }
}

BankOrder SortOrder(const BankSheet& sheet, const std::vector<int>& rows, SortKey key,
                    bool descending) {
    std::vector<int> places = SortedRows(rows);
    if (places.empty()) {
        places.resize(kChannelRows);
        std::iota(places.begin(), places.end(), 1);
    }
    struct Entry {
        int row;
        int rank; // 0 sorted by the key, 1 without the key's value, 2 empty
        long long number;
        std::string text;
    };
    std::vector<Entry> entries;
    for (int row : places) {
        Entry e{row, 0, 0, {}};
        if (!sheet.rowUsed(row)) {
            e.rank = 2;
        } else if (key == SortKey::Name) {
            e.text = LowerCase(TrimBlanks(sheet.cell(row, kColName)));
        } else {
            const std::string& f = sheet.cell(row, key == SortKey::RxFrequency ? kColRx : kColTx);
            e.number = sheet::FrequencyUnits(f);
            e.rank = f.empty() ? 1 : 0;
        }
        entries.push_back(std::move(e));
    }
    std::stable_sort(entries.begin(), entries.end(), [&](const Entry& a, const Entry& b) {
        if (a.rank != b.rank) {
            return a.rank < b.rank;
        }
        if (a.rank != 0) {
            return false;
        }
        if (key == SortKey::Name) {
            return descending ? b.text < a.text : a.text < b.text;
        }
        return descending ? b.number < a.number : a.number < b.number;
    });
    BankOrder order;
    std::iota(order.begin(), order.end(), 1);
    for (std::size_t i = 0; i < places.size(); ++i) {
        order[places[i] - 1] = entries[i].row;
    }
    return order;
}

BankOrder DropOrder(const std::vector<int>& rows, int before) {
    const std::vector<int> moving = SortedRows(rows);
    std::vector<int> rest;
    for (int row = 1; row <= kChannelRows; ++row) {
        if (!std::binary_search(moving.begin(), moving.end(), row)) {
            rest.push_back(row);
        }
    }
    const auto at = std::lower_bound(rest.begin(), rest.end(), before) - rest.begin();
    rest.insert(rest.begin() + at, moving.begin(), moving.end());
    BankOrder order;
    std::copy(rest.begin(), rest.end(), order.begin());
    return order;
}

std::vector<int> MoveBlock(BankSheet& sheet, const std::vector<int>& rows, int step) {
    std::vector<int> block = SortedRows(rows);
    if (block.empty() || step == 0 || (step < 0 && block.front() == 1) ||
        (step > 0 && block.back() == kChannelRows)) {
        return block;
    }
    if (step < 0) {
        for (int& row : block) {
            row = sheet.moveUp(row);
        }
    } else {
        for (auto it = block.rbegin(); it != block.rend(); ++it) {
            *it = sheet.moveDown(*it);
        }
    }
    return block;
}

std::vector<int> MoveToBank(BankSheet& from, BankSheet& to, const std::vector<int>& rows) {
    std::vector<int> used;
    for (int row : SortedRows(rows)) {
        if (from.rowUsed(row)) {
            used.push_back(row);
        }
    }
    std::vector<int> free;
    for (int row = 1; row <= kChannelRows && free.size() < used.size(); ++row) {
        if (!to.rowUsed(row)) {
            free.push_back(row);
        }
    }
    if (free.size() < used.size()) {
        return {};
    }
    for (std::size_t i = 0; i < used.size(); ++i) {
        ChannelClipboard clip;
        from.copy(used[i], clip);
        to.paste(free[i], clip);
        from.clearChannel(used[i]);
    }
    to.rewriteNames(); // the other bank is not shown: its names go to the image now
    return free;
}

bool ChannelMatches(const BankRow& row, std::string_view text) {
    text = TrimBlanks(text);
    if (text.empty() || row[kColRx].empty()) {
        return false;
    }
    std::string number(text);
    std::replace(number.begin(), number.end(), ',', '.');
    for (int c : {kColRx, kColTx}) {
        if (!row[c].empty() && row[c].compare(0, number.size(), number) == 0) {
            return true;
        }
    }
    return LowerCase(row[kColName]).find(LowerCase(text)) != std::string::npos;
}

std::optional<ChannelPlace> FindChannel(const std::array<BankTexts, 2>& banks,
                                        std::string_view text, ChannelPlace from, bool forward) {
    constexpr int kAll = 2 * kChannelRows;
    const int start = (from.bank == kBankB ? kChannelRows : 0) + from.row - 1;
    for (int step = 1; step <= kAll; ++step) {
        const int at = ((start + (forward ? step : -step)) % kAll + kAll) % kAll;
        if (ChannelMatches(banks[at / kChannelRows][at % kChannelRows], text)) {
            return ChannelPlace{at / kChannelRows, at % kChannelRows + 1};
        }
    }
    return std::nullopt;
}

} // namespace r57
