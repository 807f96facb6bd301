// One codeplug for many radios: the fields each radio gets of its own (its PTT ID, its
// MSK own ID, a power-on message "UNIT 07"), written as rules with a counter, and the
// image each radio's number makes of the codeplug. Every value goes through its page's
// own rules, as an import does; and since two radios must never share an identity, a
// value those rules would store otherwise (cut to the field's length, a character
// filtered out, a number clamped) is refused as well.
#pragma once

#include "core/image.h"

#include <optional>
#include <string>
#include <vector>

namespace r57::text {

// "Function Setting / PTT ID Own ID = 1{n:03}": a field named as the text export names
// it, and a pattern in which "{n}" stands for the radio's number and "{n:03}" for the
// number zero-padded to three digits.
struct BatchRule {
    std::string page;
    std::string field;
    std::string pattern;

    std::string name() const { return page + " / " + field; }
};

// "PAGE/FIELD=PATTERN" (blanks around the names do not count). nullopt with `error`
// set when the text has no page, field or "=", or the pattern is malformed.
std::optional<BatchRule> ParseBatchRule(const std::string& text, std::string& error);

// The pattern with its counters filled in for `number`; nullopt with `error` set when
// a "{" starts no counter of the two forms.
std::optional<std::string> ExpandPattern(const std::string& pattern, long number,
                                         std::string& error);

// Why a radio's image cannot be made: the rule (index into the plan's rules), the
// number and the reason.
struct RuleRefusal {
    int rule = -1;
    long number = 0;
    std::string reason;
    std::string message(const std::vector<BatchRule>& rules) const;
};

class BatchPlan {
public:
    // Numbers start, start + step, ... for `count` radios.
    // A rule may name its page and field by export name or window caption (either
    // language, any case); rules() hold the export names.
    BatchPlan(const CodeplugImage& base, std::vector<BatchRule> rules, long start, long step,
              int count);

    const std::vector<BatchRule>& rules() const { return rules_; }
    long start() const { return start_; }
    long step() const { return step_; }
    int count() const { return count_; }
    long number(int index) const { return start_ + step_ * index; }

    // The image of the radio with `number`, or the first refusal.
    std::optional<CodeplugImage> imageFor(long number, RuleRefusal* refusal = nullptr) const;
    // Every rule's value for `number` ("" where a pattern is malformed); a radio whose
    // image is made holds exactly these.
    std::vector<std::string> valuesFor(long number) const;
    // Every number of the range tried; the first refusal, or nullopt when all are taken.
    std::optional<RuleRefusal> check() const;

private:
    CodeplugImage base_;
    std::vector<BatchRule> rules_;
    long start_;
    long step_;
    int count_;
    std::vector<std::string> unknown_; // a rule's name that matches no field: why
};

} // namespace r57::text
