// Writing the codeplug as YAML.
#include "text/codeplug_pages.h"
#include "text/codeplug_text.h"
#include "text/other_bytes.h"

#include "core/session.h"

#include <yaml-cpp/yaml.h>

#include <algorithm>
#include <cctype>

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

void Emit(YAML::Emitter& out, const std::string& text) {
    if (PlainIsSafe(text)) {
        out << text;
    } else {
        out << YAML::DoubleQuoted << text;
    }
}

void EmitPage(YAML::Emitter& out, const Page& page) {
    Emit(out << YAML::Key, page.name());
    out << YAML::Value << YAML::BeginMap;
    const bool grouped = CodeplugPages::GroupsByChannel(page);
    std::string group;
    for (const PageField& field : page.fields()) {
        std::string name = field.name;
        if (grouped) {
            const std::size_t space = name.find(' ');
            const std::string label = name.substr(0, space);
            if (label != group) {
                if (!group.empty()) {
                    out << YAML::EndMap;
                }
                group = label;
                Emit(out << YAML::Key, group);
                out << YAML::Value << YAML::BeginMap;
            }
            name = name.substr(space + 1);
        }
        Emit(out << YAML::Key, name);
        Emit(out << YAML::Value, field.text);
    }
    if (!group.empty()) {
        out << YAML::EndMap;
    }
    out << YAML::EndMap;
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

} // namespace

TextExport ExportCodeplug(const CodeplugImage& image, char modelCode) {
    CodeplugPages pages;
    YAML::Emitter out;
    out << YAML::BeginMap;
    out << YAML::Key << kModelVariantKey << YAML::Value << YAML::DoubleQuoted
        << std::string(1, modelCode);
    BitMask owned(CodeplugImage::kSize, 0);
    for (Page* page : pages.exportOrder()) {
        const BitMask mine = OwnedBits(*page, image);
        for (int a = 0; a < CodeplugImage::kSize; ++a) {
            owned[a] |= mine[a];
        }
        EmitPage(out, *page);
    }
    const CodeplugImage reference = NewCodeplug();
    out << YAML::Key << kOtherBytesKey << YAML::Value << YAML::BeginMap;
    for (const ByteRow& row : OtherByteRows(image, owned, reference)) {
        out << YAML::Key << YAML::DoubleQuoted << AddressText(row.address);
        out << YAML::Value << YAML::DoubleQuoted << row.bytes;
    }
    out << YAML::EndMap << YAML::EndMap;

    TextExport result;
    std::string body = std::string(out.c_str()) + "\n";
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
        if (!result.normalised.empty()) {
            notes = "# The windows show these stored bytes as other values; an import of this\n"
                    "# file stores what they show:\n";
            for (const ByteChange& c : result.normalised) {
                notes += "#   " + AddressText(c.address) + ": " + ByteText(c.from) + " -> " +
                         ByteText(c.to) + "\n";
            }
        }
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
