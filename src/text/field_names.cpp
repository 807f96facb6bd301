#include "text/field_names.h"

#include "text/codeplug_pages.h"

#include "core/channel.h"
#include "core/session.h"
#include "core/strings.h"
#include "model/settings/function_setting_page.h"

#include <algorithm>
#include <cctype>
#include <set>
#include <tuple>

namespace r57::text {

namespace {

// A caption: a string-table entry, or our own text in both languages (id 0).
struct Caption {
    int id;
    const char* english;
    const char* chinese;
};

// A menu caption without its access key: "&RADIO" -> "RADIO", "收音机(&R)" -> "收音机".
std::string Plain(std::string text) {
    if (const auto key = text.find("(&");
        key != std::string::npos && text.size() > key + 3 && text[key + 3] == ')') {
        text.erase(key, 4);
    }
    text.erase(std::remove(text.begin(), text.end(), '&'), text.end());
    return text;
}

std::string CaptionIn(const Caption& caption, int language) {
    if (caption.id != 0) {
        return Plain(Text(caption.id, language));
    }
    return language == kChinese ? caption.chinese : caption.english;
}

struct PageCaption {
    const char* page;
    Caption caption;
};
// The settings window's tree and the menus name the pages so.
const PageCaption kPageCaptions[] = {
    {"Function Setting", {1395, "", ""}},
    {"Function Setting", {1396, "", ""}}, // the PTT ID page keeps its fields there
    {"Common Set", {1397, "", ""}},
    {"DTMF", {1100, "", ""}},
    {"MSK", {0, "MSK", "MSK"}},
    {"2-Tone", {1315, "", ""}},
    {"5-Tone", {1316, "", ""}},
    {"FM Channels", {1329, "", ""}},
    {"Embedded Message", {1019, "", ""}},
    {"PowerOn Logo", {0, "PowerOn Logo", "开机Logo"}},
};

struct FieldCaptionRow {
    const char* page;
    const char* field;
    Caption caption;
    int secondId; // a second caption shown after the first (a label of two entries), or 0
};
const FieldCaptionRow kFieldCaptions[] = {
    {"Function Setting", "PowerOn Message", {1428, "", ""}, 0},
    {"Function Setting", "PTT ID Type", {0, "PTT ID Type", "PTT ID 类型"}, 0},
    {"Function Setting", "PTT ID ANI", {1438, "", ""}, 0},
    {"Function Setting", "PTT ID BOT", {1103, "", ""}, 0},
    {"Function Setting", "PTT ID EOT", {1104, "", ""}, 0},
    {"Function Setting", "PTT ID Own ID", {1103, "", ""}, 0}, // the same boxes for MSK
    {"Function Setting", "PTT ID Name", {1104, "", ""}, 0},
    {"Common Set", "Side Tone", {1398, "", ""}, 0},
    {"Common Set", "Digit Delay", {1399, "", ""}, 0},
    {"Common Set", "Auto Reset Timer", {1151, "", ""}, 0},
    {"Common Set", "Dead Beat Disable", {1400, "", ""}, 0},
    {"DTMF", "DTMF Signalling", {1408, "", ""}, 0},
    {"DTMF", "Intermediate Code", {1409, "", ""}, 0},
    {"DTMF", "Group Code", {1150, "", ""}, 0},
    {"DTMF", "Transmit Inhibit Code", {1402, "", ""}, 1149},
    {"DTMF", "Transceiver Inhibit Code", {1401, "", ""}, 1149},
    {"MSK", "Own ID", {0, "ID Code", "ID 码"}, 0},
    {"5-Tone", "Respond Waiting Time", {1417, "", ""}, 0},
    {"5-Tone", "Fix Digit", {1418, "", ""}, 0},
    {"5-Tone", "Transceiver Inhibit Code", {1401, "", ""}, 1149},
    {"5-Tone", "Transmit Inhibit Code", {1402, "", ""}, 1149},
    {"5-Tone", "Wait-Up Code", {1419, "", ""}, 0},
    {"Embedded Message", "Message", {1019, "", ""}, 0},
};

constexpr const char* kSignalNames[] = {"Signal Type", "Signal Decode", "Auto Response", "ID Code"};

std::string FieldCaptionIn(const FieldCaptionRow& row, int language) {
    std::string text = CaptionIn(row.caption, language);
    if (row.secondId != 0) {
        text += (language == kChinese ? "" : " ") + Text(row.secondId, language);
    }
    return text;
}

// "A12" of "A12 RX Freq": the label's length, 0 when the name starts with none.
std::size_t ChannelLabelLength(const std::string& key) {
    if (key.size() < 2 || (key[0] != 'a' && key[0] != 'b')) {
        return 0;
    }
    std::size_t end = 1;
    while (end < key.size() && end < 4 && std::isdigit(static_cast<unsigned char>(key[end]))) {
        ++end;
    }
    const int row = end > 1 ? std::stoi(key.substr(1, end - 1)) : 0;
    return row >= 1 && row <= kChannelRows && key[1] != '0' ? end : 0;
}

// The captions of a field, English and Chinese.
std::pair<std::string, std::string> Captions(const std::string& page, const std::string& field) {
    if (page == "Channels") {
        const std::size_t space = field.find(' ');
        const std::string label = field.substr(0, space + 1);
        const std::string suffix = field.substr(space + 1);
        for (int c = 0; c < kColumnCount; ++c) {
            if (suffix == ColumnCaption(c, kEnglish)) {
                return {label + ColumnCaption(c, kEnglish), label + ColumnCaption(c, kChinese)};
            }
        }
        if (suffix == "Auto Response") {
            return {label + Text(1355, kEnglish), label + Text(1355, kChinese)};
        }
        return {};
    }
    if (page == "Function Setting") {
        using settings::FunctionSettingPage;
        for (int i = 0; i < FunctionSettingPage::kChoiceCount; ++i) {
            if (field == FunctionSettingPage::Choices()[i].name) {
                const auto& caption = FunctionSettingPage::ChoiceCaptions()[i];
                return {settings::CaptionText(caption, kEnglish),
                        settings::CaptionText(caption, kChinese)};
            }
        }
        for (int i = 0; i < FunctionSettingPage::kFlagCount; ++i) {
            if (field == FunctionSettingPage::Flags()[i].name) {
                const auto& caption = FunctionSettingPage::FlagCaptions()[i];
                return {settings::CaptionText(caption, kEnglish),
                        settings::CaptionText(caption, kChinese)};
            }
        }
    }
    for (const FieldCaptionRow& row : kFieldCaptions) {
        if (page == row.page && field == row.field) {
            return {FieldCaptionIn(row, kEnglish), FieldCaptionIn(row, kChinese)};
        }
    }
    return {};
}

// The PTT ID boxes of the type not chosen: the window does not show them, a rule
// cannot set them, but a dealer looks for them by name.
const char* const kPttNames[2][2] = {{"PTT ID Own ID", "PTT ID Name"},
                                     {"PTT ID BOT", "PTT ID EOT"}};

bool ModelShows(const std::string& page, char model, std::string& hiddenBy) {
    if (page == "DTMF" && model != '1') {
        hiddenBy = "needs model DTMF";
        return false;
    }
    if ((page == "2-Tone" || page == "5-Tone") && model != '2') {
        hiddenBy = "needs model 2Tone/5Tone";
        return false;
    }
    return true;
}

std::u32string CodePoints(const std::string& text) {
    std::u32string out;
    for (std::size_t i = 0; i < text.size();) {
        const auto byte = static_cast<unsigned char>(text[i]);
        const int length = byte < 0x80 ? 1 : byte < 0xE0 ? 2 : byte < 0xF0 ? 3 : 4;
        char32_t c = length == 1 ? byte : byte & (0x3F >> (length - 1));
        for (int k = 1; k < length && i + k < text.size(); ++k) {
            c = (c << 6) | (static_cast<unsigned char>(text[i + k]) & 0x3F);
        }
        out.push_back(c);
        i += static_cast<std::size_t>(length);
    }
    return out;
}

std::size_t Distance(const std::u32string& a, const std::u32string& b) {
    std::vector<std::size_t> row(b.size() + 1);
    for (std::size_t j = 0; j <= b.size(); ++j) {
        row[j] = j;
    }
    for (std::size_t i = 1; i <= a.size(); ++i) {
        std::size_t diagonal = row[0];
        row[0] = i;
        for (std::size_t j = 1; j <= b.size(); ++j) {
            const std::size_t above = row[j];
            row[j] = std::min({row[j] + 1, row[j - 1] + 1, diagonal + (a[i - 1] != b[j - 1])});
            diagonal = above;
        }
    }
    return row[b.size()];
}

std::string Quoted(const std::vector<std::string>& names) {
    std::string out;
    for (const std::string& name : names) {
        out += (out.empty() ? "\"" : ", \"") + name + "\"";
    }
    return out;
}

// The names a field answers to: its export name and its captions.
std::vector<std::string> Aliases(const std::string& page, const std::string& field) {
    std::vector<std::string> names{field};
    const auto [english, chinese] = Captions(page, field);
    for (const std::string& caption : {english, chinese}) {
        if (!caption.empty() && std::find(names.begin(), names.end(), caption) == names.end()) {
            names.push_back(caption);
        }
    }
    return names;
}

// The fields of a page a rule may name: what the page shows for `image`, the PTT ID
// boxes of either type, and for the channels every channel's fields under the label
// typed (an empty channel takes its RX Freq first).
std::vector<std::string> FieldNames(Page& page, const CodeplugImage& image,
                                    const std::string& typedKey) {
    CodeplugImage copy = image;
    page.load(copy);
    std::vector<std::string> names;
    if (page.name() == "Channels") {
        const std::size_t length = ChannelLabelLength(typedKey);
        std::string label = length ? typedKey.substr(0, length) : "a1";
        label[0] = static_cast<char>(std::toupper(static_cast<unsigned char>(label[0])));
        for (int c = 1; c < kColumnCount; ++c) {
            if (c != kColMore) {
                names.push_back(label + " " + ColumnCaption(c, kEnglish));
            }
        }
        for (const char* signal : kSignalNames) {
            names.push_back(label + " " + signal);
        }
        return names;
    }
    for (const PageField& field : page.fields()) {
        names.push_back(field.name);
    }
    if (page.name() == "Function Setting") {
        for (const auto& pair : kPttNames) {
            for (const char* name : pair) {
                if (std::find(names.begin(), names.end(), name) == names.end()) {
                    names.push_back(name);
                }
            }
        }
    }
    return names;
}

} // namespace

std::string NameKey(const std::string& name) {
    std::string key;
    for (std::size_t i = 0; i < name.size(); ++i) {
        if (name.compare(i, 3, "\xE3\x80\x80") == 0) {
            i += 2; // the ideographic space a Chinese input method types
        } else if (name[i] != ' ' && name[i] != '\t') {
            key += static_cast<char>(std::tolower(static_cast<unsigned char>(name[i])));
        }
    }
    return key;
}

std::vector<std::string> NearestNames(const std::string& typed,
                                      const std::vector<std::string>& candidates,
                                      std::size_t count) {
    const std::u32string key = CodePoints(NameKey(typed));
    std::vector<std::pair<std::size_t, std::string>> scored;
    for (const std::string& name : candidates) {
        const std::u32string other = CodePoints(NameKey(name));
        std::size_t distance = Distance(key, other);
        // A name that holds what was typed, or is held by it, is near whatever its length.
        if (!key.empty() &&
            (other.find(key) != std::u32string::npos || key.find(other) != std::u32string::npos)) {
            distance = std::min<std::size_t>(distance, 1);
        }
        if (std::none_of(scored.begin(), scored.end(),
                         [&](const auto& s) { return s.second == name; })) {
            scored.emplace_back(distance, name);
        }
    }
    std::stable_sort(scored.begin(), scored.end(),
                     [](const auto& x, const auto& y) { return x.first < y.first; });
    std::vector<std::string> nearest;
    for (std::size_t i = 0; i < scored.size() && i < count; ++i) {
        nearest.push_back(scored[i].second);
    }
    return nearest;
}

std::optional<std::string> FindPage(const std::string& typed, std::string& error) {
    const std::string key = NameKey(typed);
    CodeplugPages pages;
    std::vector<std::string> candidates;
    for (const Page* page : pages.exportOrder()) {
        if (NameKey(page->name()) == key) {
            return page->name();
        }
        candidates.push_back(page->name());
    }
    for (const PageCaption& caption : kPageCaptions) {
        for (int language : {kEnglish, kChinese}) {
            const std::string text = CaptionIn(caption.caption, language);
            if (NameKey(text) == key) {
                return std::string(caption.page);
            }
            candidates.push_back(text);
        }
    }
    error = "no page \"" + typed + "\"; the nearest: " + Quoted(NearestNames(typed, candidates));
    return std::nullopt;
}

namespace {

// The export name of the field of `page` typed, or nullopt with the nearest names.
std::optional<std::string> MatchField(Page& page, const std::string& typed,
                                      const CodeplugImage& image,
                                      std::vector<std::string>& nearest) {
    const std::string key = NameKey(typed);
    const std::vector<std::string> names = FieldNames(page, image, key);
    // Export names first: a caption another field also shows never hides one.
    for (const std::string& name : names) {
        if (NameKey(name) == key) {
            return name;
        }
    }
    std::vector<std::string> candidates;
    for (const std::string& name : names) {
        for (const std::string& alias : Aliases(page.name(), name)) {
            if (NameKey(alias) == key) {
                return name;
            }
            candidates.push_back(alias);
        }
    }
    nearest = NearestNames(typed, candidates);
    return std::nullopt;
}

} // namespace

std::optional<FieldMatch> FindField(const std::string& pageName, const std::string& typed,
                                    const CodeplugImage& image, std::string& error) {
    const auto found = FindPage(pageName, error);
    if (!found) {
        return std::nullopt;
    }
    CodeplugPages pages;
    std::vector<std::string> nearest;
    if (const auto field = MatchField(*pages.find(*found), typed, image, nearest)) {
        return FieldMatch{*found, *field};
    }
    error = *found + ": no field \"" + typed + "\"; the nearest: " + Quoted(nearest) +
            " (r57 batch FILE.dat --fields lists them all)";
    return std::nullopt;
}

std::vector<std::string> ExportFieldNames(Page& page, std::vector<std::string>& names,
                                          const CodeplugImage& image) {
    std::vector<std::string> nearest(names.size());
    CodeplugImage copy = image;
    page.load(copy);
    std::set<std::string> known;
    for (const PageField& field : page.fields()) {
        known.insert(field.name);
    }
    for (std::size_t i = 0; i < names.size(); ++i) {
        if (known.count(names[i])) {
            continue;
        }
        if (page.name() == "Channels") {
            // "A7 RX Freq" of a channel not yet used: a name the page takes as it is.
            const std::string& name = names[i];
            const std::size_t space = name.find(' ');
            const std::string suffix = space == std::string::npos ? "" : name.substr(space + 1);
            bool exact = ChannelLabelLength(NameKey(name.substr(0, space))) == space &&
                         (name[0] == 'A' || name[0] == 'B');
            exact = exact && (std::find(std::begin(kSignalNames), std::end(kSignalNames), suffix) !=
                                  std::end(kSignalNames) ||
                              [&] {
                                  for (int c = kColRx; c < kColMore; ++c) {
                                      if (suffix == ColumnCaption(c, kEnglish)) {
                                          return true;
                                      }
                                  }
                                  return false;
                              }());
            if (exact) {
                continue;
            }
        }
        std::vector<std::string> near;
        if (const auto field = MatchField(page, names[i], image, near)) {
            names[i] = *field;
        } else {
            nearest[i] = "the nearest: " + Quoted(near);
        }
    }
    return nearest;
}

std::vector<NamedField> RuleFields(const CodeplugImage& image, char model) {
    CodeplugPages pages;
    std::vector<NamedField> out;
    for (Page* page : pages.exportOrder()) {
        CodeplugImage copy = image;
        page->load(copy);
        std::string hiddenBy;
        const bool shown = ModelShows(page->name(), model, hiddenBy);
        std::vector<PageField> fields = page->fields();
        std::string pttType;
        for (const PageField& field : fields) {
            if (field.name == "PTT ID Type") {
                pttType = field.text;
            }
        }
        if (page->name() == "Function Setting") {
            // The boxes of the PTT ID type not chosen, named so a dealer finds them.
            const int other = pttType == "MSK" ? 1 : 0;
            for (const char* name : kPttNames[other]) {
                fields.push_back({name, ""});
            }
        }
        for (const PageField& field : fields) {
            NamedField named;
            named.page = page->name();
            named.field = field.name;
            std::tie(named.english, named.chinese) = Captions(named.page, named.field);
            named.value = field.text;
            named.shown = shown;
            named.hiddenBy = hiddenBy;
            for (int type = 0; type < 2 && shown; ++type) {
                const bool ofType =
                    field.name == kPttNames[type][0] || field.name == kPttNames[type][1];
                const char* typeName = type == 0 ? "MSK" : "DTMF";
                if (ofType && pttType != typeName) {
                    named.shown = false;
                    named.hiddenBy = std::string("needs PTT ID Type ") + typeName;
                }
            }
            out.push_back(std::move(named));
        }
    }
    return out;
}

} // namespace r57::text
