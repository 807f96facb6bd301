// Writing the codeplug as YAML.
#include "text/codeplug_pages.h"
#include "text/codeplug_text.h"
#include "text/other_bytes.h"
#include "text/page_fields.h"
#include "text/text_tree.h"

#include "core/session.h"

#include <yaml-cpp/yaml.h>

#include <algorithm>
#include <cctype>
#include <map>
#include <optional>

namespace r57::text {

namespace {

// Whether a text reads back as the same text when written bare. Anything that a
// YAML reader could take for a number, a yes/no, a null, a comment or a key is quoted:
// "446.00625" stays a text for every reader, not only for ours.
bool PlainIsSafe(const std::string& text) {
    if (text.empty() || !std::isalpha(static_cast<unsigned char>(text[0])) || text.back() == ' ') {
        return false;
    }
    for (char c : text) {
        if (!std::isalnum(static_cast<unsigned char>(c)) &&
            std::string_view(" .-()/_").find(c) == std::string_view::npos) {
            return false;
        }
    }
    std::string lower = text;
    std::transform(lower.begin(), lower.end(), lower.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    for (const char* word : {"y", "n", "yes", "no", "on", "off", "true", "false", "null"}) {
        if (lower == word) {
            return false;
        }
    }
    return true;
}

// The export written as yaml-cpp writes block maps (two spaces a level, "{}" for an
// empty map), without yaml-cpp's check of each text that may stand plain: PlainIsSafe
// has decided that already, and the check took most of an export's time.
class BlockWriter {
public:
    // A text in double quotes. Printable ASCII needs only its quotes and backslashes
    // escaped; anything else is left to yaml-cpp, which knows every escape.
    static std::string DoubleQuoted(const std::string& text) {
        const bool ascii = std::all_of(text.begin(), text.end(), [](char c) {
            return static_cast<unsigned char>(c) >= 0x20 && static_cast<unsigned char>(c) < 0x7F;
        });
        if (!ascii) {
            YAML::Emitter one;
            one << YAML::DoubleQuoted << text;
            return one.c_str();
        }
        std::string quoted = "\"";
        for (char c : text) {
            if (c == '"' || c == '\\') {
                quoted += '\\';
            }
            quoted += c;
        }
        return quoted + '"';
    }
    static std::string Scalar(const std::string& text) {
        return PlainIsSafe(text) ? text : DoubleQuoted(text);
    }

    void entry(const std::string& key, const std::string& value) {
        text_.append(indent_, ' ') += key;
        text_ += ": ";
        text_ += value;
        text_ += '\n';
    }
    void beginMap(const std::string& key) {
        text_.append(indent_, ' ') += key;
        text_ += ":\n";
        indent_ += 2;
        starts_.push_back(text_.size());
    }
    void endMap() {
        if (starts_.back() == text_.size()) {
            text_.append(indent_, ' ') += "{}\n";
        }
        starts_.pop_back();
        indent_ -= 2;
    }
    const std::string& text() const { return text_; }

private:
    std::string text_;
    int indent_ = 0;
    std::vector<std::size_t> starts_;
};

// Whether a text comes back from the YAML exactly as it was written: valid UTF-8
// without control characters (the emitter writes anything else in other words).
bool ReadsBackAsWritten(const std::string& text) {
    return ValidUtf8(text) && std::none_of(text.begin(), text.end(), [](char c) {
               return static_cast<unsigned char>(c) < 0x20 || c == 0x7F;
           });
}

using ShownFields = std::map<std::string, std::vector<GivenField>>;

// What an import of the export makes, found without writing and parsing the text: the
// rows of "Other Bytes" first, then every page's shown values through its own rules in
// the order an import applies them. Nothing when a page refuses one of its own values
// or a text might not read back as written: then only a real import of the text tells.
std::optional<CodeplugImage> ImportedWithoutText(const ShownFields& shown,
                                                 const std::vector<ByteRow>& rows,
                                                 const CodeplugImage& reference) {
    for (const auto& [page, fields] : shown) {
        for (const GivenField& field : fields) {
            if (!ReadsBackAsWritten(field.name) || !ReadsBackAsWritten(field.text)) {
                return std::nullopt;
            }
        }
    }
    CodeplugImage image = reference;
    for (const ByteRow& row : rows) {
        if (!ApplyByteRow(image, row.address, row.bytes).empty()) {
            return std::nullopt;
        }
    }
    CodeplugPages pages;
    for (Page* page : pages.importOrder()) {
        const auto found = shown.find(page->name());
        if (found != shown.end() &&
            !ApplyFields(*page, found->second, image, OnRefusal::Stop, Taking::Exactly).empty()) {
            return std::nullopt;
        }
    }
    return image;
}

void EmitPage(BlockWriter& out, const Page& page, const std::vector<PageField>& fields) {
    out.beginMap(BlockWriter::Scalar(page.name()));
    const bool grouped = CodeplugPages::GroupsByChannel(page);
    std::string group;
    for (const PageField& field : fields) {
        std::string name = field.name;
        if (grouped) {
            const std::size_t space = name.find(' ');
            const std::string label = name.substr(0, space);
            if (label != group) {
                if (!group.empty()) {
                    out.endMap();
                }
                group = label;
                out.beginMap(BlockWriter::Scalar(group));
            }
            name = name.substr(space + 1);
        }
        out.entry(BlockWriter::Scalar(name), BlockWriter::Scalar(field.text));
    }
    if (!group.empty()) {
        out.endMap();
    }
    out.endMap();
}

constexpr int kSetAsideRounds = 3;

// The text with line `line` (1-based) made a comment.
std::string SetLineAside(const std::string& text, int line) {
    if (line < 1) {
        return text;
    }
    std::size_t start = 0;
    for (int n = 1; n < line && start != std::string::npos; ++n) {
        start = text.find('\n', start);
        start = start == std::string::npos ? start : start + 1;
    }
    if (start == std::string::npos) {
        return text;
    }
    const std::size_t indent = text.find_first_not_of(' ', start);
    const std::size_t end = text.find('\n', start);
    return text.substr(0, indent) + "# " + text.substr(indent, end - indent) +
           "  (no window takes this value back)" + text.substr(end);
}

constexpr const char* kHeading =
    "# R57 codeplug: every window's fields as the windows show them in English.\n"
    "# \"r57 import\" or File > Import... reads it back; a field left out keeps the value\n"
    "# of the codeplug the import starts from. \"Other Bytes\" holds the bytes no window\n"
    "# field shows, by row of the memory map (\"--\" marks a byte given with its field).\n";

// The listing of the stored bytes the windows show otherwise, for the heading.
std::string NormalisedNotes(const std::vector<ByteChange>& normalised) {
    if (normalised.empty()) {
        return {};
    }
    std::string notes = "# The windows show these stored bytes as other values; an import of this\n"
                        "# file stores what they show:\n";
    for (const ByteChange& c : normalised) {
        notes += "#   " + AddressText(c.address) + ": " + ByteText(c.from) + " -> " +
                 ByteText(c.to) + "\n";
    }
    return notes;
}

} // namespace

TextExport ExportCodeplug(const CodeplugImage& image, char modelCode) {
    CodeplugPages pages;
    BlockWriter out;
    out.entry(BlockWriter::Scalar(kModelVariantKey),
              BlockWriter::DoubleQuoted(std::string(1, modelCode)));
    BitMask owned(CodeplugImage::kSize, 0);
    ShownFields shown;
    for (Page* page : pages.exportOrder()) {
        const BitMask mine = OwnedBits(*page, image);
        for (int a = 0; a < CodeplugImage::kSize; ++a) {
            owned[a] |= mine[a];
        }
        const std::vector<PageField> fields = page->fields();
        EmitPage(out, *page, fields);
        std::vector<GivenField>& given = shown[page->name()];
        for (const PageField& field : fields) {
            given.push_back({field.name, field.text});
        }
    }
    const CodeplugImage reference = NewCodeplug();
    const std::vector<ByteRow> rows = OtherByteRows(image, owned, reference);
    out.beginMap(BlockWriter::Scalar(kOtherBytesKey));
    for (const ByteRow& row : rows) {
        out.entry(BlockWriter::DoubleQuoted(AddressText(row.address)),
                  BlockWriter::DoubleQuoted(row.bytes));
    }
    out.endMap();

    TextExport result;
    std::string body = out.text();
    if (const std::optional<CodeplugImage> back = ImportedWithoutText(shown, rows, reference)) {
        result.normalised = ChangedBytes(image, *back);
        result.yaml = kHeading + NormalisedNotes(result.normalised) + body;
        return result;
    }
    TextImport back = ImportCodeplug(body, reference, modelCode);
    // A stored value no window can take back (a tone the radio has no code for) stays
    // in the text as a comment, so that the rest still reads back. Setting one aside
    // can leave others of its channel without a channel, hence a few rounds.
    for (int round = 0; back.error && round < kSetAsideRounds; ++round) {
        const std::vector<TextError> refused = RefusedFields(body, reference);
        for (auto it = refused.rbegin(); it != refused.rend(); ++it) {
            body = SetLineAside(body, it->line);
        }
        back = ImportCodeplug(body, reference, modelCode);
    }
    std::string notes;
    if (back.error) {
        notes = "# An import of this file stops at " + back.error->message() + "\n";
    } else {
        result.normalised = ChangedBytes(image, back.image);
        notes = NormalisedNotes(result.normalised);
    }
    result.yaml = kHeading + notes + body;
    return result;
}

CodeplugImage NewCodeplug() {
    Session session;
    session.bands = BandLimits::Defaults();
    session.resetToDefaults();
    return session.image;
}

CodeplugImage StartUpCodeplug(const std::string& applicationDirectory) {
    Session session;
    session.applicationDirectory = applicationDirectory;
    session.startUp();
    return session.image;
}

std::vector<ByteChange> ChangedBytes(const CodeplugImage& from, const CodeplugImage& to) {
    std::vector<ByteChange> changes;
    for (int a = 0; a < CodeplugImage::kSize; ++a) {
        if (from.at(a) != to.at(a)) {
            changes.push_back({a, from.at(a), to.at(a)});
        }
    }
    return changes;
}

std::string TextError::message() const {
    return "line " + std::to_string(line) + ", column " + std::to_string(column) + ": " + reason;
}

} // namespace r57::text
