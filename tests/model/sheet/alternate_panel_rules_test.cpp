// The alternate panel's own rules: the channel number across both banks, the label box,
// the option-signalling bits of record bytes 13 and 14, and the ID block.
#include "sheet_fixture.h"

#include "model/sheet/alternate_panel_rules.h"

#include "core/address_map.h"

#include <functional>
#include <optional>
#include <vector>

namespace r57::test {
namespace {

TEST(PanelChannel, NumbersLabelsAndArrowsSpanBothBanks) {
    struct Case {
        int index;
        int bank;
        int row;
        const char* label;
        int up;
        int down;
    };
    const std::vector<Case> cases = {
        {1, kBankA, 1, "A1", 2, 256},     {128, kBankA, 128, "A128", 129, 127},
        {129, kBankB, 1, "B1", 130, 128}, {256, kBankB, 128, "B128", 1, 255},
        {0, kBankA, 1, "A1", 2, 256},     {999, kBankB, 128, "B128", 1, 255}, // clamped
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.index);
        EXPECT_EQ(PanelBank(c.index), c.bank);
        EXPECT_EQ(PanelRow(c.index), c.row);
        EXPECT_EQ(PanelLabel(c.index), c.label);
        EXPECT_EQ(StepPanelIndex(c.index, 1), c.up);
        EXPECT_EQ(StepPanelIndex(c.index, -1), c.down);
    }
    EXPECT_EQ(PanelIndex(kBankB, 7), 135);
    EXPECT_EQ(StepPanelIndex(10, -300), 222); // whole turns are skipped
    const std::vector<std::pair<const char*, int>> typed = {
        {"12", 12}, {"0", 1}, {"300", 256}, {"", 77}, {"00135", 135}};
    for (const auto& [digits, index] : typed) {
        EXPECT_EQ(PanelIndexFromDigits(digits, 77), index) << digits;
    }
}

TEST(PanelChannel, LabelBoxTakesALetterFirstThenUpToThreeDigits) {
    struct Key {
        const char* text;
        bool whole; // empty or all selected
        char typed;
        char taken;
    };
    const std::vector<Key> keys = {
        {"", true, 'b', 'B'},   {"A12", true, 'a', 'A'},  {"A12", false, 'B', 0},
        {"B", false, '7', '7'}, {"B12", false, '8', '8'}, {"B128", false, '1', 0},
        {"", true, '5', 0},     {"B1", false, 'x', 0},    {"B1", false, '.', 0},
        {"B1", true, '1', 0}, // a digit would replace the letter
    };
    for (const Key& k : keys) {
        EXPECT_EQ(LabelKeyChar(k.text, k.whole, k.typed), k.taken) << k.text << " + " << k.typed;
    }
    const std::vector<std::pair<const char*, std::optional<int>>> labels = {
        {"b7", 135},   {"A1", 1}, {"A0", 1}, {"B999", 256},
        {"A128", 128}, {"B", {}}, {"", {}},  {"C5", {}},
    };
    for (const auto& [text, index] : labels) {
        EXPECT_EQ(PanelIndexFromLabel(text), index) << text;
    }
}

TEST(PanelSignalling, TypeListsFollowTheModel) {
    using T = SignalType;
    EXPECT_EQ(SignalTypesFor('0'), (std::vector<T>{T::None, T::Msk}));
    EXPECT_EQ(SignalTypesFor('1'), (std::vector<T>{T::None, T::Msk, T::Dtmf}));
    EXPECT_EQ(SignalTypesFor('2'), (std::vector<T>{T::None, T::Msk, T::TwoTone, T::FiveTone}));
    EXPECT_EQ(SignalTypeText(T::TwoTone, kChinese), "两音");
    EXPECT_EQ(SignalTypeText(T::None, kEnglish), "None");

    for (int bits = 0; bits < 16; ++bits) {
        const auto type = SignalTypeFromBits(bits);
        EXPECT_EQ(type.has_value(), bits == 0 || bits == 1 || bits == 2 || bits == 4 || bits == 8);
    }
    EXPECT_EQ(OtherSignalText(0x5), "Other (0101)");
}

TEST(PanelSignalling, EachWriterChangesOnlyItsOwnBits) {
    struct Step {
        const char* what;
        std::function<void(CodeplugImage&)> write;
        uint8_t byte13;
        uint8_t byte14;
    };
    // Neighbouring bits all set (scan, scrambler group, bandwidth, VOX, BCL) or all clear.
    for (uint8_t start : {uint8_t{0x00}, uint8_t{0xFF}}) {
        const std::vector<Step> steps = {
            {"2-Tone", [](CodeplugImage& i) { WriteSignalTypeBits(i, kBankB, 5, 4); },
             uint8_t((start & 0x0F) | 0x40), start},
            {"auto response on", [](CodeplugImage& i) { WriteAutoResponse(i, kBankB, 5, true); },
             start, uint8_t(start | 0x80)},
            {"auto response off", [](CodeplugImage& i) { WriteAutoResponse(i, kBankB, 5, false); },
             start, uint8_t(start & 0x7F)},
            {"decode code 5", [](CodeplugImage& i) { WriteDecodeCode(i, kBankB, 5, 5); }, start,
             uint8_t((start & ~0x38) | 0x28)},
        };
        for (const Step& step : steps) {
            SCOPED_TRACE(std::string(step.what) + (start ? " over ones" : " over zeros"));
            Session s;
            Bytes16 record;
            record.fill(start);
            SetRecord(s, kBankB, 5, record);
            step.write(s.image);
            Bytes16 expected = record;
            expected[13] = step.byte13;
            expected[14] = step.byte14;
            EXPECT_EQ(RecordOf(s, kBankB, 5), expected);
            const ChannelSignalling read = ReadSignalling(s.image, kBankB, 5);
            EXPECT_EQ(read.typeBits, step.byte13 >> 4);
            EXPECT_EQ(read.autoResponse, (step.byte14 & 0x80) != 0);
            EXPECT_EQ(read.decodeCode, (step.byte14 >> 3) & 7);
        }
    }
}

TEST(PanelSignalling, IdCodesAreStoredDigitByDigitWithTheirCount) {
    struct Case {
        const char* typed;
        const char* stored;
        std::vector<uint8_t> block; // bytes 0..10
    };
    const std::vector<Case> cases = {
        {"", "", {0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0}},
        {"7", "000", {0, 0, 0, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 3}},
        {"12", "000", {0, 0, 0, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 3}},
        {"305", "305", {3, 0, 5, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 3}},
        {"0123456789", "0123456789", {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10}},
        {"0123456789555", "0123456789", {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10}},
        {"9a8-7", "987", {9, 8, 7, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 3}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.typed);
        Session s;
        const int block = SignalIdAddress(kBankA, 128);
        for (int i = 0; i < 16; ++i) {
            s.image.set(block + i, static_cast<uint8_t>(0x40 + i)); // all distinct, not digits
        }
        EXPECT_EQ(WriteIdCode(s.image, kBankA, 128, c.typed), c.stored);
        for (int i = 0; i <= 10; ++i) {
            EXPECT_EQ(s.image.at(block + i), c.block[i]) << "byte " << i;
        }
        for (int i = 11; i < 16; ++i) {
            EXPECT_EQ(s.image.at(block + i), 0x40 + i) << "byte " << i << " is not the code's";
        }
        EXPECT_EQ(ReadSignalling(s.image, kBankA, 128).idCode, c.stored);
        EXPECT_EQ(block, 0x27F0);
    }
}

TEST(PanelSignalling, DamagedIdBlocksReadAsTheDigitsTheyReallyHold) {
    struct Case {
        std::vector<uint8_t> block;
        const char* read;
    };
    const std::vector<Case> cases = {
        {std::vector<uint8_t>(16, 0xFF), ""},                           // erased: count 255
        {{1, 2, 3, 4, 5, 6, 7, 8, 9, 0, 0xFF}, "1234567890"},           // count past ten
        {{1, 2, 0xFF, 4, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 5}, "12"}, // a gap ends it
        {{4, 5, 6, 7, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 2}, "45"},    // the count rules
    };
    for (const Case& c : cases) {
        Session s;
        s.image.write(addr::kBankBSignalIds, c.block.data(), c.block.size());
        EXPECT_EQ(ReadSignalling(s.image, kBankB, 1).idCode, c.read);
    }
}

TEST(PanelSignalling, IdCodeLimitComesFromBit2Of0x0833) {
    Session s;
    for (const auto& [byte, limit] : std::vector<std::pair<uint8_t, int>>{{0x3C, 3}, {0xFB, 10}}) {
        s.image.set(addr::kIdCodeLengthByte, byte);
        EXPECT_EQ(IdCodeLimit(s.image), limit) << int(byte);
    }
    struct Edit {
        const char* before;
        const char* after;
        int limit;
        bool allowed;
    };
    const std::vector<Edit> edits = {
        {"12", "123", 3, true},
        {"123", "1234", 3, false},
        {"1234567890", "123456789", 3, true}, // a longer stored code may shrink
        {"1234567890", "1234567891", 3, false},
        {"123456789", "1234567890", 10, true},
        {"1234567890", "12345678901", 10, false},
        {"12", "12a", 10, false},
    };
    for (const Edit& e : edits) {
        EXPECT_EQ(IdCodeEditAllowed(e.before, e.after, e.limit), e.allowed)
            << e.before << " -> " << e.after;
    }
}

} // namespace
} // namespace r57::test
