// Writing and reading the clipboard's text form of a block of channels.
#include "model/sheet/block_text.h"

#include "model/sheet/bank_sheet.h"

#include "core/channel.h"
#include "core/session.h"
#include "core/strings.h"

#include <algorithm>
#include <cctype>

namespace r57 {

namespace {

constexpr int kTextColumns = kColMore; // columns 0..13 travel; "More" holds no value

// Spreadsheets quote a cell that holds a tab, a line break or a quote, doubling the
// quotes inside; so does our own Copy.
std::string QuotedCell(const std::string& cell) {
    if (cell.find_first_of("\t\r\n\"") == std::string::npos) {
        return cell;
    }
    std::string out = "\"";
    for (char c : cell) {
        out += c;
        if (c == '"') {
            out += '"';
        }
    }
    return out + '"';
}

using Lines = std::vector<std::vector<std::string>>;

// Cuts the text into lines of cells. A quote opens a quoted cell only at the start of
// a cell, and only when it is closed somewhere: a stray quote is a character.
Lines SplitLines(std::string_view text) {
    Lines lines;
    std::vector<std::string> cells;
    std::string cell;
    bool lineHasText = false; // an entirely empty line is a row without cells
    auto endCell = [&] {
        cells.push_back(std::move(cell));
        cell.clear();
    };
    auto endLine = [&] {
        endCell();
        if (!lineHasText && cells.size() == 1 && cells.front().empty()) {
            cells.clear();
        }
        lines.push_back(std::move(cells));
        cells.clear();
        lineHasText = false;
    };
    std::size_t i = 0;
    const std::size_t n = text.size();
    while (i < n) {
        const char c = text[i];
        if (c == '"' && cell.empty()) {
            // Find the closing quote (a doubled quote is one quote of the cell).
            std::size_t j = i + 1;
            std::string inside;
            bool closed = false;
            while (j < n) {
                if (text[j] == '"') {
                    if (j + 1 < n && text[j + 1] == '"') {
                        inside += '"';
                        j += 2;
                        continue;
                    }
                    closed = true;
                    break;
                }
                inside += text[j++];
            }
            if (closed) {
                cell = std::move(inside);
                lineHasText = true;
                i = j + 1;
                continue;
            }
        }
        if (c == '\t') {
            lineHasText = true;
            endCell();
        } else if (c == '\n' || c == '\r') {
            endLine();
            if (c == '\r' && i + 1 < n && text[i + 1] == '\n') {
                ++i;
            }
        } else {
            cell += c;
            lineHasText = true;
        }
        ++i;
    }
    if (!cell.empty() || !cells.empty() || lineHasText) {
        endLine(); // the last line without its line end
    }
    return lines;
}

// The grid column a header cell names, or -1. Besides the grid's captions, a
// spreadsheet's plain "Name" and "Channel" are understood.
int CaptionColumn(std::string_view cell) {
    const std::string wanted = LowerCase(TrimBlanks(cell));
    if (wanted.empty()) {
        return -1;
    }
    if (wanted == "name") {
        return kColName;
    }
    if (wanted == "channel") {
        return kColLabel;
    }
    for (int c = kColLabel; c <= kColMore; ++c) {
        for (int language : {kEnglish, kChinese}) {
            if (LowerCase(ColumnCaption(c, language)) == wanted) {
                return c;
            }
        }
    }
    return -1;
}

bool IsChannelLabel(std::string_view cell) {
    cell = TrimBlanks(cell);
    if (cell.size() < 2 || cell.size() > 4) {
        return false;
    }
    const int bank = std::toupper(static_cast<unsigned char>(cell[0]));
    if (bank != 'A' && bank != 'B') {
        return false;
    }
    int n = 0;
    for (char c : cell.substr(1)) {
        if (c < '0' || c > '9') {
            return false;
        }
        n = n * 10 + (c - '0');
    }
    return n >= 1 && n <= kChannelRows && cell[1] != '0';
}

// A cell that starts with a digit (a frequency, a tone, a group number).
bool HoldsNumber(std::string_view cell) {
    cell = TrimBlanks(cell);
    return !cell.empty() && cell.front() >= '0' && cell.front() <= '9';
}

// A first line of words over lines of numbers: a header, even when it names nothing
// the grid knows.
bool LooksLikeHeader(const Lines& lines) {
    if (lines.size() < 2 || lines.front().empty()) {
        return false;
    }
    const auto& first = lines.front();
    if (std::any_of(first.begin(), first.end(), HoldsNumber)) {
        return false;
    }
    const auto& second = lines[1];
    for (std::size_t j = 0; j < std::min(first.size(), second.size()); ++j) {
        if (!TrimBlanks(first[j]).empty() && HoldsNumber(second[j])) {
            return true;
        }
    }
    return false;
}

} // namespace

std::string_view TrimBlanks(std::string_view s) {
    const auto blank = [](char c) {
        return c == ' ' || c == '\t' || c == '\r' || c == '\n';
    };
    while (!s.empty() && blank(s.front())) {
        s.remove_prefix(1);
    }
    while (!s.empty() && blank(s.back())) {
        s.remove_suffix(1);
    }
    return s;
}

std::string LowerCase(std::string_view s) {
    std::string out(s);
    std::transform(out.begin(), out.end(), out.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return out;
}

std::string BlockText(const BankSheet& sheet, const std::vector<int>& rows) {
    const int language = sheet.session().language;
    std::string text;
    for (int c = kColLabel; c < kTextColumns; ++c) {
        text += QuotedCell(ColumnCaption(c, language));
        text += c + 1 < kTextColumns ? '\t' : '\n';
    }
    for (int row : rows) {
        for (int c = kColLabel; c < kTextColumns; ++c) {
            text += QuotedCell(sheet.cell(row, c));
            text += c + 1 < kTextColumns ? '\t' : '\n';
        }
    }
    return text;
}

BlockTable ReadBlockText(std::string_view text, int firstColumn) {
    BlockTable table;
    if (text.substr(0, 3) == "\xEF\xBB\xBF") {
        text.remove_prefix(3); // the byte-order mark some programs put first
    }
    table.rows = SplitLines(text);
    const auto blank = [](const std::vector<std::string>& line) {
        return std::all_of(line.begin(), line.end(),
                           [](const std::string& cell) { return TrimBlanks(cell).empty(); });
    };
    while (!table.rows.empty() && blank(table.rows.back())) {
        table.rows.pop_back();
    }
    if (table.rows.empty()) {
        return table;
    }

    // The header: most of the first line's cells are captions.
    const std::vector<std::string>& first = table.rows.front();
    std::vector<int> named;
    int captions = 0;
    int filled = 0;
    for (const std::string& cell : first) {
        named.push_back(CaptionColumn(cell));
        captions += named.back() >= 0 ? 1 : 0;
        filled += TrimBlanks(cell).empty() ? 0 : 1;
    }
    const bool words = LooksLikeHeader(table.rows);
    // One cell alone is a header when it names the cursor's column or stands over a
    // number: a column of names may start with one called "VOX".
    const bool single = filled == 1 && first.size() == 1;
    const bool named1 = !single || words || named.front() == firstColumn;
    if ((captions * 2 > filled && named1) || (words && captions > 0)) {
        table.header = true;
        table.headerCells = first;
        // A column named twice is taken the first time; "More" holds nothing to take.
        std::vector<bool> seen(kColumnCount, false);
        for (int& c : named) {
            if (c == kColMore || (c >= 0 && seen[c])) {
                c = -1;
            } else if (c >= 0) {
                seen[c] = true;
            }
        }
        table.labelled = !named.empty() && named.front() == kColLabel;
        table.columns = std::move(named);
        table.rows.erase(table.rows.begin());
        return table;
    }
    if (words) {
        table.unknownHeader = true;
        table.headerCells = first;
        table.rows.erase(table.rows.begin());
        table.columns.assign(first.size(), -1);
        return table;
    }
    // No header: the grid's order, from the label when the lines carry one.
    table.labelled = !first.empty() && IsChannelLabel(first.front());
    const int from = table.labelled ? static_cast<int>(kColLabel)
                                    : std::clamp(firstColumn, static_cast<int>(kColRx),
                                                 static_cast<int>(kColMore) - 1);
    std::size_t width = 0;
    for (const auto& row : table.rows) {
        width = std::max(width, row.size());
    }
    for (std::size_t i = 0; i < width; ++i) {
        const int c = from + static_cast<int>(i);
        table.columns.push_back(c < kTextColumns ? c : -1);
    }
    return table;
}

} // namespace r57
