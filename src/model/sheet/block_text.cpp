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

// A spreadsheet quotes a cell that holds a tab, a line break or a quote.
std::string Unquote(std::string_view cell) {
    cell = TrimBlanks(cell);
    if (cell.size() < 2 || cell.front() != '"' || cell.back() != '"') {
        return std::string(cell);
    }
    std::string out;
    for (std::size_t i = 1; i + 1 < cell.size(); ++i) {
        out += cell[i];
        if (cell[i] == '"' && cell[i + 1] == '"') {
            ++i;
        }
    }
    return std::string(TrimBlanks(out));
}

std::vector<std::string> SplitCells(std::string_view line) {
    std::vector<std::string> cells;
    std::size_t start = 0;
    for (;;) {
        const std::size_t tab = line.find('\t', start);
        cells.push_back(Unquote(line.substr(
            start, tab == std::string_view::npos ? std::string_view::npos : tab - start)));
        if (tab == std::string_view::npos) {
            return cells;
        }
        start = tab + 1;
    }
}

// The grid column a header cell names, or -1. Besides the grid's captions, a
// spreadsheet's plain "Name" and "Channel" are understood.
int CaptionColumn(std::string_view cell) {
    const std::string wanted = LowerCase(cell);
    if (wanted == "name") {
        return kColName;
    }
    if (wanted == "channel") {
        return kColLabel;
    }
    for (int c = kColLabel; c < kTextColumns; ++c) {
        for (int language : {kEnglish, kChinese}) {
            if (LowerCase(ColumnCaption(c, language)) == wanted) {
                return c;
            }
        }
    }
    return -1;
}

bool IsChannelLabel(std::string_view cell) {
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
        text += ColumnCaption(c, language);
        text += c + 1 < kTextColumns ? '\t' : '\n';
    }
    for (int row : rows) {
        for (int c = kColLabel; c < kTextColumns; ++c) {
            text += sheet.cell(row, c);
            text += c + 1 < kTextColumns ? '\t' : '\n';
        }
    }
    return text;
}

BlockTable ReadBlockText(std::string_view text) {
    BlockTable table;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string_view::npos) {
            end = text.size();
        }
        std::string_view line = text.substr(start, end - start);
        if (!line.empty() && line.back() == '\r') {
            line.remove_suffix(1);
        }
        table.rows.push_back(SplitCells(line));
        start = end + 1;
    }
    while (!table.rows.empty() &&
           std::all_of(table.rows.back().begin(), table.rows.back().end(),
                       [](const std::string& cell) { return cell.empty(); })) {
        table.rows.pop_back();
    }
    if (table.rows.empty()) {
        return table;
    }

    std::vector<int> named;
    for (const std::string& cell : table.rows.front()) {
        named.push_back(CaptionColumn(cell));
    }
    if (std::any_of(named.begin(), named.end(), [](int c) { return c >= 0; })) {
        table.header = true;
        table.columns = std::move(named);
        table.rows.erase(table.rows.begin());
        return table;
    }
    // No header: the grid's order, from the label when the lines carry one.
    const int first = IsChannelLabel(table.rows.front().front()) ? kColLabel : kColRx;
    std::size_t width = 0;
    for (const auto& row : table.rows) {
        width = std::max(width, row.size());
    }
    for (std::size_t i = 0; i < width; ++i) {
        const int c = first + static_cast<int>(i);
        table.columns.push_back(c < kTextColumns ? c : -1);
    }
    return table;
}

} // namespace r57
