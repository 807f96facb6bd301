#include "sheet_fixture.h"

#include "core/strings.h"

#include <vector>

namespace r57::test {
namespace {

class FieldRules : public TwoSheets {};

// Wide receive ranges on both bands, as a service setting might leave them.
BandLimits TwoBands(int low1, int high1, int low2, int high2) {
    BandLimits bands;
    bands.low = {static_cast<int16_t>(low1), static_cast<int16_t>(low1), static_cast<int16_t>(low2),
                 static_cast<int16_t>(low2)};
    bands.high = {static_cast<int16_t>(high1), static_cast<int16_t>(high1),
                  static_cast<int16_t>(high2), static_cast<int16_t>(high2)};
    return bands;
}

TEST_F(FieldRules, ReceiveEntryIsSnappedToTheChannelGrid) {
    struct Case {
        const char* typed;
        const char* shown;
        std::array<uint8_t, 4> bytes;
    };
    const std::vector<Case> cases = {
        {"145.1234", "145.12250", {0x14, 0x51, 0x22, 0x50}}, // 2.5 kHz grid nearer
        {"145.128", "145.12750", {0x14, 0x51, 0x27, 0x50}},
        {"145.13", "145.13000", {0x14, 0x51, 0x30, 0x00}},
        {"446.003", "446.00250", {0x44, 0x60, 0x02, 0x50}},
        {"446.006", "446.00625", {0x44, 0x60, 0x06, 0x25}}, // 6.25 kHz grid nearer
        {"438", "438.00000", {0x43, 0x80, 0x00, 0x00}},
        {"174", "136.00000", {0x13, 0x60, 0x00, 0x00}}, // upper limit excluded
        {"480", "136.00000", {0x13, 0x60, 0x00, 0x00}},
        {"99", "136.00000", {0x13, 0x60, 0x00, 0x00}},
        {"x", "136.00000", {0x13, 0x60, 0x00, 0x00}}, // unreadable: lower limit of band 1
    };
    s.bands = TwoBands(136, 174, 400, 480);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.typed);
        a.commitRx(3, c.typed);
        EXPECT_EQ(a.cell(3, kColRx), c.shown);
        Bytes16 r = RecordOf(s, kBankA, 3);
        EXPECT_EQ((std::array<uint8_t, 4>{r[0], r[1], r[2], r[3]}), c.bytes);
    }
}

TEST_F(FieldRules, NewChannelGetsItsDefaultsByteForByte) {
    s.language = kEnglish;
    WriteChannelName(s.image, NameSlot(kBankA, 7), "OLDNAME");
    a.commitRx(7, "438.025");

    const Bytes16 expected = {0x43, 0x80, 0x25, 0x00, 0x43, 0x80, 0x25, 0x00,
                              0xFF, 0xFF, 0xFF, 0xFF, 0x04, 0x00, 0x46, 0x00};
    EXPECT_EQ(RecordOf(s, kBankA, 7), expected);
    const std::vector<std::string> cells = {"438.02500", "438.02500", "None", "None", "High",
                                            "Add",       "Wide",      "",     "Off",  "Off",
                                            "Off",       "Off",       "7",    ">>"};
    for (int c = kColRx; c <= kColMore; ++c) {
        EXPECT_EQ(a.cell(7, c), cells[c - 1]) << "column " << c;
    }
    EXPECT_EQ(NameOf(s, kBankA, 7), "       ");
    ExpectInStep(a, s);
}

TEST_F(FieldRules, NewChannelOutsideTheTransmitRangesIsReceiveOnly) {
    // Receive covers 136-174 and 400-490, transmit only 400-470.
    s.bands.low = {400, 400, 136, 400};
    s.bands.high = {490, 470, 174, 470};
    a.commitRx(1, "150");
    const Bytes16 expected = {0x15, 0x00, 0x00, 0x00, 0xFF, 0xFF, 0xFF, 0xFF,
                              0xFF, 0xFF, 0xFF, 0xFF, 0x04, 0x00, 0x46, 0x00};
    EXPECT_EQ(RecordOf(s, kBankA, 1), expected);
    EXPECT_EQ(a.cell(1, kColTx), "");
    EXPECT_EQ(a.cell(1, kColEncode), "");
    EXPECT_EQ(a.cell(1, kColDecode), "None");
    ExpectInStep(a, s); // a refresh shows the same receive-only channel
}

