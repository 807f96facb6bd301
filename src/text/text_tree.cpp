// Reading the codeplug text into a tree. yaml-cpp reads any YAML but spends most of an
// import scanning; the export's own shape (one "key: value" a line, nested by
// indentation) is read here directly, and everything else is left to yaml-cpp, so the
// two readers can only differ in speed.
#include "text/text_tree.h"

#include <yaml-cpp/yaml.h>

#include <algorithm>
#include <optional>

namespace r57::text {

namespace {

using Kind = TextNode::Kind;

// Characters that give a plain text another meaning at its start.
bool Indicator(char c) {
    return std::string_view("-?:,[]{}#&*!|>'\"%@`").find(c) != std::string_view::npos;
}

struct Scalar {
    std::string text;
    int column = 0;
    bool quoted = false;
};

// A double-quoted text at `at` (the quote) with no escapes but \" and \\; its end is
// set past the closing quote.
std::optional<std::string> Quoted(std::string_view line, std::size_t at, std::size_t& end) {
    std::string text;
    for (std::size_t i = at + 1; i < line.size(); ++i) {
        const char c = line[i];
        if (c == '"') {
            end = i + 1;
            return text;
        }
        if (c == '\\') {
            if (i + 1 >= line.size() || (line[i + 1] != '"' && line[i + 1] != '\\')) {
                return std::nullopt;
            }
            text += line[++i];
            continue;
        }
        text += c;
    }
    return std::nullopt;
}

struct Entry {
    int line = 0;
    int indent = 0;
    Scalar key;
    std::optional<Scalar> value; // none: a nested map or nothing follows
    bool emptyMap = false;       // the line is "{}", the map of the key above it
};

std::optional<Entry> ReadEntry(std::string_view line, int number, int indent) {
    Entry entry{number, indent, {}, std::nullopt};
    std::size_t i = static_cast<std::size_t>(indent);
    entry.key.column = indent;
    if (line[i] == '"') {
        std::size_t end = 0;
        auto key = Quoted(line, i, end);
        if (!key || end >= line.size() || line[end] != ':') {
            return std::nullopt;
        }
        entry.key.text = std::move(*key);
        entry.key.quoted = true;
        i = end + 1;
    } else {
        if (Indicator(line[i])) {
            return std::nullopt;
        }
        std::size_t colon = line.find(':', i);
        while (colon != std::string_view::npos && colon + 1 < line.size() &&
               line[colon + 1] != ' ') {
            colon = line.find(':', colon + 1);
        }
        if (colon == std::string_view::npos || line[colon - 1] == ' ') {
            return std::nullopt;
        }
        entry.key.text = std::string(line.substr(i, colon - i));
        if (entry.key.text.find(" #") != std::string::npos) {
            return std::nullopt;
        }
        i = colon + 1;
    }
    if (i < line.size() && line[i] != ' ') {
        return std::nullopt;
    }
    const std::size_t start = line.find_first_not_of(' ', i);
    if (start == std::string_view::npos || line[start] == '#') {
        return entry;
    }
    Scalar value;
    value.column = static_cast<int>(start);
    std::size_t end = line.size();
    if (line[start] == '"') {
        auto text = Quoted(line, start, end);
        if (!text) {
            return std::nullopt;
        }
        value.text = std::move(*text);
        value.quoted = true;
        const std::size_t rest = line.find_first_not_of(' ', end);
        if (rest != std::string_view::npos && (line[rest] != '#' || rest == end)) {
            return std::nullopt;
        }
    } else {
        if (Indicator(line[start])) {
            return std::nullopt;
        }
        const std::size_t comment = line.find(" #", start);
        std::string_view text = line.substr(
            start, comment == std::string_view::npos ? std::string_view::npos : comment - start);
        text = text.substr(0, text.find_last_not_of(' ') + 1);
        if (text.find(": ") != std::string_view::npos || text.back() == ':') {
            return std::nullopt;
        }
        value.text = std::string(text);
    }
    entry.value = std::move(value);
    return entry;
}

TextNode Leaf(const Scalar& scalar, int line) {
    TextNode node;
    const bool null = !scalar.quoted && (scalar.text == "~" || scalar.text == "null" ||
                                         scalar.text == "Null" || scalar.text == "NULL");
    node.kind = null ? Kind::Null : Kind::Text;
    node.text = null ? std::string() : scalar.text;
    node.place = {line, scalar.column};
    return node;
}

class BlockReader {
public:
    BlockReader(std::vector<Entry> entries, TextPlace end)
        : entries_(std::move(entries)), end_(end) {}

