// The quick reader of the codeplug text against yaml-cpp: wherever it takes a text,
// the tree must be the same to the last place, and it must take what the export writes.
#include "common/test_images.h"

#include "text/codeplug_text.h"
#include "text/text_tree.h"

#include <gtest/gtest.h>
#include <yaml-cpp/yaml.h>

#include <optional>
#include <string>
#include <vector>

namespace r57::text {
namespace {

std::string Exported(const CodeplugImage& image) {
    return ExportCodeplug(image, '1').yaml;
}

TEST(TextTree, QuickReaderAgreesWithYamlCppOrStandsAside) {
    const std::string doc = "# heading\n"
                            "Model Variant: \"1\"\n"
                            "Function Setting:\n"
                            "  Squelch Level: \"5\"\n"
                            "  Lamp: Auto\n"
                            "Channels:\n"
                            "  A1:\n"
                            "    RX Freq: \"446.00625\"\n"
                            "    CH.Name: \"a \\\"b\\\" \\\\c\"\n";
    auto edit = [&](const std::string& from, const std::string& to) {
        std::string text = doc;
        text.replace(text.find(from), from.size(), to);
        return text;
    };
    const struct {
        std::string what;
        std::string text;
        bool quick; // the quick reader takes it
    } cases[] = {
        {"as exported", doc, true},
        {"an empty map", doc + "FM Channels:\n  {}\nDTMF:\n    {}\n", true},
        {"an empty map at the top", "{}\n", false},
        {"an empty map beside a field", doc + "  {}\n", false},
        {"a trailing comment", edit("Lamp: Auto", "Lamp: Auto   # set by hand"), true},
        {"a comment line between", edit("  Lamp:", "  # the lamp\n  Lamp:"), true},
        {"an empty value", edit("Lamp: Auto", "Lamp:"), true},
        {"an empty value last", doc + "Other Bytes:\n", true},
        {"an empty value with a comment", edit("Lamp: Auto", "Lamp: # none"), true},
        {"null words", edit("Lamp: Auto", "Lamp: null\n  Beep: ~\n  Chord: \"null\""), true},
        {"a quoted key", edit("  Lamp:", "  \"Lamp\":"), true},
        {"a key given twice", edit("  Lamp: Auto", "  Lamp: Auto\n  Lamp: On"), true},
        {"a page without fields", edit("Channels:\n", "Embedded Message:\nChannels:\n"), true},
        {"plain text with inner quotes and hashes", edit("Auto", "it's #1"), true},
        {"UTF-8", edit("Auto", "\"Grüße\""), true},
        {"a number", edit("\"5\"", "5"), true},
        {"single quotes", edit("\"5\"", "'5'"), false},
        {"another escape", edit("\"5\"", "\"5\\t\""), false},
        {"a list", edit("\"5\"", "[1, 2]"), false},
        {"a block list", edit("\"5\"", "\n    - 1"), false},
        {"a flow map", edit("Lamp: Auto", "Lamp: {a: 1}"), false},
        {"a tab", edit("Auto", "A\tuto"), false},
        {"a document mark", "---\n" + doc, false},
        {"a text over two lines", edit("Lamp: Auto", "Lamp: Auto\n    and more"), false},
        {"a deeper line after a text", edit("  Lamp: Auto", "  Lamp: Auto\n      Beep: On"), false},
        {"a shallower misaligned line", edit("    RX Freq", "   RX Freq"), false},
        {"an indented first line", "  a: 1\n  b: 2\n", false},
        {"no colon", edit("Lamp: Auto", "Lamp Auto"), false},
        {"a colon inside a plain text", edit("Auto", "a: b"), false},
        {"only comments", "# nothing\n", false},
        {"not UTF-8", edit("Auto", "\"\xC3\""), false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const std::optional<TextNode> quick = ReadPlainBlocks(c.text);
        EXPECT_EQ(quick.has_value(), c.quick);
        std::optional<TextNode> full;
        try {
            full = ReadWithYamlCpp(c.text);
        } catch (const YAML::Exception&) {
        }
        if (quick) {
            ASSERT_TRUE(full) << "yaml-cpp refuses what the quick reader took";
            EXPECT_TRUE(*quick == *full);
        }
    }
    // What the export writes is read alike; a codeplug of plain texts, quickly.
    ASSERT_TRUE(ReadPlainBlocks(Exported(NewCodeplug())));
    for (unsigned variant = 0; variant <= 3; ++variant) {
        SCOPED_TRACE(variant);
        const std::string text =
            Exported(variant == 0 ? NewCodeplug() : test::RandomImage(variant));
        if (const std::optional<TextNode> quick = ReadPlainBlocks(text)) {
            EXPECT_TRUE(*quick == ReadWithYamlCpp(text));
        }
    }
}

} // namespace
} // namespace r57::text
