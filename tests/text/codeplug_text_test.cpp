// The codeplug as YAML: round trips, what an import refuses and where, and the
// comparison of two codeplugs.
#include "common/test_images.h"
#include "radio_memory.h"

#include "text/codeplug_diff.h"
#include "text/codeplug_pages.h"
#include "text/codeplug_text.h"

#include "core/address_map.h"
#include "core/session.h"
#include "model/sheet/channels_page.h"

#include <gtest/gtest.h>

namespace r57::text {
namespace {

CodeplugImage SampleCodeplug() {
    return radio::SampleCodeplug(std::string(R57_SOURCE_DIR) + "/resources/\n");
}

// Every kind of field away from its New value, through the pages' own rules.
CodeplugImage EveryFieldTouched() {
    CodeplugImage image = SampleCodeplug();
    CodeplugPages pages;
    const std::vector<std::pair<std::string, std::vector<std::pair<std::string, std::string>>>>
        edits = {
            {"Frequency Range", {{"RX(VHF)", "136-200"}, {"TX(VHF)", "140-180"}}},
            {"DTMF", {{"DTMF Signalling", "Selective Call"}, {"Fast Call 3", "12AB*#"}}},
            {"Function Setting",
             {{"Squelch Level", "3"},
              {"Lamp", "Auto"},
              {"Manual", "On"},
              {"PowerOn Message", "HELLO"},
              {"PTT ID Type", "DTMF"},
              {"PTT ID BOT", "123"}}},
            {"Common Set", {{"Dead Beat Disable", "Transceiver Inhibit"}}},
            {"MSK", {{"Own ID", "1234"}}},
            {"FM Channels", {{"Channel 2", "101.7"}, {"Start Channel", "CH2"}}},
            {"Embedded Message", {{"Message", "Grüße, ami!"}}},
            {"PowerOn Logo", {{"Row 1", "#.#.##"}}},
            {"Tuning and Deviation", {{"Tuning 1 R1C1", "200"}}},
            {"Channels",
             {{"A20 RX Freq", "150.0125"},
              {"A20 TX Freq", "155"},
              {"A20 Decode", "D754I"},
              {"A20 Encode", "254.1"},
              {"A20 TX Power", "Low"},
              {"A20 W/N", "Narrow"},
              {"A20 CH.Name", "mixed"},
              {"A20 BCL", "QT/DQT"},
              {"A20 PTT ID", "Both"},
              {"A20 VOX", "On"},
              {"A20 Option", "Scramble"},
              {"A20 Scrambler", "2"},
              {"A20 Signal Type", "DTMF"},
              {"A20 ID Code", "987"},
              {"B128 RX Freq", "440"},
              {"B128 Signal Type", "5-Tone"},
              {"B128 Signal Decode", "6"},
              {"B128 Auto Response", "On"}}},
        };
    for (const auto& [pageName, fields] : edits) {
        Page* page = pages.find(pageName);
        page->load(image);
        for (const auto& [name, value] : fields) {
            EXPECT_EQ(page->setField(name, value), "") << pageName << " / " << name;
        }
        page->write(image);
    }
    image.set(addr::kFileOnlyA + 5, 0x12); // a byte no window shows
    return image;
}

TEST(CodeplugText, ExportThenImportGivesTheSameBytes) {
    Session fresh;
    fresh.applicationDirectory = std::string(R57_SOURCE_DIR) + "/resources/";
    fresh.startUp();
    const std::vector<std::pair<const char*, CodeplugImage>> images = {
        {"new", NewCodeplug()},
        {"start-up", fresh.image},
        {"virtual radio", SampleCodeplug()},
        {"every field", EveryFieldTouched()},
    };
    for (const auto& [what, image] : images) {
        SCOPED_TRACE(what);
        const TextExport out = ExportCodeplug(image, '2');
        EXPECT_TRUE(out.normalised.empty()) << out.yaml.substr(0, 600);
        const TextImport back = ImportCodeplug(out.yaml, NewCodeplug(), '0');
        ASSERT_FALSE(back.error) << back.error->message();
        EXPECT_EQ(back.modelCode, '2');
        EXPECT_TRUE(ChangedBytes(image, back.image).empty());
    }
}

TEST(CodeplugText, StoredValuesTheWindowsShowOtherwiseAreListedAndSettle) {
    // Whatever the bytes, the export shows what the windows show, every value it
    // writes is taken back, and the bytes an import changes are the ones listed.
    for (unsigned variant = 1; variant <= 4; ++variant) {
        SCOPED_TRACE(variant);
        const CodeplugImage image = test::RandomImage(variant);
        const TextExport out = ExportCodeplug(image, '0');
        const TextImport back = ImportCodeplug(out.yaml, NewCodeplug(), '0');
        ASSERT_FALSE(back.error) << back.error->message();
        const std::vector<ByteChange> changed = ChangedBytes(image, back.image);
        ASSERT_EQ(changed.size(), out.normalised.size());
        ASSERT_FALSE(changed.empty());
        EXPECT_EQ(changed.front().address, out.normalised.front().address);
        // What an import made is an image the windows show as it is.
        EXPECT_TRUE(ExportCodeplug(back.image, '0').normalised.empty());
    }
    CodeplugImage squelch = NewCodeplug();
    squelch.set(addr::kSquelchLevel, 0x0C); // no such level: the window shows 5
    const TextExport out = ExportCodeplug(squelch, '0');
    ASSERT_EQ(out.normalised.size(), 1u);
    EXPECT_EQ(out.normalised[0].to, 5);
    EXPECT_NE(out.yaml.find("#   0x0834: 0C -> 05"), std::string::npos);
    EXPECT_NE(out.yaml.find("Squelch Level: \"5\""), std::string::npos);
}

TEST(CodeplugText, ReadsAsTheWindowsShowIt) {
    const std::string yaml = ExportCodeplug(EveryFieldTouched(), '1').yaml;
    for (const char* line :
         {"Model Variant: \"1\"", "  A1:\n    RX Freq: \"446.00625\"", "    Decode: D754I",
          "    Signal Type: DTMF", "    ID Code: \"987\"", "  Lamp: Auto", "  Manual: \"On\"",
          "\"2-Tone\":", "  Row 1: \"#.#.##...", "  Message: \"Grüße, ami!\"",
          "  RX(VHF): \"136-200\"", "  \"0x3000\": \"FF FF FF FF FF 12 FF"}) {
        EXPECT_NE(yaml.find(line), std::string::npos) << line;
    }
}

TEST(CodeplugText, ImportRefusesWithLineColumnAndReasonAndChangesNothing) {
    const struct {
        const char* yaml;
        int line;
        int column;
        const char* reason;
    } table[] = {
        {"Function Setting:\n  Squelch Level: \"12\"\n", 2, 18,
         "Function Setting / Squelch Level: not one of the choices"},
        {"Function Setting:\n  Volume: 3\n", 2, 3, "Function Setting / Volume: unknown field"},
        {"Function Setting:\n  Lamp: [On, Off]\n", 2, 9,
         "Function Setting / Lamp: a text is needed here"},
        {"Function Setting: Off\n", 1, 19, "Function Setting: a block of fields is needed"},
        {"Settings:\n  Lamp: On\n", 1, 1, "Settings: no window of that name"},
        {"Channels:\n  A100:\n    TX Freq: \"446.1\"\n", 3, 14,
         "Channels / A100 TX Freq: the channel is empty"},
        {"Channels:\n  A1:\n    RX Freq: 446.1\n    Decode: \"88.6\"\n", 4, 13,
         "Channels / A1 Decode: no such QT/DQT tone"},
        {"Channels:\n  C1:\n    RX Freq: 446.1\n", 3, 5, "Channels / C1 RX Freq: unknown field"},
        {"MSK:\n  Own ID: 1\n  Own ID: 2\n", 3, 3, "MSK / Own ID: given twice"},
        {"Model Variant: 3\n", 1, 16, "Model Variant: 0, 1 or 2"},
        {"Other Bytes:\n  \"0x3001\": FF\n", 2, 3, "not a row address"},
        {"Other Bytes:\n  \"0x3000\": FG\n", 2, 13, "two hex digits each"},
        {"Function Setting:\n  Lamp: [On\n", 3, 1, "not YAML: "},
        {"- one\n- two\n", 1, 1, "not a codeplug"},
        {"", 1, 1, "not a codeplug"},
    };
    const CodeplugImage base = SampleCodeplug();
    for (const auto& row : table) {
        SCOPED_TRACE(row.yaml);
        const TextImport result = ImportCodeplug(row.yaml, base, '1');
        ASSERT_TRUE(result.error);
        EXPECT_EQ(result.error->line, row.line);
        EXPECT_EQ(result.error->column, row.column);
        EXPECT_NE(result.error->reason.find(row.reason), std::string::npos) << result.error->reason;
        EXPECT_TRUE(result.image == base);
        EXPECT_EQ(result.modelCode, '1');
    }
}

TEST(CodeplugText, AFieldLeftOutKeepsTheBase) {
    const CodeplugImage base = EveryFieldTouched();
    const TextImport result = ImportCodeplug(
        "Channels:\n  A2:\n    CH.Name: NEW\nFunction Setting:\n  Squelch Level: 9\n", base, '0');
    ASSERT_FALSE(result.error) << result.error->message();
    const std::vector<std::string> diff = DiffCodeplugs(base, result.image);
    EXPECT_EQ(diff, (std::vector<std::string>{"A2 CH.Name: \"PMR2   \" -> \"NEW    \"",
                                              "Function Setting / Squelch Level: 3 -> 9"}));
}

TEST(CodeplugText, ListedBytesAreExactlyThoseAnImportOfTheTextChanges) {
    // The export finds the bytes an import would change without reading its own text
    // back; a real import of the text must change exactly those, from and to alike.
    CodeplugImage squelch = NewCodeplug();
    squelch.set(addr::kSquelchLevel, 0x0C);
    std::vector<std::pair<std::string, CodeplugImage>> images = {
        {"new", NewCodeplug()},
        {"virtual radio", SampleCodeplug()},
        {"every field", EveryFieldTouched()},
        {"squelch out of range", squelch}};
    for (unsigned variant = 1; variant <= 12; ++variant) {
        images.push_back({"random " + std::to_string(variant), test::RandomImage(variant)});
    }
    for (const auto& [what, image] : images) {
        SCOPED_TRACE(what);
        const TextExport out = ExportCodeplug(image, '1');
        const TextImport back = ImportCodeplug(out.yaml, NewCodeplug(), '0');
        ASSERT_FALSE(back.error) << back.error->message();
        const std::vector<ByteChange> changed = ChangedBytes(image, back.image);
        ASSERT_EQ(changed.size(), out.normalised.size());
        for (std::size_t i = 0; i < changed.size(); ++i) {
            EXPECT_EQ(changed[i].address, out.normalised[i].address);
            EXPECT_EQ(changed[i].from, out.normalised[i].from);
            EXPECT_EQ(changed[i].to, out.normalised[i].to);
        }
    }
}

TEST(CodeplugDiff, FieldsInTheExportsWordsThenTheBytesNoFieldShows) {
    const CodeplugImage a = SampleCodeplug();
    EXPECT_TRUE(DiffCodeplugs(a, a).empty());
    CodeplugImage b = a;
    ChannelsPage channels;
    channels.load(b);
    ASSERT_EQ(channels.setField("A5 RX Freq", "446.01875"), "");
    ASSERT_EQ(channels.setField("B20 RX Freq", "150"), "");
    channels.write(b);
    b.set(addr::kSquelchLevel, 3);
    b.set(0x0D34, 0x12);                                        // no window shows it
    b.set(addr::kDisplayByte, 0x40 | a.at(addr::kDisplayByte)); // a bit no field holds
    // A channel one side uses is one row; a byte is listed where a bit of it is not
    // explained by a listed field, even beside a listed field of the same page.
    EXPECT_EQ(DiffCodeplugs(a, b), (std::vector<std::string>{
                                       "A5 RX Freq: 446.05625 -> 446.01875",
                                       "B20: \"\" -> 150.00000, 150.00000",
                                       "Function Setting / Squelch Level: 5 -> 3",
                                       "0x0831: 17 -> 57",
                                       "0x0D34: FF -> 12",
                                   }));
}

} // namespace
} // namespace r57::text
