// Reading the codeplug back from YAML. Every value goes through its page's setField,
// the windows' own rules, and is taken exactly as written: the first value refused, or
// one those rules would store otherwise, stops the import with its place.
#include "text/codeplug_pages.h"
#include "text/codeplug_text.h"
#include "text/field_names.h"
#include "text/other_bytes.h"
#include "text/page_fields.h"
#include "text/text_tree.h"

#include <yaml-cpp/yaml.h>

#include <algorithm>
#include <map>
#include <set>

namespace r57::text {

namespace {

struct Failure {
    TextError error;
};

using Kind = TextNode::Kind;

[[noreturn]] void Fail(const TextPlace& mark, const std::string& reason) {
    TextError error;
    error.line = mark.line >= 0 ? mark.line + 1 : 0;
    error.column = mark.column >= 0 ? mark.column + 1 : 0;
    error.reason = reason;
    throw Failure{error};
}

// A value as the text it holds; an empty value is an empty text.
std::string Text(const TextNode& node, const TextPlace& at, const std::string& where) {
    if (node.kind == Kind::Null) {
        return {};
    }
    if (node.kind != Kind::Text) {
        Fail(at, where + ": a text is needed here, not a list or a block of fields");
    }
    return node.text;
}

std::string KeyText(const TextNode& key, const std::string& where) {
    if (key.kind != Kind::Text) {
        Fail(key.place, where + ": a name is needed here");
    }
    return key.text;
}

TextPlace ValueMark(const TextNode& key, const TextNode& value) {
    return value.place.line >= 0 ? value.place : key.place;
}

struct FieldEntry {
    std::string name;
    std::string text;
    TextPlace keyMark;
    TextPlace valueMark;
};

// The fields of a page's block, in the order given; a channel's block ("A1:") names its
// fields "A1 RX Freq" and so on.
std::vector<FieldEntry> PageEntries(const std::string& page, const TextNode& block,
                                    const TextPlace& at) {
    std::vector<FieldEntry> entries;
    if (block.kind == Kind::Null) {
        return entries;
    }
    if (block.kind != Kind::Map) {
        Fail(at, page + ": a block of fields is needed here");
    }
    std::set<std::string> seen;
    auto add = [&](const std::string& name, const TextNode& key, const TextNode& value) {
        const std::string where = page + " / " + name;
        if (!seen.insert(name).second) {
            Fail(key.place, where + ": given twice");
        }
        entries.push_back(
            {name, Text(value, ValueMark(key, value), where), key.place, ValueMark(key, value)});
    };
    for (const auto& item : block.entries) {
        const std::string name = KeyText(item.first, page);
        if (item.second.kind != Kind::Map) {
            add(name, item.first, item.second);
            continue;
        }
        for (const auto& inner : item.second.entries) {
            add(name + " " + KeyText(inner.first, page + " / " + name), inner.first, inner.second);
        }
    }
    return entries;
}

// Where refused fields go when they are collected instead of stopping the import.
using Refusals = std::vector<TextError>;

void ApplyPage(Page& page, const TextNode& block, const TextPlace& at, CodeplugImage& image,
               Refusals* refusals) {
    const std::vector<FieldEntry> entries = PageEntries(page.name(), block, at);
    // A field may be named by its window caption too.
    std::vector<std::string> names;
    for (const FieldEntry& entry : entries) {
        names.push_back(entry.name);
    }
    const std::vector<std::string> nearest = ExportFieldNames(page, names, image);
    std::vector<GivenField> given;
    given.reserve(entries.size());
    for (std::size_t i = 0; i < entries.size(); ++i) {
        given.push_back({names[i], entries[i].text});
    }
    const std::vector<RefusedField> refused = ApplyFields(
        page, given, image, refusals ? OnRefusal::Continue : OnRefusal::Stop, Taking::Exactly);
    for (const RefusedField& field : refused) {
        const FieldEntry& entry = entries[field.index];
        const bool unknown = field.problem == kUnknownField;
        const TextPlace& mark = unknown ? entry.keyMark : entry.valueMark;
        // A value the rules would store otherwise is named with what they would store.
        const std::string written =
            field.problem.rfind("would be stored", 0) == 0 ? "\"" + entry.text + "\" " : "";
        std::string reason = page.name() + " / " + entry.name + ": " + written + field.problem;
        if (unknown && !nearest[field.index].empty()) {
            reason += "; " + nearest[field.index];
        }
        if (!refusals) {
            Fail(mark, reason);
        }
        refusals->push_back({mark.line + 1, mark.column + 1, reason});
    }
}

void ApplyOtherBytes(const TextNode& block, const TextPlace& at, CodeplugImage& image) {
    if (block.kind == Kind::Null) {
        return;
    }
    if (block.kind != Kind::Map) {
        Fail(at, std::string(kOtherBytesKey) + ": a block of rows is needed here");
    }
    std::set<int> seen;
    for (const auto& item : block.entries) {
        const std::string key = KeyText(item.first, kOtherBytesKey);
        const std::string where = std::string(kOtherBytesKey) + " / " + key;
        const std::optional<int> address = ParseRowAddress(key);
        if (!address) {
            Fail(item.first.place, where + ": not a row address 0x0000 to 0x3FF0");
        }
        if (!seen.insert(*address).second) {
            Fail(item.first.place, where + ": given twice");
        }
        const TextPlace mark = ValueMark(item.first, item.second);
        const std::string problem = ApplyByteRow(image, *address, Text(item.second, mark, where));
        if (!problem.empty()) {
            Fail(mark, where + ": " + problem);
        }
    }
}

struct Section {
    const TextNode* key;
    const TextNode* value;
};

TextImport Apply(const TextNode& root, const CodeplugImage& base, char baseModel,
                 Refusals* refusals = nullptr) {
    TextImport result;
    result.image = base;
    result.modelCode = baseModel;
    if (root.kind != Kind::Map) {
        Fail(root.place.line >= 0 ? root.place : TextPlace{0, 0},
             "not a codeplug: the text holds no windows and fields");
    }
    CodeplugPages pages;
    std::map<std::string, Section> sections;
    for (const auto& item : root.entries) {
        std::string name = KeyText(item.first, "codeplug");
        if (name != kModelVariantKey && name != kOtherBytesKey && !pages.find(name)) {
            std::string error;
            const auto page = FindPage(name, error); // a window's caption, another case
            if (!page) {
                Fail(item.first.place,
                     name + ": no window of that name; " + error.substr(error.find("the nearest")));
            }
            name = *page;
        }
        if (!sections.emplace(name, Section{&item.first, &item.second}).second) {
            Fail(item.first.place, name + ": given twice");
        }
    }
    if (auto model = sections.find(kModelVariantKey); model != sections.end()) {
        const TextPlace mark = ValueMark(*model->second.key, *model->second.value);
        const std::string code = Text(*model->second.value, mark, kModelVariantKey);
        if (code != "0" && code != "1" && code != "2") {
            Fail(mark, std::string(kModelVariantKey) + ": 0, 1 or 2");
        }
        result.modelCode = code[0];
    }
    // The bytes no field shows go in first: the pages then write their own over them.
    if (auto other = sections.find(kOtherBytesKey); other != sections.end()) {
        ApplyOtherBytes(*other->second.value, ValueMark(*other->second.key, *other->second.value),
                        result.image);
    }
    for (Page* page : pages.importOrder()) {
        if (auto found = sections.find(page->name()); found != sections.end()) {
            ApplyPage(*page, *found->second.value,
                      ValueMark(*found->second.key, *found->second.value), result.image, refusals);
        }
    }
    return result;
}

} // namespace

std::vector<TextError> RefusedFields(std::string_view yaml, const CodeplugImage& base) {
    Refusals refusals;
    try {
        Apply(ReadTextTree(yaml), base, '0', &refusals);
    } catch (const Failure& failure) {
        refusals.push_back(failure.error);
    } catch (const TextTreeRefusal& refusal) {
        refusals.push_back({refusal.place.line + 1, refusal.place.column + 1, refusal.reason});
    } catch (const YAML::Exception& e) {
        refusals.push_back({e.mark.line + 1, e.mark.column + 1, "not YAML: " + e.msg});
    }
    return refusals;
}

TextImport ImportCodeplug(std::string_view yaml, const CodeplugImage& base, char baseModel) {
    try {
        return Apply(ReadTextTree(yaml), base, baseModel);
    } catch (const Failure& failure) {
        TextImport refused;
        refused.image = base;
        refused.modelCode = baseModel;
        refused.error = failure.error;
        return refused;
    } catch (const TextTreeRefusal& refusal) {
        TextImport refused;
        refused.image = base;
        refused.modelCode = baseModel;
        refused.error = TextError{refusal.place.line + 1, refusal.place.column + 1, refusal.reason};
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
