// The codeplug text as the import reads it: maps of named entries and texts, each with
// its place in the text. A quick reader takes what the export writes and a hand edit
// keeps (block maps, plain and double-quoted texts, comments); a text using more of
// YAML than that is read by yaml-cpp into the same tree.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace r57::text {

// 0-based line and column, as yaml-cpp marks them; -1 where there is no place.
struct TextPlace {
    int line = -1;
    int column = -1;
    bool operator==(const TextPlace& o) const { return line == o.line && column == o.column; }
};

struct TextNode {
    // Other: a list or anything else that is neither a text nor a map.
    enum class Kind { Null, Text, Map, Other };
    Kind kind = Kind::Null;
    std::string text;
    TextPlace place;
    std::vector<std::pair<TextNode, TextNode>> entries; // of a map: key, value

    bool operator==(const TextNode& o) const {
        return kind == o.kind && text == o.text && place == o.place && entries == o.entries;
    }
};

// A text that is YAML but no codeplug text: not UTF-8, a second document, aliases that
// expand beyond kMostTextNodes.
struct TextTreeRefusal {
    TextPlace place;
    std::string reason;
};

// More entries than any codeplug has by far (about 5,000): a few lines of nested
// aliases can stand for billions of them.
constexpr std::size_t kMostTextNodes = 100000;

// The tree of `yaml`; throws YAML::Exception (with its mark) where it is not YAML and
// TextTreeRefusal where it is not a text a codeplug is written in.
TextNode ReadTextTree(std::string_view yaml);

// The quick reader alone: nothing when the text uses more of YAML than it takes.
std::optional<TextNode> ReadPlainBlocks(std::string_view yaml);
// yaml-cpp alone.
TextNode ReadWithYamlCpp(std::string_view yaml);

// The offset of the first byte that is not UTF-8 (of one to four bytes), or npos.
std::size_t FirstNonUtf8(std::string_view text);

// Whether `text` is UTF-8 of one- to three-byte characters, which yaml-cpp reads and
// writes back byte for byte.
bool ValidUtf8(std::string_view text);

} // namespace r57::text
