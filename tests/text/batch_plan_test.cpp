// The fields each radio of a batch gets of its own: the rule text, the counter, the
// values the pages' rules take or change, and the range checked before anything is sent.
#include "text/batch_plan.h"
#include "text/codeplug_text.h"

#include "core/address_map.h"

#include <gtest/gtest.h>

namespace r57::text {
namespace {

struct RuleCase {
    const char* text;
    const char* page; // nullptr: refused, with `error` in the message
    const char* field;
    const char* pattern;
    const char* error;
};

TEST(BatchRule, IsReadAsPageFieldAndPatternOrRefusedWithWhy) {
    const RuleCase cases[] = {
        {"MSK/Own ID={n:04}", "MSK", "Own ID", "{n:04}", ""},
        {" Function Setting / PowerOn Message =UNIT {n:02}", "Function Setting", "PowerOn Message",
         "UNIT {n:02}", ""},
        {"Channels/A1 ID Code=9{n}=", "Channels", "A1 ID Code", "9{n}=", ""},
        {"MSK/Own ID", nullptr, "", "", "PAGE/FIELD=PATTERN"},
        {"MSK=1{n}", nullptr, "", "", "PAGE/FIELD=PATTERN"},
        {" /Own ID={n}", nullptr, "", "", "PAGE/FIELD=PATTERN"},
        {"MSK/Own ID=1234", nullptr, "", "", "has no {n}"},
        {"MSK/Own ID={m}", nullptr, "", "", "\"{m}\" is no counter"},
        {"MSK/Own ID={n:3}", nullptr, "", "", "is no counter"},
        {"MSK/Own ID={n:00}", nullptr, "", "", "is no counter"},
        {"MSK/Own ID=1{n", nullptr, "", "", "\"{\" is no counter"},
    };
    for (const RuleCase& c : cases) {
        std::string error;
        const auto rule = ParseBatchRule(c.text, error);
        ASSERT_EQ(rule.has_value(), c.page != nullptr) << c.text << ": " << error;
        if (rule) {
            EXPECT_EQ(rule->page, c.page);
            EXPECT_EQ(rule->field, c.field);
            EXPECT_EQ(rule->pattern, c.pattern);
        } else {
            EXPECT_NE(error.find(c.error), std::string::npos) << c.text << ": " << error;
        }
    }
}

TEST(BatchRule, CountersAreFilledInPaddedToTheirWidthButNeverCut) {
    const std::tuple<const char*, long, const char*> cases[] = {
        {"UNIT{n:02}", 7, "UNIT07"}, {"{n:03}", 1234, "1234"},    {"{n}-{n:02}", 5, "5-05"},
        {"A{n}", 0, "A0"},           {"{n:09}", 42, "000000042"},
    };
    for (const auto& [pattern, number, expected] : cases) {
        std::string error;
        EXPECT_EQ(ExpandPattern(pattern, number, error).value_or("?"), expected) << pattern;
    }
}

BatchRule Rule(const std::string& text) {
    std::string error;
    auto rule = ParseBatchRule(text, error);
    EXPECT_TRUE(rule) << text << ": " << error;
    return rule.value_or(BatchRule{});
}

TEST(BatchPlan, ARadiosImageIsTheCodeplugWithOnlyItsOwnFieldsChanged) {
    const CodeplugImage base = NewCodeplug();
    const BatchPlan plan(base,
                         {Rule("MSK/Own ID={n:04}"),
                          Rule("Function Setting/PowerOn Message=U{n:03}"),
                          Rule("Function Setting/PTT ID Own ID=7{n:03}")},
                         41, 2, 3);
    EXPECT_EQ(plan.number(2), 45);
    const auto image = plan.imageFor(45);
    ASSERT_TRUE(image);
    EXPECT_EQ(plan.valuesFor(45), (std::vector<std::string>{"0045", "U045", "7045"}));
    const std::pair<int, int> owned[] = {
        {addr::kMskOwnId, 4}, {addr::kPowerOnMessage, 7}, {addr::kPttIdMskId, 4}};
    for (const ByteChange& change : ChangedBytes(base, *image)) {
        bool inAField = false;
        for (const auto& [start, length] : owned)
            inAField |= change.address >= start && change.address < start + length;
        EXPECT_TRUE(inAField) << std::hex << change.address;
    }
    EXPECT_NE(base, *image);
    EXPECT_FALSE(plan.check());
}

struct RefusalCase {
    const char* rule;
    long start;
    long step;
    int count;
    long refusedNumber; // -1: the whole range is taken
    const char* reason;
};

TEST(BatchPlan, AValueThePageWouldRefuseOrStoreOtherwiseStopsTheRangeAtItsNumber) {
    const RefusalCase cases[] = {
        // Cut to the field's seven characters from number 100 on.
        {"Function Setting/PowerOn Message=UNIT {n:02}", 95, 1, 10, 100, "stored as \"UNIT 10\""},
        {"Function Setting/PowerOn Message=UNIT {n:02}", 1, 1, 99, -1, ""},
        // A character the box filters out.
        {"Function Setting/PowerOn Message=U~{n}", 1, 1, 3, 1, "stored as \"U1\""},
        // Four digits: the fifth is cut; a step reaches it sooner.
        {"MSK/Own ID={n}", 9990, 5, 3, 10000, "would be stored as \"1000\""},
        {"Function Setting/Squelch Level={n}", 8, 1, 5, 10, "Squelch Level"},
        {"Function Setting/PTT ID BOT={n}", 1, 1, 2, 1, "not shown for this PTT ID Type"},
        {"Nowhere/Own ID={n}", 1, 1, 1, 1, "no page \"Nowhere\"; the nearest"},
        {"MSK/Nothing={n}", 1, 1, 1, 1, "no field \"Nothing\"; the nearest"},
    };
    for (const RefusalCase& c : cases) {
        const BatchPlan plan(NewCodeplug(), {Rule(c.rule)}, c.start, c.step, c.count);
        const auto refusal = plan.check();
        ASSERT_EQ(refusal.has_value(), c.refusedNumber >= 0) << c.rule;
        if (!refusal)
            continue;
        EXPECT_EQ(refusal->number, c.refusedNumber) << c.rule;
        EXPECT_EQ(refusal->rule, 0);
        const std::string message = refusal->message(plan.rules());
        EXPECT_NE(message.find(c.reason), std::string::npos) << message;
        EXPECT_NE(message.find(", number " + std::to_string(c.refusedNumber)), std::string::npos);
    }
}

} // namespace
} // namespace r57::text