TEST_F(FieldRules, NewChannelInChinese) {
    s.language = kChinese;
    BankSheet zh(s, kBankB);
    zh.commitRx(2, "145");
    EXPECT_EQ(zh.cell(2, kColDecode), "无");
    EXPECT_EQ(zh.cell(2, kColEncode), "无");
    EXPECT_EQ(zh.cell(2, kColPower), Text(1108, kChinese));
    EXPECT_EQ(zh.cell(2, kColScan), Text(1322, kChinese));
    EXPECT_EQ(zh.cell(2, kColWidth), Text(1110, kChinese));
    EXPECT_EQ(zh.cell(2, kColBcl), Text(1113, kChinese));
    EXPECT_NE(zh.cell(2, kColPower), "High");
    ExpectInStep(zh, s);
}

TEST_F(FieldRules, ReceiveChangeAcross174MHzPullsTransmitAlong) {
    struct Case {
        const char* rx;
        const char* tx;
        const char* newRx;
        const char* expectedTx;
    };
    const std::vector<Case> cases = {
        {"145.5", "145.5", "435", "435.00000"}, // VHF to UHF
        {"145.5", "145.5", "146", "145.50000"}, // same side: transmit kept
        {"435", "435", "150", "150.00000"},     // UHF to VHF
        {"435", "440", "445", "440.00000"},     // a UHF split stays
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.rx) + " -> " + c.newRx);
        a.commitRx(9, "");
        a.commitRx(9, c.rx);
        a.commitTx(9, c.tx);
        a.commitTone(9, kColEncode, "67.0");
        a.commitRx(9, c.newRx);
        EXPECT_EQ(a.cell(9, kColTx), c.expectedTx);
        EXPECT_EQ(a.cell(9, kColEncode), "67.0"); // an existing channel keeps its tones
        ExpectInStep(a, s);
    }
}

TEST_F(FieldRules, ReceiveChangeKeepsAnExistingChannelsFields) {
    a.commitRx(4, "435");
    a.commitChoice(4, kColPower, "Low");
    a.commitName(4, "REPEAT");
    // Decode bytes the codec cannot show (an empty decode cell): still an existing
    // channel, so retyping the frequency must not reset it.
    Bytes16 r = RecordOf(s, kBankA, 4);
    r[9] = 0x50;
    SetRecord(s, kBankA, 4, r);
    a.refresh();
    ASSERT_EQ(a.cell(4, kColDecode), "");

    a.commitRx(4, "436");
    EXPECT_EQ(a.cell(4, kColPower), "Low");
    EXPECT_EQ(a.cell(4, kColName), "REPEAT ");
    EXPECT_EQ(NameOf(s, kBankA, 4), "REPEAT ");
    EXPECT_EQ(RecordOf(s, kBankA, 4)[12] & 0x04, 0);
}

TEST_F(FieldRules, EmptyReceiveDeletesTheChannelAndItsName) {
    a.commitRx(5, "435");
    a.commitName(5, "ABC");
    a.commitRx(5, "");
    EXPECT_EQ(RecordOf(s, kBankA, 5), Erased());
    for (int c = kColRx; c < kColumnCount; ++c) {
        EXPECT_EQ(a.cell(5, c), "");
    }
    EXPECT_EQ(NameOf(s, kBankA, 5), "       ");
    EXPECT_EQ(a.cell(5, kColLabel), "A5");
}

TEST_F(FieldRules, TransmitRule) {
    a.commitRx(1, "435");
    a.commitTone(1, kColEncode, "D023N");
    a.commitTx(1, "");
    Bytes16 r = RecordOf(s, kBankA, 1);
    for (int i : {4, 5, 6, 7, 10, 11}) {
        EXPECT_EQ(r[i], 0xFF) << i;
    }
    EXPECT_EQ(a.cell(1, kColTx), "");
    EXPECT_EQ(a.cell(1, kColEncode), "");

    a.commitTx(1, "445.00625");
    r = RecordOf(s, kBankA, 1);
    EXPECT_EQ((std::array<uint8_t, 4>{r[4], r[5], r[6], r[7]}),
              (std::array<uint8_t, 4>{0x44, 0x50, 0x06, 0x25}));
    EXPECT_EQ(a.cell(1, kColEncode), "None");
    a.commitTx(1, "500"); // out of range: lower transmit limit of band 1
    EXPECT_EQ(a.cell(1, kColTx), "400.00000");
    ExpectInStep(a, s);
}

