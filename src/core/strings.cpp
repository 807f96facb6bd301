// The bilingual string table, compiled in from resources/strings.tsv and parsed once.
#include "core/strings.h"

#include <map>
#include <string_view>

namespace r57 {
namespace detail {
extern const char* const kStringTableText;
} // namespace detail

namespace {

// "\t" (backslash, t) in a text stands for a tab character; nothing else is escaped.
std::string Unescape(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\\' && i + 1 < text.size() && text[i + 1] == 't') {
            out += '\t';
            ++i;
        } else {
            out += text[i];
        }
    }
    return out;
}

// Lines "id<TAB>text"; "#" lines, empty lines and lines without a numeric id before
// the first tab are skipped. A carriage return ending a line is dropped.
std::map<int, std::string> ParseTable(std::string_view table) {
    std::map<int, std::string> entries;
    while (!table.empty()) {
        const std::size_t end = table.find('\n');
        std::string_view line = table.substr(0, end);
        table = end == std::string_view::npos ? std::string_view() : table.substr(end + 1);
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        if (line.empty() || line[0] == '#')
            continue;
        const std::size_t tab = line.find('\t');
        if (tab == 0 || tab == std::string_view::npos || tab > 6)
            continue;
        int id = 0;
        bool numeric = true;
        for (char c : line.substr(0, tab)) {
            if (c < '0' || c > '9')
                numeric = false;
            else
                id = id * 10 + (c - '0');
        }
        if (!numeric)
            continue;
        entries[id] = Unescape(line.substr(tab + 1));
    }
    return entries;
}

const std::map<int, std::string>& Table() {
    static const std::map<int, std::string> table = ParseTable(detail::kStringTableText);
    return table;
}

} // namespace

std::string Text(int id, int language) {
    const std::string* text = LookupString(id + 1000 * language);
    return text ? *text : std::string();
}

const std::string* LookupString(int fullId) {
    const auto& table = Table();
    const auto it = table.find(fullId);
    return it == table.end() ? nullptr : &it->second;
}

int StringCount() {
    return static_cast<int>(Table().size());
}

} // namespace r57
