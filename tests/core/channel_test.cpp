// Channel addresses, names, the choice texts and the bank's grid texts with their repairs.
#include "core/band_limits.h"
#include "core/channel.h"
#include "core/codecs.h"
#include "core/image.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <stdexcept>
#include <string>
#include <vector>

namespace r57 {
namespace {

using Record = std::array<uint8_t, 16>;

Record ReadRecord(const CodeplugImage& image, int bank, int channel) {
    Record r;
    image.read(RecordAddress(bank, channel), r.data(), r.size());
    return r;
}

void PutRecord(CodeplugImage& image, int bank, int channel, const Record& r) {
    image.write(RecordAddress(bank, channel), r.data(), r.size());
}

TEST(Channel, AddressesAndLabels) {
    struct Case {
        int bank, channel, record, slot, name, signal;
        const char* label;
    };
    const Case cases[] = {{0, 1, 0x1000, 1, 0x0010, 0x2000, "A1"},
                          {0, 128, 0x17F0, 128, 0x0389, 0x27F0, "A128"},
                          {1, 1, 0x1800, 129, 0x0390, 0x2800, "B1"},
                          {1, 128, 0x1FF0, 256, 0x0709, 0x2FF0, "B128"}};
    for (const Case& c : cases) {
        EXPECT_EQ(RecordAddress(c.bank, c.channel), c.record) << c.label;
        EXPECT_EQ(NameSlot(c.bank, c.channel), c.slot) << c.label;
        EXPECT_EQ(NameAddress(c.slot), c.name) << c.label;
        EXPECT_EQ(SignalIdAddress(c.bank, c.channel), c.signal) << c.label;
        EXPECT_EQ(ChannelLabel(c.bank, c.channel), c.label);
    }
    EXPECT_THROW(RecordAddress(0, 0), std::out_of_range);
    EXPECT_THROW(RecordAddress(1, 129), std::out_of_range);
    EXPECT_THROW(RecordAddress(2, 1), std::out_of_range);
    EXPECT_THROW(NameAddress(0), std::out_of_range);
    EXPECT_THROW(NameAddress(257), std::out_of_range);
}

TEST(Channel, ReadingANameRepairsInvalidBytesInTextAndImage) {
    CodeplugImage image;
    const uint8_t raw[7] = {'A', 0x00, 0x7B, 'z', 0xFF, ' ', 0x1F};
    image.write(NameAddress(5), raw, 7);
    EXPECT_EQ(ReadChannelName(image, 5), "A  z   ");
    const uint8_t repaired[7] = {'A', 0x20, 0x20, 'z', 0x20, 0x20, 0x20};
    EXPECT_TRUE(std::equal(repaired, repaired + 7, image.data() + NameAddress(5)));
    EXPECT_EQ(ReadChannelName(image, 6), "       "); // erased slot
}

TEST(Channel, WritingANameStaysInsideItsSlot) {
    struct Case {
        std::string text;
        const char* stored;
    };
    const Case cases[] = {{"", "       "},
                          {"AB", "AB     "},
                          {"REPEAT1", "REPEAT1"},
                          {"ABCDEFGHIJ", "ABCDEFG"},
                          {"无线电台站点测试", "???????"}, // 3-byte characters, one byte each
                          {"Caf\xC3\xA9 1", "Caf? 1 "},
                          {"A\xE6\x97", "A?     "},  // cut multi-byte character
                          {"\x80\x80Z", "??Z    "}}; // stray continuation bytes
    for (const Case& c : cases) {
        CodeplugImage image;
        WriteChannelName(image, 10, c.text);
        EXPECT_EQ(std::string(reinterpret_cast<const char*>(image.data()) + NameAddress(10), 7),
                  c.stored)
            << c.text;
        EXPECT_EQ(image.at(NameAddress(10) - 1), 0xFF) << c.text;
        EXPECT_EQ(image.at(NameAddress(11)), 0xFF) << c.text;
    }
}

TEST(Channel, CaptionsInBothLanguages) {
    const char* english[kColumnCount] = {"CH",       "RX Freq",  "TX Freq", "Decode",    "Encode",
                                         "TX Power", "Scan Add", "W/N",     "CH.Name",   "BCL",
                                         "PTT ID",   "VOX",      "Option",  "Scrambler", "More"};
    for (int column = 0; column < kColumnCount; ++column) {
        EXPECT_EQ(ColumnCaption(column, 0), english[column]);
        const std::string chinese = ColumnCaption(column, 1);
        EXPECT_FALSE(chinese.empty()) << column;
        if (column != kColPttId) {
            EXPECT_NE(chinese, english[column]) << column;
        }
    }
    EXPECT_EQ(ColumnCaption(kColPttId, 1), "PTT ID");
    EXPECT_EQ(ColumnCaption(15, 0), "");
    EXPECT_EQ(ColumnCaption(-1, 0), "");
}

TEST(Channel, ChoiceListsInGridOrder) {
    using List = std::vector<std::string>;
    EXPECT_EQ(ColumnChoices(kColPower, 0), (List{"High", "Low"}));
    EXPECT_EQ(ColumnChoices(kColScan, 0), (List{"Del", "Add"}));
    EXPECT_EQ(ColumnChoices(kColWidth, 0), (List{"Wide", "Narrow"}));
    EXPECT_EQ(ColumnChoices(kColBcl, 0), (List{"Off", "Carrier", "QT/DQT"}));
    EXPECT_EQ(ColumnChoices(kColPttId, 0), (List{"Off", "BOT", "EOT", "Both"}));
    EXPECT_EQ(ColumnChoices(kColVox, 0), (List{"Off", "On"}));
    EXPECT_EQ(ColumnChoices(kColOption, 0), (List{"Off", "Compand", "Scramble"}));
    EXPECT_EQ(ColumnChoices(kColScrambler, 1), (List{"1", "2", "3", "4", "5", "6", "7", "8"}));
    EXPECT_EQ(ColumnChoices(kColBcl, 1).back(), "QT/DQT");
    for (int column : {0, 1, 2, 3, 4, 8, 14})
        EXPECT_TRUE(ColumnChoices(column, 0).empty());
}

TEST(Channel, ChoiceTextsOfTheFlagBits) {
    Record r{};
    r[12] = 0x34; // high power, PTT ID both, option off
    r[13] = 0x4A; // lockout QT/DQT, narrow, VOX off, 2-Tone signalling
    r[14] = 0x46; // scan add, group 7
    const std::pair<int, const char*> want[] = {
        {kColPower, "High"},   {kColPttId, "Both"}, {kColOption, "Off"}, {kColBcl, "QT/DQT"},
        {kColWidth, "Narrow"}, {kColVox, "Off"},    {kColScan, "Add"},   {kColScrambler, "7"}};
    for (const auto& [column, text] : want)
        EXPECT_EQ(ChoiceText(r.data(), column, 0), text);

    r[12] = 0x03; // option 3 and lockout 3 both show "Off"
    r[13] = 0x07;
    EXPECT_EQ(ChoiceText(r.data(), kColOption, 0), "Off");
    EXPECT_EQ(ChoiceText(r.data(), kColBcl, 0), "Off");
    EXPECT_EQ(ChoiceText(r.data(), kColVox, 0), "On");
    EXPECT_EQ(ChoiceText(r.data(), kColName, 0), "");
}

// Whatever the flag bytes hold, the cell text is one of the editor's choices, so the
// choice-id table and the list table agree and every id exists in both languages.
TEST(Channel, EveryChoiceTextIsOneOfTheColumnsChoices) {
    for (int language : {0, 1}) {
        for (int column : {5, 6, 7, 9, 10, 11, 12, 13}) {
            const auto choices = ColumnChoices(column, language);
            for (const std::string& choice : choices)
                EXPECT_FALSE(choice.empty()) << column;
            for (int value = 0; value < 256; ++value) {
                Record r{};
                r[12] = r[13] = r[14] = static_cast<uint8_t>(value);
                const std::string text = ChoiceText(r.data(), column, language);
                ASSERT_NE(std::find(choices.begin(), choices.end(), text), choices.end())
                    << "column " << column << " byte " << value << " language " << language;
            }
        }
    }
}

TEST(Channel, BankTextsOfAUsedChannel) {
    CodeplugImage image;
    PutRecord(image, 1, 3,
              {0x14, 0x55, 0x00, 0x00, 0x14, 0x60, 0x00, 0x00, 0x85, 0x08, 0x23, 0xC0, 0x15, 0x09,
               0x81, 0x00});
    WriteChannelName(image, 128 + 3, "RPT");
    WriteChannelName(image, 3, "WRONG"); // bank A's slot of the same number

    for (int language : {0, 1}) {
        const BankTexts texts = DecodeBank(image, 1, language);
        const BankRow& row = texts[2];
        const BankRow want = {"B3",
                              "145.50000",
                              "146.00000",
                              "88.5",
                              "D023I",
                              ColumnChoices(kColPower, language)[0], // High
                              ColumnChoices(kColScan, language)[0],  // Del
                              ColumnChoices(kColWidth, language)[1], // Narrow
                              "RPT    ",
                              ColumnChoices(kColBcl, language)[1],    // Carrier
                              ColumnChoices(kColPttId, language)[1],  // BOT
                              ColumnChoices(kColVox, language)[0],    // Off
                              ColumnChoices(kColOption, language)[1], // Compand
                              "2",
                              ">>"};
        EXPECT_EQ(row, want) << language;
        EXPECT_EQ(texts[127][kColLabel], "B128");
    }
}

TEST(Channel, BankRefreshRepairsTheImage) {
    CodeplugImage image;
    const Record zeros{};
    const Record rxOnly{0x44, 0x60, 0x06, 0x25, 0x00, 0x00, 0x00, 0x00,
                        0xFF, 0xFF, 0x70, 0x06, 0x04, 0x00, 0x46, 0x00};
    const Record damagedRx{0xF4, 0x46, 0x00, 0x00, 0x44, 0x60, 0x00, 0x00,
                           0x00, 0x00, 0x00, 0x00, 0x04, 0x00, 0x46, 0x00};
    PutRecord(image, 0, 1, zeros);
    PutRecord(image, 0, 2, rxOnly);
    PutRecord(image, 0, 3, damagedRx);
    const uint8_t badName[7] = {'O', 'K', 0x00, 0x7F, 0xFF, 'x', 0x10};
    image.write(NameAddress(2), badName, 7);
    WriteChannelName(image, 1, "KEEP"); // an empty channel's name slot stays as it is

    const BankTexts texts = DecodeBank(image, 0, 1);

    Record erased;
    erased.fill(0xFF);
    EXPECT_EQ(ReadRecord(image, 0, 1), erased) << "all-zero record counts as empty";
    EXPECT_EQ(ReadRecord(image, 0, 3), erased) << "receive digits read as 0";
    EXPECT_EQ(ReadRecord(image, 0, 4), erased);
    for (int row : {0, 2, 3}) {
        EXPECT_EQ(texts[row][kColLabel], "A" + std::to_string(row + 1));
        for (int column = 1; column < kColumnCount; ++column) {
            EXPECT_EQ(texts[row][column], "") << row << "/" << column;
        }
    }
    EXPECT_EQ(ReadChannelName(image, 1), "KEEP   ");

    Record wantRxOnly = rxOnly;
    for (int i : {4, 5, 6, 7, 10, 11})
        wantRxOnly[i] = 0xFF;
    EXPECT_EQ(ReadRecord(image, 0, 2), wantRxOnly);
    EXPECT_EQ(texts[1][kColRx], "446.00625");
    EXPECT_EQ(texts[1][kColTx], "");
    EXPECT_EQ(texts[1][kColDecode], "无");
    EXPECT_EQ(texts[1][kColEncode], "");
    EXPECT_EQ(texts[1][kColName], "OK   x ");
    const uint8_t repaired[7] = {'O', 'K', ' ', ' ', ' ', 'x', ' '};
    EXPECT_TRUE(std::equal(repaired, repaired + 7, image.data() + NameAddress(2)));
}

// The grid texts encode back to the record's bytes.
TEST(Channel, BankTextsEncodeBackToTheSameBytes) {
    CodeplugImage image;
    const auto tones = BuildToneList(0);
    for (int n = 1; n <= 128; ++n) {
        const std::string rx = SnapFrequency(std::to_string(400 + n * 0.37), 0, BandLimits());
        const auto f = FrequencyBytesFromText(rx);
        const auto decode = ToneBytesFromText(tones[(n * 7) % tones.size()]);
        const auto encode = ToneBytesFromText(tones[(n * 13) % tones.size()]);
        PutRecord(image, 0, n,
                  {f[0], f[1], f[2], f[3], f[0], f[1], f[2], f[3], decode[0], decode[1], encode[0],
                   encode[1], 0x04, 0x00, 0x46, 0x00});
    }
    const CodeplugImage before = image;
    const BankTexts texts = DecodeBank(image, 0, 0);
    EXPECT_TRUE(std::equal(image.data() + 0x1000, image.data() + 0x1800, before.data() + 0x1000))
        << "a clean bank needs no record repairs";
    for (int n = 1; n <= 128; ++n) {
        const BankRow& row = texts[n - 1];
        const Record r = ReadRecord(before, 0, n);
        EXPECT_EQ(FrequencyBytesFromText(row[kColRx]),
                  (std::array<uint8_t, 4>{r[0], r[1], r[2], r[3]}));
        EXPECT_EQ(FrequencyBytesFromText(row[kColTx]),
                  (std::array<uint8_t, 4>{r[4], r[5], r[6], r[7]}));
        EXPECT_EQ(ToneBytesFromText(row[kColDecode]), (std::array<uint8_t, 2>{r[8], r[9]}));
        EXPECT_EQ(ToneBytesFromText(row[kColEncode]), (std::array<uint8_t, 2>{r[10], r[11]}));
    }
}

} // namespace
} // namespace r57