TEST_F(FieldRules, ToneRule) {
    struct Case {
        int column;
        const char* text;
        uint8_t low, high;
        const char* shown;
    };
    const std::vector<Case> cases = {
        {kColDecode, "67.0", 0x70, 0x06, "67.0"},
        {kColDecode, "88.5", 0x85, 0x08, "88.5"},
        {kColEncode, "254.1", 0x41, 0x25, "254.1"},
        {kColEncode, "100.0", 0x00, 0x10, "100.0"}, // typed, not in the list
        {kColDecode, "D023N", 0x23, 0x80, "D023N"},
        {kColEncode, "D754I", 0x54, 0xC7, "D754I"},
        {kColDecode, "d023n", 0x23, 0x80, "D023N"},
        {kColDecode, "None", 0xFF, 0xFF, "None"},
        {kColDecode, "无", 0xFF, 0xFF, "None"},
        {kColEncode, "", 0xFF, 0xFF, "None"},
        {kColEncode, "abc", 0xFF, 0xFF, "None"}, // not a tone: no tone
        {kColEncode, "D0", 0xFF, 0xFF, "None"},
        {kColEncode, "D089N", 0xFF, 0xFF, "None"}, // 8 and 9 are no DQT digits
        {kColEncode, "0.0", 0xFF, 0xFF, "None"},
    };
    a.commitRx(2, "435");
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        a.commitTone(2, c.column, c.text);
        Bytes16 r = RecordOf(s, kBankA, 2);
        int at = c.column == kColDecode ? 8 : 10;
        EXPECT_EQ(r[at], c.low);
        EXPECT_EQ(r[at + 1], c.high);
        EXPECT_EQ(a.cell(2, c.column), c.shown);
    }
    ExpectInStep(a, s);
}

TEST_F(FieldRules, NoEncodeToneOnAReceiveOnlyChannel) {
    a.commitRx(2, "435");
    a.commitTx(2, "");
    a.commitTone(2, kColEncode, "67.0");
    EXPECT_EQ(a.cell(2, kColEncode), "");
    EXPECT_EQ(RecordOf(s, kBankA, 2)[11], 0xFF);
}

TEST_F(FieldRules, ChoiceBits) {
    struct Case {
        int language;
        int column;
        std::string text;
        int byte;
        uint8_t mask;
        uint8_t expected; // the masked bits after the commit
    };
    const std::vector<Case> cases = {
        {kEnglish, kColPower, "Low", 12, 0x04, 0x00},
        {kEnglish, kColPower, "High", 12, 0x04, 0x04},
        {kEnglish, kColPower, "?", 12, 0x04, 0x00},
        {kEnglish, kColScan, "Del", 14, 0x40, 0x00},
        {kEnglish, kColScan, "Add", 14, 0x40, 0x40},
        {kEnglish, kColWidth, "Narrow", 13, 0x08, 0x08},
        {kEnglish, kColWidth, "Wide", 13, 0x08, 0x00},
        {kEnglish, kColBcl, "QT/DQT", 13, 0x03, 0x02},
        {kEnglish, kColBcl, "Carrier", 13, 0x03, 0x01},
        {kEnglish, kColBcl, "Off", 13, 0x03, 0x00},
        {kEnglish, kColPttId, "BOT", 12, 0x30, 0x10},
        {kEnglish, kColPttId, "EOT", 12, 0x30, 0x20},
        {kEnglish, kColPttId, "Both", 12, 0x30, 0x30},
        {kEnglish, kColPttId, "Off", 12, 0x30, 0x00},
        {kEnglish, kColVox, "On", 13, 0x04, 0x04},
        {kEnglish, kColVox, "Off", 13, 0x04, 0x00},
        {kEnglish, kColOption, "Compand", 12, 0x03, 0x01},
        {kEnglish, kColOption, "Scramble", 12, 0x03, 0x02},
        {kEnglish, kColOption, "Nonsense", 12, 0x03, 0x02}, // option: no change
        {kEnglish, kColOption, "Off", 12, 0x03, 0x00},
        {kEnglish, kColScrambler, "1", 14, 0x07, 0x00},
        {kEnglish, kColScrambler, "8", 14, 0x07, 0x07},
        {kEnglish, kColScrambler, "9", 14, 0x07, 0x07}, // not a group: no change
        {kChinese, kColPower, Text(1109, kChinese), 12, 0x04, 0x00},
        {kChinese, kColPower, "High", 12, 0x04, 0x00}, // English text in Chinese
        {kChinese, kColPower, Text(1108, kChinese), 12, 0x04, 0x04},
        {kChinese, kColBcl, Text(1286, kChinese), 13, 0x03, 0x01},
        {kChinese, kColOption, Text(1318, kChinese), 12, 0x03, 0x02},
        {kChinese, kColVox, Text(1114, kChinese), 13, 0x04, 0x04},
    };
    a.commitRx(6, "435");
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        s.language = c.language;
        Bytes16 before = RecordOf(s, kBankA, 6);
        a.commitChoice(6, c.column, c.text);
        Bytes16 after = RecordOf(s, kBankA, 6);
        EXPECT_EQ(after[c.byte] & c.mask, c.expected);
        EXPECT_EQ(after[c.byte] & ~c.mask, before[c.byte] & ~c.mask); // other bits kept
        for (int i = 0; i < 16; ++i) {
            if (i != c.byte) {
                EXPECT_EQ(after[i], before[i]) << "byte " << i;
            }
        }
        EXPECT_EQ(a.cell(6, c.column), ChoiceText(after.data(), c.column, c.language));
    }
}

