// For any codeplug: its text and its channel list read back onto it change no byte, and
// one value edited in either changes that value alone, or is refused at its line with
// nothing changed.
#include "common/test_images.h"

#include "text/channel_csv.h"
#include "text/codeplug_pages.h"
#include "text/codeplug_text.h"
#include "text/csv_table.h"
#include "text/other_bytes.h"

#include "core/address_map.h"
#include "core/channel.h"
#include "core/session.h"

#include <gtest/gtest.h>

#include <random>

namespace r57::text {
namespace {

// Values a hand or a script may write into any field.
const char* const kValues[] = {"On",  "Off",    "0",   "7",       "99999", "446.1", "446.001",
                               "500", "",       "ABC", "Zürich",  "12",    "D023N", "88.5",
                               "Low", "Narrow", "1-2", "400-480", "#.#",   " x",    "-3.2db"};

// Every field of every page as `image` shows it, by page and field name.
std::vector<std::pair<std::string, std::string>> Shown(const CodeplugImage& image) {
    std::vector<std::pair<std::string, std::string>> shown;
    CodeplugPages pages;
    for (Page* page : pages.exportOrder()) {
        CodeplugImage copy = image;
        page->load(copy);
        for (const PageField& field : page->fields()) {
            shown.emplace_back(page->name() + " / " + field.name, field.text);
        }
    }
    return shown;
}

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    for (std::size_t end; (end = text.find('\n', start)) != std::string::npos; start = end + 1) {
        lines.push_back(text.substr(start, end - start));
    }
    return lines;
}

TEST(ImportRoundTrip, TextAndChannelListOntoTheirCodeplugChangeNoByte) {
    for (unsigned variant = 21; variant <= 22; ++variant) {
        SCOPED_TRACE(variant);
        const CodeplugImage image = test::RandomImage(variant);
        const TextImport yaml = ImportCodeplug(ExportCodeplug(image, '0').yaml, image, '0');
        ASSERT_FALSE(yaml.error) << yaml.error->message();
        EXPECT_TRUE(ChangedBytes(image, yaml.image).empty());
        for (int bank : {kBankA, kBankB}) {
            const std::string csv =
                ExportChannelsCsv(image, bank == kBankA ? CsvBanks::A : CsvBanks::B);
            const CsvImport back = ImportChannelsCsv(csv, image, bank, 1);
            EXPECT_TRUE(back.skipped.empty()) << back.skipped.front().reason;
            EXPECT_TRUE(back.changed.empty());
            EXPECT_TRUE(ChangedBytes(image, back.image).empty());
        }
    }
}

TEST(ImportRoundTrip, OneValueEditedChangesThatValueOrIsRefusedAtItsLine) {
    std::mt19937 random(26);
    int taken = 0;
    int refused = 0;
    for (unsigned variant = 31; variant <= 32; ++variant) {
        const CodeplugImage image = test::RandomImage(variant);
        const auto before = Shown(image);
        const std::vector<std::string> lines = Lines(ExportCodeplug(image, '0').yaml);
        // The lines of fields: indented, with a value, above the bytes no field shows.
        std::vector<std::size_t> fieldLines;
        for (std::size_t i = 0; i < lines.size() && lines[i] != "Other Bytes:"; ++i) {
            const std::size_t first = lines[i].find_first_not_of(' ');
            if (first != 0 && first != std::string::npos && lines[i][first] != '#' &&
                lines[i].find(": ") != std::string::npos) {
                fieldLines.push_back(i);
            }
        }
        for (int round = 0; round < 50; ++round) {
            const std::size_t at = fieldLines[random() % fieldLines.size()];
            const std::string& line = lines[at];
            const std::size_t colon = line.find(": ");
            const std::string value = kValues[random() % std::size(kValues)];
            std::vector<std::string> edited = lines;
            edited[at] = line.substr(0, colon + 2) + "\"" + value + "\"";
            std::string text;
            for (const std::string& l : edited) {
                text += l + "\n";
            }
            SCOPED_TRACE(edited[at]);
            const TextImport result = ImportCodeplug(text, image, '0');
            if (result.error) {
                ++refused;
                EXPECT_TRUE(result.image == image);
                // The edited line, or a field of the same block its rules would change.
                EXPECT_TRUE(result.error->line == static_cast<int>(at) + 1 ||
                            result.error->reason.find("would be stored") != std::string::npos)
                    << result.error->message();
                continue;
            }
            ++taken;
            const auto after = Shown(result.image);
            std::vector<std::string> differ;
            for (const auto& [name, text] : after) {
                const auto was = std::find_if(before.begin(), before.end(),
                                              [&](const auto& f) { return f.first == name; });
                if (was == before.end() || was->second != text) {
                    differ.push_back(name + " = " + text);
                }
            }
            // At most the field edited (nothing when it held the value already), shown as
            // written; a new channel brings its other fields with it.
            if (differ.size() > 1) {
                EXPECT_NE(edited[at].find("RX Freq"), std::string::npos) << differ.front();
            }
        }
    }
    EXPECT_GT(taken, 5);
    EXPECT_GT(refused, 5);
}

TEST(ImportRoundTrip, OneCellEditedInTheChannelListChangesItsChannelOrIsRefusedAtItsLine) {
    std::mt19937 random(57);
    const char* const cells[] = {"446.1", "446.001", "LONGNAME", "S", "",  "Low", "NFM",  "AM",
                                 "+",     "off",     "TSQL",     "x", "0", "600", "D023N"};
    for (unsigned variant = 41; variant <= 43; ++variant) {
        const CodeplugImage image = test::RandomImage(variant);
        const std::string csv = ExportChannelsCsv(image, CsvBanks::A);
        const std::vector<CsvRecord> records = ReadCsv(csv);
        if (records.size() < 2) {
            continue;
        }
        for (int round = 0; round < 30; ++round) {
            std::vector<CsvRecord> edited = records;
            const std::size_t row = 1 + random() % (records.size() - 1);
            const std::size_t column = random() % 16;
            edited[row].fields[column] = cells[random() % std::size(cells)];
            std::string text;
            for (const CsvRecord& record : edited) {
                text += CsvLine(record.fields);
            }
            SCOPED_TRACE(text.substr(0, 0) + CsvLine(edited[row].fields));
            const CsvImport result = ImportChannelsCsv(text, image, kBankA, 1);
            // Only the channel of the edited row, if any, differs from the codeplug.
            const int channel = std::atoi(records[row].fields[0].c_str());
            for (const ByteChange& change : ChangedBytes(image, result.image)) {
                const int record = RecordAddress(kBankA, channel);
                const int name = NameAddress(NameSlot(kBankA, channel));
                EXPECT_TRUE((change.address >= record && change.address < record + 16) ||
                            (change.address >= name && change.address < name + 7))
                    << AddressText(change.address);
            }
            for (const SkippedRow& skipped : result.skipped) {
                EXPECT_EQ(skipped.line, records[row].line) << skipped.reason;
            }
        }
    }
}

} // namespace
} // namespace r57::text
