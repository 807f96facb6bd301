// Names a dealer types for a field: the export name or the window's caption in either
// language, in any case and spacing; the nearest names for one that matches nothing;
// the list of every field a rule can set; and the same names taken by a batch plan
// and by an import.
#include "text/batch_plan.h"
#include "text/codeplug_text.h"
#include "text/field_names.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace r57::text {
namespace {

CodeplugImage WithPttType(const char* type) {
    const std::string yaml = std::string("Function Setting:\n  PTT ID Type: ") + type + "\n";
    return ImportCodeplug(yaml, NewCodeplug(), '0').image;
}

TEST(FieldNames, AFieldIsFoundByExportNameOrCaptionInEitherLanguageAndOtherwiseTheNearest) {
    struct Case {
        const char* page;
        const char* field;
        const char* ptt;       // the codeplug's PTT ID type
        const char* foundPage; // null: not found, with `nearest` in the error
        const char* foundField;
        const char* nearest;
    } cases[] = {
        {"Function Setting", "Scan Resume", "MSK", "Function Setting", "Scan Resume", ""},
        {"function setting", "Scan_Rev", "MSK", "Function Setting", "Scan Resume", ""},
        {"FUNCTIONSETTING", "scan_rev", "MSK", "Function Setting", "Scan Resume", ""},
        {"功能设置", "扫描恢复", "MSK", "Function Setting", "Scan Resume", ""},
        {" 功能　设置 ", "开机 信息", "MSK", "Function Setting", "PowerOn Message", ""},
        {"Function Setting", "PowerOn Msg", "MSK", "Function Setting", "PowerOn Message", ""},
        {"PTT ID Setting", "Type", "MSK", nullptr, nullptr, "\"PTT ID Type\""},
        {"PTT ID Setting", "PTT ID Type", "MSK", "Function Setting", "PTT ID Type", ""},
        // The PTT ID boxes show BOT and EOT for either type: the type shown wins, and an
        // export name is always itself.
        {"PTT ID Setting", "BOT", "MSK", "Function Setting", "PTT ID Own ID", ""},
        {"PTT ID Setting", "上线码", "DTMF", "Function Setting", "PTT ID BOT", ""},
        {"Function Setting", "ptt id bot", "MSK", "Function Setting", "PTT ID BOT", ""},
        {"Common Set", "Digit Delay[ms]", "MSK", "Common Set", "Digit Delay", ""},
        {"通用设置", "遥毙设置", "MSK", "Common Set", "Dead Beat Disable", ""},
        {"DTMF", "Transmit Inhit Code", "MSK", "DTMF", "Transmit Inhibit Code", ""},
        {"五音", "唤醒码", "MSK", "5-Tone", "Wait-Up Code", ""},
        {"MSK", "ID Code", "MSK", "MSK", "Own ID", ""},
        {"RADIO", "Start Channel", "MSK", "FM Channels", "Start Channel", ""},
        // Channels: any channel, used or not, by column caption in either language.
        {"Channels", "A7 RX Freq", "MSK", "Channels", "A7 RX Freq", ""},
        {"channels", "b128 接收频率", "MSK", "Channels", "B128 RX Freq", ""},
        {"Channels", "A3 AutoResponse", "MSK", "Channels", "A3 Auto Response", ""},
        {"Channels", "A129 RX Freq", "MSK", nullptr, nullptr, "no field"},
        {"Channels", "A3 RX Frq", "MSK", nullptr, nullptr, "\"A3 RX Freq\""},
        // Nothing matches: the nearest names, captions among them.
        {"Function Setting", "PowerOn Mesage", "MSK", nullptr, nullptr,
         "the nearest: \"PowerOn Message\", \"PowerOn Msg\""},
        {"Function Setting", "Scan Rev", "MSK", nullptr, nullptr, "\"Scan_Rev\""},
        {"Functon Setting", "Squelch Level", "MSK", nullptr, nullptr,
         "no page \"Functon Setting\"; the nearest: \"Function Setting\""},
        {"功能", "静噪等级", "MSK", nullptr, nullptr, "\"功能设置\""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.page) + " / " + c.field);
        std::string error;
        const auto found = FindField(c.page, c.field, WithPttType(c.ptt), error);
        ASSERT_EQ(found.has_value(), c.foundPage != nullptr) << error;
        if (found) {
            EXPECT_EQ(found->page, c.foundPage);
            EXPECT_EQ(found->field, c.foundField);
        } else {
            EXPECT_NE(error.find(c.nearest), std::string::npos) << error;
        }
    }
}

