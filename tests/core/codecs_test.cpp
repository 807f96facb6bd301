// Frequency and QT/DQT codecs, the tone list, and frequency snapping.
#include "core/band_limits.h"
#include "core/codecs.h"

#include <gtest/gtest.h>

#include <array>
#include <string>

namespace r57 {
namespace {

using Bytes4 = std::array<uint8_t, 4>;
using Bytes2 = std::array<uint8_t, 2>;

TEST(Codecs, NibbleDigitsAndLeadingNumber) {
    EXPECT_EQ(NibbleChar(0x0), '0');
    EXPECT_EQ(NibbleChar(0xA), ':');
    EXPECT_EQ(NibbleChar(0xF), '?');
    EXPECT_EQ(NibbleText(0x4F), "4?");
    struct Case {
        const char* text;
        long long value;
    };
    const Case cases[] = {
        {"", 0},      {"????????", 0}, {"446", 446},
        {"14?5", 14}, {"007", 7},      {"-5", 0},
        {" 5", 0},    {"1.5", 1},      {"99999999999999999999999", 9223372036854775807LL}};
    for (const Case& c : cases)
        EXPECT_EQ(LeadingNumber(c.text), c.value) << c.text;
}

TEST(Codecs, FrequencyBytesAndTextRoundTrip) {
    struct Case {
        Bytes4 bytes;
        const char* text;
    };
    const Case cases[] = {
        {{0x44, 0x60, 0x06, 0x25}, "446.00625"}, {{0x14, 0x51, 0x25, 0x00}, "145.12500"},
        {{0x43, 0x80, 0x06, 0x25}, "438.00625"}, {{0x13, 0x60, 0x00, 0x00}, "136.00000"},
        {{0x99, 0x99, 0x99, 0x99}, "999.99999"}, {{0x00, 0x00, 0x00, 0x01}, "0.00001"}};
    for (const Case& c : cases) {
        EXPECT_EQ(FrequencyTextFromBytes(c.bytes.data()), c.text);
        EXPECT_EQ(FrequencyBytesFromText(c.text), c.bytes) << c.text;
    }
}

TEST(Codecs, FrequencyDecodeOfEmptyAndDamagedFields) {
    struct Case {
        Bytes4 bytes;
        const char* text;
    };
    const Case cases[] = {{{0xFF, 0xFF, 0xFF, 0xFF}, ""},
                          {{0x00, 0x00, 0x00, 0x00}, ""},
                          {{0xF4, 0x46, 0x00, 0x00}, ""},        // first nibble not a digit
                          {{0x14, 0x5F, 0x00, 0x00}, "0.00145"}, // digits stop at "?"
                          {{0x00, 0x00, 0x12, 0xFF}, "0.00012"}};
    for (const Case& c : cases)
        EXPECT_EQ(FrequencyTextFromBytes(c.bytes.data()), c.text);
}

TEST(Codecs, FrequencyEncodeOfTextsOutsideTheNineCharacterForm) {
    struct Case {
        const char* text;
        Bytes4 bytes;
    };
    const Case cases[] = {
        {"50.00000", {0x05, 0x00, 0x00, 0x00}},   {"145.5", {0x14, 0x55, 0x00, 0x00}},
        {"145.123456", {0x14, 0x51, 0x23, 0x45}}, // cut to 10 Hz
        {"", {0x00, 0x00, 0x00, 0x00}},           {"abc", {0x00, 0x00, 0x00, 0x00}},
        {"-145.5", {0x00, 0x00, 0x00, 0x00}},     {"12345.6", {0x99, 0x99, 0x99, 0x99}}};
    for (const Case& c : cases)
        EXPECT_EQ(FrequencyBytesFromText(c.text), c.bytes) << c.text;
}

TEST(Codecs, ToneListOrderInBothLanguages) {
    for (int language : {0, 1}) {
        const auto list = BuildToneList(language);
        ASSERT_EQ(list.size(), 261u);
        EXPECT_EQ(list[0], language == 0 ? "None" : "无");
        EXPECT_EQ(list[1], "67.0");
        EXPECT_EQ(list[9], "88.5");
        EXPECT_EQ(list[13], "100.0");
        EXPECT_EQ(list[50], "254.1");
        EXPECT_EQ(list[51], "D023N");
        EXPECT_EQ(list[155], "D754N");
        EXPECT_EQ(list[156], "D023I");
        EXPECT_EQ(list[260], "D754I");
    }
}

TEST(Codecs, EveryToneListEntryRoundTripsThroughTheImageBytes) {
    for (int language : {0, 1}) {
        const auto list = BuildToneList(language);
        for (std::size_t i = 0; i < list.size(); ++i) {
            const Bytes2 bytes = ToneBytesFromText(list[i]);
            EXPECT_EQ(ToneTextFromBytes(bytes[0], bytes[1], language), list[i]) << i;
            // None FF FF; QT below 0x40; DQT 0x80.. normal, 0xC0.. inverted.
            const int family = i == 0 ? 0xFF : i <= 50 ? 0x00 : i <= 155 ? 0x80 : 0xC0;
            EXPECT_EQ(i == 0 ? bytes[0] & bytes[1] : bytes[1] & 0xC0, family) << list[i];
        }
    }
}

TEST(Codecs, ToneDecode) {
    struct Case {
        uint8_t low, high;
        const char* english;
        const char* chinese;
    };
    const Case cases[] = {{0x00, 0xFF, "None", "无"},     {0x70, 0x06, "67.0", "67.0"},
                          {0x41, 0x25, "254.1", "254.1"}, {0x85, 0x08, "88.5", "88.5"},
                          {0x23, 0x80, "D023N", "D023N"}, {0x54, 0xC7, "D754I", "D754I"},
                          {0x00, 0x50, "", ""},           {0x00, 0x7F, "", ""},
                          {0x23, 0xBF, "D?23N", "D?23N"}, {0x23, 0xFE, "D>23I", "D>23I"}};
    for (const Case& c : cases) {
        EXPECT_EQ(ToneTextFromBytes(c.low, c.high, 0), c.english) << int(c.high);
        EXPECT_EQ(ToneTextFromBytes(c.low, c.high, 1), c.chinese) << int(c.high);
    }
}

// Typed and odd texts: the encoder must stay inside the text whatever its length.
TEST(Codecs, ToneEncodeOfListAndTypedTexts) {
    struct Case {
        const char* text;
        Bytes2 bytes; // {low, high}
    };
    const Case cases[] = {
        {"None", {0xFF, 0xFF}},     {"无", {0xFF, 0xFF}},    {"N", {0xFF, 0xFF}},
        {"Nonsense", {0xFF, 0xFF}}, {"", {0xFF, 0xFF}},      {"67.0", {0x70, 0x06}},
        {"254.1", {0x41, 0x25}},    {"D023N", {0x23, 0x80}}, {"D023I", {0x23, 0xC0}},
        {"D754I", {0x54, 0xC7}},    {"D", {0x00, 0xC0}},     {"DN", {0x00, 0x80}},
        {"D7", {0x00, 0xC7}},       {"D75N", {0x50, 0x87}},  {"8", {0x00, 0x80}},
        {"88.", {0x00, 0x88}},      {"88.5", {0x85, 0x08}},  {"100.0", {0x00, 0x10}},
        {"1", {0x00, 0x10}},        {"x", {0x00, 0x00}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ToneBytesFromText(c.text), c.bytes) << c.text;
}

struct SnapCase {
    const char* text;
    int direction;
    const char* result;
};

void ExpectSnaps(const BandLimits& bands, std::initializer_list<SnapCase> cases) {
    for (const SnapCase& c : cases) {
        EXPECT_EQ(SnapFrequency(c.text, c.direction, bands), c.result)
            << "\"" << c.text << "\" dir " << c.direction;
    }
}

TEST(Codecs, SnapToTheNearerGrid) {
    BandLimits bands;
    bands.low = {400, 400, 136, 136};
    bands.high = {480, 480, 174, 174};
    ExpectSnaps(bands, {
                           {"446.003", 0, "446.00250"}, // 2.5 kHz grid nearer
                           {"446.006", 0, "446.00625"}, // 6.25 kHz grid nearer
                           {"145.1234", 0, "145.12250"},
                           {"145.128", 0, "145.12750"},
                           {"145.13", 0, "145.13000"},
                           {"145", 0, "145.00000"},
                           {"438.025", 1, "438.02500"},
                           {"173.99", 0, "173.99000"},
                           // F / 250 exactly half: rounds up; then both grids 125 away.
                           {"446.00125", 0, "446.00250"},
                           // Exactly midway between 446.00500 and 446.00625: 2.5 kHz wins.
                           {"446.005625", 0, "446.00500"},
                           // ... but a hair above the midway point the 6.25 kHz one does.
                           {"446.0056250000000001", 0, "446.00625"},
                           {"446.0056249999999999", 0, "446.00500"},
                       });
}

TEST(Codecs, SnapRangeTestExcludesTheUpperLimit) {
    BandLimits bands;
    bands.low = {136, 140, 400, 410};
    bands.high = {174, 150, 480, 470};
    ExpectSnaps(bands, {{"174", 0, "136.00000"},
                        {"480", 0, "136.00000"},
                        {"479.99999", 0, "479.99750"}, // not the excluded 480.00000
                        {"173.9999", 0, "173.99750"},
                        {"173.99874", 0, "173.99750"},
                        {"135.99999", 0, "136.00000"},
                        {"145", 1, "145.00000"},
                        {"160", 1, "140.00000"}, // receive range only
                        {"405", 1, "140.00000"},
                        {"410", 1, "410.00000"}});
}

TEST(Codecs, SnapReadsTypedTextsAndNeverFails) {
    const BandLimits bands = BandLimits::Defaults();
    ExpectSnaps(bands, {
                           {"490", 0, "400.00000"},
                           {"500", 0, "400.00000"},
                           {"100", 0, "400.00000"},
                           {"", 0, "400.00000"},
                           {"", 1, "400.00000"},
                           {"446,003", 0, "446.00250"},
                           {"145,5", 0, "145.50000"},
                           {" 145 ", 0, "145.00000"},
                           {"+145", 0, "145.00000"},
                           {"145.5abc", 0, "145.50000"},
                           {"145.", 0, "145.00000"},
                           {".", 0, "400.00000"},
                           {"1.2.3", 0, "400.00000"},   // reads as 1.2
                           {"145.1.9", 0, "145.10000"}, // reads as 145.1
                           {"-5", 0, "400.00000"},
                           {"-145", 0, "400.00000"},
                           {"1e3", 0, "400.00000"}, // no exponents
                           {"145e0", 0, "400.00000"},
                           {"145,5,5", 0, "400.00000"},
                           {"14 5", 0, "400.00000"},
                           {"abc", 0, "400.00000"},
                           {",", 0, "400.00000"},
                           {"99999999999999999999999", 0, "400.00000"},
                           {"99999999999999999999.5", 0, "400.00000"},
                       });
}

TEST(Codecs, SnappedTextsEncodeToTheSameFrequency) {
    const BandLimits bands = BandLimits::Defaults();
    for (const char* typed : {"136", "146.52", "173.9999", "400.0031", "446.00625", "489.999"}) {
        const std::string snapped = SnapFrequency(typed, 0, bands);
        ASSERT_EQ(snapped.size(), 9u) << typed;
        const auto bytes = FrequencyBytesFromText(snapped);
        EXPECT_EQ(FrequencyTextFromBytes(bytes.data()), snapped) << typed;
    }
}

} // namespace
} // namespace r57
