// Channels in the common CSV layout: a file written by hand with every Tone mode and
// the rows the radio cannot hold, and the way back.
#include "text/channel_csv.h"
#include "text/codeplug_text.h"

#include "core/channel.h"
#include "core/session.h"

#include <gtest/gtest.h>

namespace r57::text {
namespace {

// Rows by hand as a spreadsheet saves them: byte-order mark, CR LF, quoted fields, the
// columns in another order and some missing.
const char kHandWritten[] =
    "\xEF\xBB\xBF"
    "Location,Name,Frequency,Duplex,Offset,Tone,rToneFreq,cToneFreq,DtcsCode,DtcsPolarity,"
    "RxDtcsCode,CrossMode,Mode,Skip,Power\r\n"
    "0,Simplex,446.006250,,0.000000,,88.5,88.5,023,NN,023,Tone->Tone,FM,,High\r\n"
    "1,\"Rpt, up\",438.650000,-,7.600000,Tone,123.0,88.5,023,NN,023,Tone->Tone,NFM,S,Low\r\n"
    "2,TSQL,460.125000,+,5.000000,TSQL,88.5,156.7,023,NN,023,Tone->Tone,FM,,5.0W\r\n"
    "3,DTCS,151.625000,,0,DTCS,88.5,88.5,754,RN,023,Tone->Tone,FM,,1.0W\r\n"
    "4,X1,446.1,,0,Cross,100.0,110.9,023,NN,023,Tone->Tone,FM,,\r\n"
    "5,X2,446.1,,0,Cross,100.0,88.5,023,NR,065,Tone->DTCS,FM,,\r\n"
    "6,X3,446.1,,0,Cross,88.5,71.9,116,RN,023,DTCS->Tone,FM,,\r\n"
    "7,X4,446.1,,0,Cross,88.5,71.9,023,NN,023,->Tone,FM,,\r\n"
    "8,X5,446.1,,0,Cross,88.5,88.5,023,NR,031,->DTCS,FM,,\r\n"
    "9,X6,446.1,,0,Cross,88.5,88.5,025,NN,023,DTCS->,FM,,\r\n"
    "10,X7,446.1,,0,Cross,88.5,88.5,025,RR,026,DTCS->DTCS,FM,,\r\n"
    "11,\"Listen\",162.550000,off,0,,88.5,88.5,023,NN,023,Tone->Tone,FM,,\r\n"
    "12,X band,145.500000,split,435.500000,,88.5,88.5,023,NN,023,Tone->Tone,FM,,\r\n"
    "13,CB,27.185000,,0,,88.5,88.5,023,NN,023,Tone->Tone,FM,,\r\n"
    "14,Airband,127.500000,,0,,88.5,88.5,023,NN,023,Tone->Tone,AM,,\r\n"
    "15,DStar,145.375000,,0,,88.5,88.5,023,NN,023,Tone->Tone,DV,,\r\n"
    "16,Odd tone,446.2,,0,Tone,88.6,88.5,023,NN,023,Tone->Tone,FM,,\r\n"
    "17,Odd code,446.2,,0,DTCS,88.5,88.5,999,NN,023,Tone->Tone,FM,,\r\n"
    "18,Far shift,145.5,+,400,,88.5,88.5,023,NN,023,Tone->Tone,FM,,\r\n"
    "\r\n"
    "19,Last,170.0,,0,,,,,,,,FM,,\r\n"
    "20,Huge shift,438.65,-,77777777777777777777,,,,,,,,FM,,\r\n";

TEST(ChannelCsv, HandWrittenRowsGoThroughTheGridRules) {
    const CsvImport result = ImportChannelsCsv(kHandWritten, NewCodeplug(), kBankB, 3);
    ASSERT_EQ(result.error, "");
    CodeplugImage image = result.image;
    const BankTexts rows = DecodeBank(image, kBankB, kEnglish);
    // Columns: RX, TX, decode, encode, power, scan, W/N, name.
    const struct {
        int channel;
        std::vector<std::string> cells;
    } expected[] = {
        {3, {"446.00625", "446.00625", "None", "None", "High", "Add", "Wide", "Simplex"}},
        {4, {"438.65000", "431.05000", "None", "123.0", "Low", "Del", "Narrow", "Rpt, up"}},
        {5, {"460.12500", "465.12500", "156.7", "156.7", "High", "Add", "Wide", "TSQL   "}},
        {6, {"151.62500", "151.62500", "D754N", "D754I", "Low", "Add", "Wide", "DTCS   "}},
        {7, {"446.10000", "446.10000", "110.9", "100.0", "High", "Add", "Wide", "X1     "}},
        {8, {"446.10000", "446.10000", "D065I", "100.0", "High", "Add", "Wide", "X2     "}},
        {9, {"446.10000", "446.10000", "71.9", "D116I", "High", "Add", "Wide", "X3     "}},
        {10, {"446.10000", "446.10000", "71.9", "None", "High", "Add", "Wide", "X4     "}},
        {11, {"446.10000", "446.10000", "D031I", "None", "High", "Add", "Wide", "X5     "}},
        {12, {"446.10000", "446.10000", "None", "D025N", "High", "Add", "Wide", "X6     "}},
        {13, {"446.10000", "446.10000", "D026I", "D025I", "High", "Add", "Wide", "X7     "}},
        {14, {"162.55000", "", "None", "", "High", "Add", "Wide", "Listen "}},
        {15, {"145.50000", "435.50000", "None", "None", "High", "Add", "Wide", "X band "}},
        {22, {"170.00000", "170.00000", "None", "None", "High", "Add", "Wide", "Last   "}},
    };
    for (const auto& row : expected) {
        SCOPED_TRACE(row.channel);
        for (int c = kColRx; c <= kColName; ++c) {
            EXPECT_EQ(rows[row.channel - 1][c], row.cells[c - 1]) << ColumnCaption(c, kEnglish);
        }
    }
    // Skipped rows leave their channel as it was: empty.
    for (int channel : {16, 17, 18, 19, 20, 21, 23}) {
        EXPECT_EQ(rows[channel - 1][kColRx], "") << channel;
    }
    EXPECT_EQ(result.rows, (std::vector<int>{3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 22}));
    const std::vector<std::pair<int, std::string>> skipped = {
        {15, "receive frequency 27.185000 MHz: outside the radio's bands"},
        {16, "mode AM: the radio has FM and NFM only"},
        {17, "digital mode DV: the radio has FM and NFM only"},
        {18, "QT tone 88.6: not one the radio has"},
        {19, "DQT code 999: not one the radio has"},
        {20, "transmit frequency 545.500000 MHz: outside the radio's bands"},
        {23, "Offset 77777777777777777777: not a frequency in MHz"},
    };
    ASSERT_EQ(result.skipped.size(), skipped.size());
    for (std::size_t i = 0; i < skipped.size(); ++i) {
        EXPECT_EQ(result.skipped[i].line, skipped[i].first);
        EXPECT_EQ(result.skipped[i].reason, skipped[i].second);
    }
}

TEST(ChannelCsv, LocationIsTheChannelAndWhatIsNoChannelListIsRefused) {
    const std::string header = "Location,Frequency\n";
    const std::string rows = "7,446.1\n5,446.2\n7,446.3\n9,446.4\n";
    const CsvImport placed = ImportChannelsCsv(header + rows, NewCodeplug(), kBankA, 1);
    EXPECT_EQ(placed.rows, (std::vector<int>{7, 5, 9}));
    ASSERT_EQ(placed.skipped.size(), 1u);
    EXPECT_EQ(placed.skipped[0].reason, "Location 7 given twice");
    // --start moves the channels; one that falls off the bank is refused, never moved.
    const CsvImport moved = ImportChannelsCsv(header + rows, NewCodeplug(), kBankA, 122);
    EXPECT_EQ(moved.rows, (std::vector<int>{128, 126}));
    ASSERT_EQ(moved.skipped.size(), 2u);
    EXPECT_EQ(moved.skipped[1].reason, "Location 9: no channel of bank A from A122");
    // Without a Location column, the rows follow each other.
    const CsvImport ordered =
        ImportChannelsCsv("Frequency\r\n446.1\r\n446.2", NewCodeplug(), kBankA, 1);
    EXPECT_EQ(ordered.rows, (std::vector<int>{1, 2}));

    for (const char* file : {"", "Name,Freq\n,446.1\n", "\"Frequency\n446.1",
                             "Location,Frequency\n1,27.1\n", "Location,Frequency\n"}) {
        const CsvImport refused = ImportChannelsCsv(file, NewCodeplug(), kBankA, 1);
        EXPECT_NE(refused.error, "") << file;
        EXPECT_TRUE(refused.image == NewCodeplug());
    }
}

TEST(ChannelCsv, ExportedChannelsComeBackTheSame) {
    const CsvImport made = ImportChannelsCsv(kHandWritten, NewCodeplug(), kBankA, 1);
    const std::string csv = ExportChannelsCsv(made.image, CsvBanks::A);
    EXPECT_EQ(csv.substr(0, csv.find("\r\n")), kCsvHeader);
    EXPECT_NE(csv.find("\r\n2,\"Rpt, up\",438.650000,-,7.600000,Tone,123.0,88.5,023,NN,023,"
                       "Tone->Tone,NFM,25.00,S,Low,A2,,,,\r\n"),
              std::string::npos)
        << csv;
    EXPECT_NE(csv.find(",X band,145.500000,split,435.500000,"), std::string::npos);
    EXPECT_NE(csv.find(",162.550000,off,0.000000,"), std::string::npos);
    const CsvImport back = ImportChannelsCsv(csv, NewCodeplug(), kBankA, 1);
    EXPECT_TRUE(back.skipped.empty());
    EXPECT_TRUE(ChangedBytes(made.image, back.image).empty());
    EXPECT_EQ(ExportChannelsCsv(NewCodeplug(), CsvBanks::Both), std::string(kCsvHeader) + "\r\n");
}

} // namespace
} // namespace r57::text