TEST(FieldNames, TheListHoldsEveryFieldARuleCanSetWithCaptionsValueAndWhetherItIsShown) {
    const auto has = [](const std::vector<NamedField>& fields, const char* page,
                        const char* field) {
        return std::find_if(fields.begin(), fields.end(), [&](const NamedField& f) {
            return f.page == page && f.field == field;
        });
    };
    const std::vector<NamedField> msk = RuleFields(WithPttType("MSK"), '0');
    const auto scan = has(msk, "Function Setting", "Scan Resume");
    ASSERT_NE(scan, msk.end());
    EXPECT_EQ(scan->english, "Scan_Rev");
    EXPECT_EQ(scan->chinese, "扫描恢复");
    EXPECT_EQ(scan->value, "Time");
    EXPECT_TRUE(scan->shown);
    const auto bot = has(msk, "Function Setting", "PTT ID BOT");
    ASSERT_NE(bot, msk.end());
    EXPECT_FALSE(bot->shown);
    EXPECT_EQ(bot->hiddenBy, "needs PTT ID Type DTMF");
    EXPECT_TRUE(has(msk, "Function Setting", "PTT ID Own ID")->shown);
    EXPECT_FALSE(has(msk, "DTMF", "Fast Call 0")->shown);
    EXPECT_TRUE(has(RuleFields(WithPttType("MSK"), '1'), "DTMF", "Fast Call 0")->shown);
    EXPECT_FALSE(
        has(RuleFields(WithPttType("DTMF"), '2'), "Function Setting", "PTT ID Name")->shown);
    // A fresh codeplug has no used channel, so no channel field is listed.
    EXPECT_EQ(std::count_if(msk.begin(), msk.end(),
                            [](const NamedField& f) { return f.page == "Channels"; }),
              0);

    // Every field listed is found again by its export name and by each caption that
    // only it shows on its page.
    for (const NamedField& f : msk) {
        for (const std::string& name : {f.field, f.english, f.chinese}) {
            const bool shared =
                std::count_if(msk.begin(), msk.end(), [&](const NamedField& o) {
                    return o.page == f.page && (o.english == name || o.chinese == name);
                }) > 1;
            if (name.empty() || (name != f.field && shared)) {
                continue;
            }
            std::string error;
            const auto found = FindField(f.page, name, WithPttType("MSK"), error);
            ASSERT_TRUE(found.has_value()) << f.page << " / " << name << ": " << error;
            EXPECT_EQ(found->field, f.field) << name;
        }
    }
}

TEST(FieldNames, ABatchPlanAndAnImportTakeCaptionsAsTheFieldsTheyName) {
    std::string error;
    const BatchPlan plan(NewCodeplug(),
                         {*ParseBatchRule("功能设置/开机信息=U{n:02}", error),
                          *ParseBatchRule("msk / id code={n:04}", error)},
                         1, 1, 3);
    ASSERT_FALSE(plan.check().has_value()) << plan.check()->message(plan.rules());
    EXPECT_EQ(plan.rules()[0].name(), "Function Setting / PowerOn Message");
    EXPECT_EQ(plan.rules()[1].name(), "MSK / Own ID");
    const auto image = plan.imageFor(2);
    ASSERT_TRUE(image.has_value());
    const std::string yaml = ExportCodeplug(*image, '0').yaml;
    EXPECT_NE(yaml.find("PowerOn Message: \"U02    \""), std::string::npos);
    EXPECT_NE(yaml.find("Own ID: \"0002\""), std::string::npos);

    const TextImport taken = ImportCodeplug("功能设置:\n  Scan_Rev: Carrier\n  开机信息: HELLO\n"
                                            "Channels:\n  B9:\n    接收频率: \"446.00625\"\n",
                                            NewCodeplug(), '0');
    ASSERT_FALSE(taken.error.has_value()) << taken.error->reason;
    const std::string back = ExportCodeplug(taken.image, '0').yaml;
    EXPECT_NE(back.find("Scan Resume: Carrier"), std::string::npos);
    EXPECT_NE(back.find("PowerOn Message: \"HELLO  \""), std::string::npos);
    EXPECT_NE(back.find("B9:\n    RX Freq: \"446.00625\""), std::string::npos);

    const TextImport refused =
        ImportCodeplug("Function Setting:\n  Channel Dsp: Name\n", NewCodeplug(), '0');
    ASSERT_TRUE(refused.error.has_value());
    EXPECT_EQ(refused.error->line, 2);
    EXPECT_NE(refused.error->reason.find("unknown field; the nearest: \"Channel Dis\""),
              std::string::npos)
        << refused.error->reason;
}

} // namespace
} // namespace r57::text
