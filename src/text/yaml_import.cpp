// Reading the codeplug back from YAML. Every value goes through its page's setField,
// the windows' own rules; the first value refused stops the import with its place.
#include "text/codeplug_pages.h"
#include "text/codeplug_text.h"
#include "text/other_bytes.h"

#include <yaml-cpp/yaml.h>

#include <algorithm>
#include <map>
#include <set>

namespace r57::text {

namespace {

constexpr const char* kUnknownField = "unknown field";

struct Failure {
    TextError error;
};

[[noreturn]] void Fail(const YAML::Mark& mark, const std::string& reason) {
    TextError error;
    error.line = mark.line >= 0 ? mark.line + 1 : 0;
    error.column = mark.column >= 0 ? mark.column + 1 : 0;
    error.reason = reason;
    throw Failure{error};
}

// A value as the text it holds; an empty value is an empty text.
std::string Text(const YAML::Node& node, const YAML::Mark& at, const std::string& where) {
    if (node.IsNull()) {
        return {};
    }
    if (!node.IsScalar()) {
        Fail(at, where + ": a text is needed here, not a list or a block of fields");
    }
    return node.Scalar();
}

std::string KeyText(const YAML::Node& key, const std::string& where) {
    if (!key.IsScalar()) {
        Fail(key.Mark(), where + ": a name is needed here");
    }
    return key.Scalar();
}

YAML::Mark ValueMark(const YAML::Node& key, const YAML::Node& value) {
    return value.Mark().line >= 0 ? value.Mark() : key.Mark();
}

struct FieldEntry {
    std::string name;
    std::string text;
    YAML::Mark keyMark;
    YAML::Mark valueMark;
};

// The fields of a page's block, in the order given; a channel's block ("A1:") names its
// fields "A1 RX Freq" and so on.
std::vector<FieldEntry> PageEntries(const std::string& page, const YAML::Node& block,
                                    const YAML::Mark& at) {
    std::vector<FieldEntry> entries;
    if (block.IsNull()) {
        return entries;
    }
    if (!block.IsMap()) {
        Fail(at, page + ": a block of fields is needed here");
    }
    std::set<std::string> seen;
    auto add = [&](const std::string& name, const YAML::Node& key, const YAML::Node& value) {
        const std::string where = page + " / " + name;
        if (!seen.insert(name).second) {
            Fail(key.Mark(), where + ": given twice");
        }
        entries.push_back(
            {name, Text(value, ValueMark(key, value), where), key.Mark(), ValueMark(key, value)});
    };
    for (const auto& item : block) {
        const std::string name = KeyText(item.first, page);
        if (!item.second.IsMap()) {
            add(name, item.first, item.second);
            continue;
        }
        for (const auto& inner : item.second) {
            add(name + " " + KeyText(inner.first, page + " / " + name), inner.first, inner.second);
        }
    }
    return entries;
}

// Where refused fields go when they are collected instead of stopping the import.
using Refusals = std::vector<TextError>;

void ApplyPage(Page& page, const YAML::Node& block, const YAML::Mark& at, CodeplugImage& image,
               Refusals* refusals) {
    const std::vector<FieldEntry> entries = PageEntries(page.name(), block, at);
    if (entries.empty()) {
        return;
    }
    // Loading may tidy the bytes as the window does when it opens; that only counts
    // once the page has something to write.
    CodeplugImage loaded = image;
    page.load(loaded);
    const std::vector<PageField> before = page.fields();
    for (const FieldEntry& entry : entries) {
        const std::string problem = page.setField(entry.name, entry.text);
        if (!problem.empty() && refusals) {
            const YAML::Mark& mark = problem == kUnknownField ? entry.keyMark : entry.valueMark;
            refusals->push_back({mark.line + 1, mark.column + 1,
                                 page.name() + " / " + entry.name + ": " + problem});
        } else if (!problem.empty()) {
            Fail(problem == kUnknownField ? entry.keyMark : entry.valueMark,
                 page.name() + " / " + entry.name + ": " + problem);
        }
    }
    // A page whose values all stay as they were changes nothing, as a window closed
    // without an edit: its bytes stay exactly as stored.
    const std::vector<PageField> after = page.fields();
    const bool same = std::equal(before.begin(), before.end(), after.begin(), after.end(),
                                 [](const PageField& x, const PageField& y) {
                                     return x.name == y.name && x.text == y.text;
                                 });
    if (!same) {
        page.write(image);
    }
}

void ApplyOtherBytes(const YAML::Node& block, const YAML::Mark& at, CodeplugImage& image) {
    if (block.IsNull()) {
        return;
    }
    if (!block.IsMap()) {
        Fail(at, std::string(kOtherBytesKey) + ": a block of rows is needed here");
    }
    std::set<int> seen;
    for (const auto& item : block) {
        const std::string key = KeyText(item.first, kOtherBytesKey);
        const std::string where = std::string(kOtherBytesKey) + " / " + key;
        const std::optional<int> address = ParseRowAddress(key);
        if (!address) {
            Fail(item.first.Mark(), where + ": not a row address 0x0000 to 0x3FF0");
        }
        if (!seen.insert(*address).second) {
            Fail(item.first.Mark(), where + ": given twice");
        }
        const YAML::Mark mark = ValueMark(item.first, item.second);
        const std::string problem = ApplyByteRow(image, *address, Text(item.second, mark, where));
        if (!problem.empty()) {
            Fail(mark, where + ": " + problem);
        }
    }
}

struct Section {
    YAML::Node key;
    YAML::Node value;
};

TextImport Apply(const YAML::Node& root, const CodeplugImage& base, char baseModel,
                 Refusals* refusals = nullptr) {
    TextImport result;
    result.image = base;
    result.modelCode = baseModel;
    if (!root.IsMap()) {
        Fail(root.Mark().line >= 0 ? root.Mark() : YAML::Mark(),
             "not a codeplug: the text holds no windows and fields");
    }
    CodeplugPages pages;
    std::map<std::string, Section> sections;
    for (const auto& item : root) {
        const std::string name = KeyText(item.first, "codeplug");
        if (name != kModelVariantKey && name != kOtherBytesKey && !pages.find(name)) {
            Fail(item.first.Mark(), name + ": no window of that name");
        }
        if (!sections.emplace(name, Section{item.first, item.second}).second) {
            Fail(item.first.Mark(), name + ": given twice");
        }
    }
    if (auto model = sections.find(kModelVariantKey); model != sections.end()) {
        const YAML::Mark mark = ValueMark(model->second.key, model->second.value);
        const std::string code = Text(model->second.value, mark, kModelVariantKey);
        if (code != "0" && code != "1" && code != "2") {
            Fail(mark, std::string(kModelVariantKey) + ": 0, 1 or 2");
        }
        result.modelCode = code[0];
    }
    // The bytes no field shows go in first: the pages then write their own over them.
    if (auto other = sections.find(kOtherBytesKey); other != sections.end()) {
        ApplyOtherBytes(other->second.value, ValueMark(other->second.key, other->second.value),
                        result.image);
    }
    for (Page* page : pages.importOrder()) {
        if (auto found = sections.find(page->name()); found != sections.end()) {
            ApplyPage(*page, found->second.value, ValueMark(found->second.key, found->second.value),
                      result.image, refusals);
        }
    }
    return result;
}

} // namespace

std::vector<TextError> RefusedFields(std::string_view yaml, const CodeplugImage& base) {
    Refusals refusals;
    try {
        Apply(YAML::Load(std::string(yaml)), base, '0', &refusals);
    } catch (const Failure& failure) {
        refusals.push_back(failure.error);
    } catch (const YAML::Exception& e) {
        refusals.push_back({e.mark.line + 1, e.mark.column + 1, "not YAML: " + e.msg});
    }
    return refusals;
}

TextImport ImportCodeplug(std::string_view yaml, const CodeplugImage& base, char baseModel) {
    try {
        return Apply(YAML::Load(std::string(yaml)), base, baseModel);
    } catch (const Failure& failure) {
        TextImport refused;
        refused.image = base;
        refused.modelCode = baseModel;
        refused.error = failure.error;
        return refused;
    } catch (const YAML::Exception& e) {
        TextImport refused;
        refused.image = base;
        refused.modelCode = baseModel;
        refused.error = TextError{e.mark.line >= 0 ? e.mark.line + 1 : 0,
                                  e.mark.column >= 0 ? e.mark.column + 1 : 0, "not YAML: " + e.msg};
        return refused;
    }
}

} // namespace r57::text