TEST_F(FieldRules, NameRule) {
    struct Case {
        const char* typed;
        const char* cell;
        const char* stored;
    };
    const std::vector<Case> cases = {
        {"CALL", "CALL", "CALL   "},
        {"ABCDEFGHIJ", "ABCDEFG", "ABCDEFG"}, // seven at most
        {"a{b|c}d", "abcd", "abcd   "},       // beyond "z" dropped
        {"x\ty\n", "xy", "xy     "},          // control characters dropped
        {"名Z", "Z", "Z      "},              // no multi-byte characters
        {"", "", "       "},
    };
    b.commitRx(100, "435");
    for (const Case& c : cases) {
        SCOPED_TRACE(c.typed);
        b.commitName(100, c.typed);
        EXPECT_EQ(b.cell(100, kColName), c.cell);
        EXPECT_EQ(NameOf(s, kBankB, 100), c.stored);
    }
    // Bank B channel 100 is name slot 228; bank A's slot 100 stays untouched.
    EXPECT_EQ(s.image.at(NameAddress(100)), 0xFF);
}

TEST_F(FieldRules, EmptyRowsAcceptOnlyAReceiveFrequency) {
    const CodeplugImage before = s.image;
    a.commitCell(8, kColTx, "435");
    a.commitCell(8, kColDecode, "67.0");
    a.commitCell(8, kColPower, "Low");
    a.commitCell(8, kColName, "X");
    a.commitCell(8, kColMore, ">>");
    a.commitCell(0, kColRx, "435");
    a.commitCell(129, kColRx, "435");
    EXPECT_TRUE(s.image == before);
    for (int c = kColRx; c < kColumnCount; ++c) {
        EXPECT_EQ(a.cell(8, c), "");
    }
}

TEST_F(FieldRules, CommitCellDispatchesByColumn) {
    a.commitCell(1, kColRx, "435");
    a.commitCell(1, kColTx, "440");
    a.commitCell(1, kColDecode, "D023N");
    a.commitCell(1, kColWidth, "Narrow");
    a.commitCell(1, kColName, "HOME");
    EXPECT_EQ(a.cell(1, kColTx), "440.00000");
    EXPECT_EQ(a.cell(1, kColDecode), "D023N");
    EXPECT_EQ(a.cell(1, kColWidth), "Narrow");
    EXPECT_EQ(NameOf(s, kBankA, 1), "HOME   ");
    ExpectInStep(a, s);
}

TEST_F(FieldRules, BandsBelow100MHzStoreTheRightDigits) {
    s.bands = TwoBands(66, 88, 400, 480);
    a.commitRx(1, "70.0125");
    EXPECT_EQ(a.cell(1, kColRx), "70.01250");
    Bytes16 r = RecordOf(s, kBankA, 1);
    EXPECT_EQ((std::array<uint8_t, 4>{r[0], r[1], r[2], r[3]}),
              (std::array<uint8_t, 4>{0x07, 0x00, 0x12, 0x50}));
    ExpectInStep(a, s);
}

} // namespace
} // namespace r57::test
