#include "batch_plan.h"

#include "codeplug_pages.h"
#include "field_names.h"
#include "page_fields.h"

#include <cctype>
#include <memory>

namespace r57::text {

namespace {

std::string Trimmed(const std::string& text) {
    const auto first = text.find_first_not_of(" \t");
    if (first == std::string::npos)
        return {};
    const auto last = text.find_last_not_of(" \t");
    return text.substr(first, last - first + 1);
}

// The text a page shows for `field`, or nullopt when it shows no such field.
std::optional<std::string> Shown(const Page& page, const std::string& field) {
    for (const PageField& f : page.fields()) {
        if (f.name == field)
            return f.text;
    }
    return std::nullopt;
}

// The page, loaded from `image`, shows `value` in `field`.
bool Holds(Page& page, const std::string& field, const std::string& value, CodeplugImage& image) {
    page.load(image);
    const auto shown = Shown(page, field);
    return shown && SameValue(*shown, value);
}

// Takes `value` into `image` through the page's rules, as an import takes a value;
// "" when it is stored as given.
std::string Apply(Page& page, const std::string& field, const std::string& value,
                  CodeplugImage& image) {
    const auto refused =
        ApplyFields(page, {{field, value}}, image, OnRefusal::Stop, Taking::Exactly);
    return refused.empty() ? std::string() : refused.front().problem;
}

} // namespace

std::optional<std::string> ExpandPattern(const std::string& pattern, long number,
                                         std::string& error) {
    std::string out;
    for (std::size_t i = 0; i < pattern.size(); ++i) {
        if (pattern[i] != '{') {
            out += pattern[i];
            continue;
        }
        const auto close = pattern.find('}', i);
        const std::string inside =
            close == std::string::npos ? std::string() : pattern.substr(i + 1, close - i - 1);
        std::string digits = std::to_string(number);
        if (inside.size() == 4 && inside.compare(0, 3, "n:0") == 0 &&
            std::isdigit(static_cast<unsigned char>(inside[3])) && inside[3] != '0') {
            const std::size_t width = static_cast<std::size_t>(inside[3] - '0');
            if (digits.size() < width)
                digits.insert(0, width - digits.size(), '0');
        } else if (inside != "n") {
            error = "\"" + pattern.substr(i, close == std::string::npos ? 1 : close - i + 1) +
                    "\" is no counter: write {n}, or {n:03} for three digits";
            return std::nullopt;
        }
        out += digits;
        i = close;
    }
    return out;
}

std::optional<BatchRule> ParseBatchRule(const std::string& text, std::string& error) {
    const auto equals = text.find('=');
    const auto slash = text.find('/');
    if (equals == std::string::npos || slash == std::string::npos || slash > equals) {
        error = "\"" + text + "\": write PAGE/FIELD=PATTERN";
        return std::nullopt;
    }
    BatchRule rule{Trimmed(text.substr(0, slash)),
                   Trimmed(text.substr(slash + 1, equals - slash - 1)), text.substr(equals + 1)};
    if (rule.page.empty() || rule.field.empty()) {
        error = "\"" + text + "\": write PAGE/FIELD=PATTERN";
        return std::nullopt;
    }
    if (!ExpandPattern(rule.pattern, 0, error))
        return std::nullopt;
    if (rule.pattern.find('{') == std::string::npos) {
        // Without a counter every radio would get the same value.
        error = rule.name() + ": the pattern \"" + rule.pattern + "\" has no {n}";
        return std::nullopt;
    }
    return rule;
}

std::string RuleRefusal::message(const std::vector<BatchRule>& rules) const {
    const std::string name =
        rule >= 0 && rule < static_cast<int>(rules.size()) ? rules[rule].name() : "?";
    return name + ", number " + std::to_string(number) + ": " + reason;
}

BatchPlan::BatchPlan(const CodeplugImage& base, std::vector<BatchRule> rules, long start, long step,
                     int count)
    : base_(base), rules_(std::move(rules)), start_(start), step_(step), count_(count) {
    // A field typed by its window caption, or in another case, is the field the export names.
    for (BatchRule& rule : rules_) {
        std::string error;
        if (const auto match = FindField(rule.page, rule.field, base_, error)) {
            rule.page = match->page;
            rule.field = match->field;
        }
        unknown_.push_back(error);
    }
}

std::optional<CodeplugImage> BatchPlan::imageFor(long number, RuleRefusal* refusal) const {
    CodeplugPages pages;
    CodeplugImage image = base_;
    std::vector<std::string> values;
    auto refuse = [&](int rule, std::string reason) -> std::optional<CodeplugImage> {
        if (refusal)
            *refusal = {rule, number, std::move(reason)};
        return std::nullopt;
    };
    for (int i = 0; i < static_cast<int>(rules_.size()); ++i) {
        const BatchRule& rule = rules_[i];
        std::string error;
        const auto value = ExpandPattern(rule.pattern, number, error);
        if (!value)
            return refuse(i, error);
        Page* page = pages.find(rule.page);
        if (!page || !unknown_[i].empty())
            return refuse(i, unknown_[i]);
        if (std::string reason = Apply(*page, rule.field, *value, image); !reason.empty())
            return refuse(i, reason);
        values.push_back(*value);
    }
    // A later rule may undo an earlier one (a PTT ID type that hides its codes): every
    // value must still be there once all are in.
    for (int i = 0; i < static_cast<int>(rules_.size()); ++i) {
        if (!Holds(*pages.find(rules_[i].page), rules_[i].field, values[i], image))
            return refuse(i, "changed by another rule");
    }
    return image;
}

std::vector<std::string> BatchPlan::valuesFor(long number) const {
    std::vector<std::string> values;
    for (const BatchRule& rule : rules_) {
        std::string error;
        values.push_back(ExpandPattern(rule.pattern, number, error).value_or(""));
    }
    return values;
}

std::optional<RuleRefusal> BatchPlan::check() const {
    for (int index = 0; index < count_; ++index) {
        RuleRefusal refusal;
        if (!imageFor(number(index), &refusal))
            return refusal;
    }
    return std::nullopt;
}

} // namespace r57::text