    std::optional<TextNode> root() {
        if (entries_.empty() || entries_.front().indent != 0) {
            return std::nullopt;
        }
        std::optional<TextNode> map = readMap(0);
        if (!map || next_ != entries_.size()) {
            return std::nullopt;
        }
        return map;
    }

private:
    TextPlace placeOf(std::size_t index) const {
        return index < entries_.size() ? TextPlace{entries_[index].line, entries_[index].key.column}
                                       : end_;
    }

    std::optional<TextNode> readMap(int indent) {
        TextNode map;
        map.kind = Kind::Map;
        map.place = placeOf(next_);
        while (next_ < entries_.size() && entries_[next_].indent >= indent) {
            const Entry& entry = entries_[next_];
            if (entry.indent != indent || entry.emptyMap) {
                return std::nullopt;
            }
            ++next_;
            TextNode key = Leaf(entry.key, entry.line);
            if (entry.value) {
                map.entries.emplace_back(std::move(key), Leaf(*entry.value, entry.line));
                continue;
            }
            if (next_ < entries_.size() && entries_[next_].indent > indent &&
                entries_[next_].emptyMap) {
                TextNode empty;
                empty.kind = Kind::Map;
                empty.place = placeOf(next_++);
                map.entries.emplace_back(std::move(key), std::move(empty));
                continue;
            }
            if (next_ < entries_.size() && entries_[next_].indent > indent) {
                std::optional<TextNode> inner = readMap(entries_[next_].indent);
                if (!inner) {
                    return std::nullopt;
                }
                map.entries.emplace_back(std::move(key), std::move(*inner));
                continue;
            }
            TextNode null;
            null.place = placeOf(next_);
            map.entries.emplace_back(std::move(key), std::move(null));
        }
        return map;
    }

    std::vector<Entry> entries_;
    TextPlace end_;
    std::size_t next_ = 0;
};

// yaml-cpp keeps an alias as one more reference to its anchor's node; the tree copies
// it out, so the nodes are counted as they are made. An anchor may even name itself
// inside its own map, a node without end: the depth is bounded too, far beyond the
// three levels a codeplug text has.
constexpr int kDeepestText = 32;

TextNode FromYamlCpp(const YAML::Node& node, std::size_t& count, int depth = 0) {
    if (depth > kDeepestText) {
        throw TextTreeRefusal{{node.Mark().line, node.Mark().column},
                              "nested more than " + std::to_string(kDeepestText) +
                                  " levels deep (an alias inside its own anchor?): no codeplug "
                                  "text is that deep"};
    }
    if (++count > kMostTextNodes) {
        throw TextTreeRefusal{{node.Mark().line, node.Mark().column},
                              "more than " + std::to_string(kMostTextNodes) +
                                  " entries (aliases that expand without end?): no codeplug "
                                  "text is this long"};
    }
    TextNode out;
    out.place = {node.Mark().line, node.Mark().column};
    if (node.IsNull()) {
        out.kind = Kind::Null;
    } else if (node.IsScalar()) {
        out.kind = Kind::Text;
        out.text = node.Scalar();
    } else if (node.IsMap()) {
        out.kind = Kind::Map;
        for (const auto& item : node) {
            TextNode key = FromYamlCpp(item.first, count, depth + 1);
            out.entries.emplace_back(std::move(key), FromYamlCpp(item.second, count, depth + 1));
        }
    } else {
        out.kind = Kind::Other;
    }
    return out;
}

// Line and column (0-based) of `offset`.
TextPlace PlaceOf(std::string_view text, std::size_t offset) {
    const std::string_view before = text.substr(0, offset);
    const std::size_t lastBreak = before.rfind('\n');
    return {
        static_cast<int>(std::count(before.begin(), before.end(), '\n')),
        static_cast<int>(lastBreak == std::string_view::npos ? offset : offset - lastBreak - 1)};
}

} // namespace

std::size_t FirstNonUtf8(std::string_view s) {
    for (std::size_t i = 0; i < s.size();) {
        const auto c = static_cast<unsigned char>(s[i]);
        const int extra = c < 0x80                 ? 0
                          : c >= 0xC2 && c <= 0xDF ? 1
                          : (c & 0xF0) == 0xE0     ? 2
                          : c >= 0xF0 && c <= 0xF4 ? 3
                                                   : -1;
        if (extra < 0 || i + extra >= s.size()) {
            return i;
        }
        for (int k = 1; k <= extra; ++k) {
            if ((static_cast<unsigned char>(s[i + k]) & 0xC0) != 0x80) {
                return i;
            }
        }
        i += 1 + extra;
    }
    return std::string_view::npos;
}

bool ValidUtf8(std::string_view s) {
    for (std::size_t i = 0; i < s.size();) {
        const auto c = static_cast<unsigned char>(s[i]);
        const int extra = c < 0x80 ? 0 : (c & 0xE0) == 0xC0 ? 1 : (c & 0xF0) == 0xE0 ? 2 : -1;
        if (extra < 0 || (extra == 1 && c < 0xC2) || (extra > 0 && i + extra >= s.size())) {
            return false;
        }
        for (int k = 1; k <= extra; ++k) {
            if ((static_cast<unsigned char>(s[i + k]) & 0xC0) != 0x80) {
                return false;
            }
        }
        i += 1 + extra;
    }
    return true;
}

std::optional<TextNode> ReadPlainBlocks(std::string_view yaml) {
    if (yaml.find_first_of("\t\r") != std::string_view::npos || !ValidUtf8(yaml)) {
        return std::nullopt;
    }
    std::vector<Entry> entries;
    int number = 0;
    std::size_t start = 0;
    for (; start < yaml.size(); ++number) {
        std::size_t stop = yaml.find('\n', start);
        stop = stop == std::string_view::npos ? yaml.size() : stop;
        const std::string_view line = yaml.substr(start, stop - start);
        start = stop + 1;
        const std::size_t first = line.find_first_not_of(' ');
        if (first == std::string_view::npos || line[first] == '#') {
            continue;
        }
        if (line.substr(0, 3) == "---" || line.substr(0, 3) == "..." || line[0] == '%') {
            return std::nullopt;
        }
        if (line.substr(first) == "{}") {
            Entry empty{number, static_cast<int>(first), {}, std::nullopt, true};
            empty.key.column = empty.indent;
            entries.push_back(std::move(empty));
            continue;
        }
        std::optional<Entry> entry = ReadEntry(line, number, static_cast<int>(first));
        if (!entry) {
            return std::nullopt;
        }
        entries.push_back(std::move(*entry));
    }
    // Where a last empty value stands: yaml-cpp marks it at the end of the text.
    const std::size_t lastBreak = yaml.rfind('\n');
    const TextPlace end{static_cast<int>(std::count(yaml.begin(), yaml.end(), '\n')),
                        static_cast<int>(lastBreak == std::string_view::npos
                                             ? yaml.size()
                                             : yaml.size() - lastBreak - 1)};
    return BlockReader(std::move(entries), end).root();
}

// Where a second document starts: a "---" line after the first document's content, or
// content after a "..." line; npos for a text of one document. Found here because
// yaml-cpp's own reading of every document can run without end on a few bytes of
// broken text (", k8:x1, :x1, k9:" takes gigabytes).
std::optional<TextPlace> SecondDocument(std::string_view yaml) {
    bool content = false;
    bool ended = false;
    int line = 0;
    for (std::size_t start = 0; start <= yaml.size(); ++line) {
        const std::size_t stop = std::min(yaml.find('\n', start), yaml.size());
        const std::string_view text = yaml.substr(start, stop - start);
        start = stop + 1;
        auto marker = [&text](std::string_view mark) {
            return text.substr(0, 3) == mark &&
                   (text.size() == 3 || text[3] == ' ' || text[3] == '\t' || text[3] == '\r');
        };
        const std::size_t first = text.find_first_not_of(" \t\r");
        const bool blank = first == std::string_view::npos || text[first] == '#';
        if (marker("---")) {
            if (content || ended) {
                return TextPlace{line, 0};
            }
            const std::size_t rest = text.find_first_not_of(" \t\r", 3);
            content = rest != std::string_view::npos && text[rest] != '#';
        } else if (marker("...")) {
            ended = true;
        } else if (!blank && text[0] != '%') {
            if (ended) {
                return TextPlace{line, 0};
            }
            content = true;
        }
        if (stop == yaml.size()) {
            break;
        }
    }
    return std::nullopt;
}

TextNode ReadWithYamlCpp(std::string_view yaml) {
    if (const std::optional<TextPlace> second = SecondDocument(yaml)) {
        throw TextTreeRefusal{*second, "a second document: a codeplug text is one document"};
    }
    const YAML::Node document = YAML::Load(std::string(yaml));
    std::size_t count = 0;
    return FromYamlCpp(document, count);
}

TextNode ReadTextTree(std::string_view yaml) {
    // yaml-cpp would take other bytes as they come and drop some; a file saved in
    // another encoding must be saved as UTF-8 first.
    if (const std::size_t bad = FirstNonUtf8(yaml); bad != std::string_view::npos) {
        throw TextTreeRefusal{PlaceOf(yaml, bad), "not UTF-8 text: save the file as UTF-8"};
    }
    if (std::optional<TextNode> quick = ReadPlainBlocks(yaml)) {
        return std::move(*quick);
    }
    return ReadWithYamlCpp(yaml);
}

} // namespace r57::text
