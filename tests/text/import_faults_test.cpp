// Files that went wrong in dealers' hands (tests/text/faults): each one is taken exactly
// as written or refused with the lines at fault, and the result differs from the base
// in exactly the cells the file set, nowhere else.
#include "text/channel_csv.h"
#include "text/codeplug_text.h"
#include "text/other_bytes.h"

#include "core/address_map.h"
#include "core/channel.h"
#include "core/session.h"

#include <gtest/gtest.h>

#include <fstream>
#include <set>
#include <sstream>

namespace r57::text {
namespace {

std::string Fault(const std::string& name) {
    std::ifstream in(std::string(R57_SOURCE_DIR) + "/tests/text/faults/" + name, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    EXPECT_FALSE(text.str().empty()) << name;
    return text.str();
}

// Channels A3-A12 with every setting away from a new channel's, and B1.
CodeplugImage Base() {
    std::string yaml = "Channels:\n";
    for (int n = 3; n <= 12; ++n) {
        yaml += "  A" + std::to_string(n) + ":\n    RX Freq: \"446.0" + std::to_string(n % 10) +
                "\"\n    TX Freq: \"446.5\"\n    Decode: \"88.5\"\n    TX Power: Low\n"
                "    W/N: Narrow\n    BCL: QT/DQT\n    VOX: \"On\"\n    CH.Name: CH" +
                std::to_string(n) + "\n    PTT ID: Both\n    Option: Compand\n";
    }
    yaml += "  B1:\n    RX Freq: \"150.1\"\n";
    const TextImport made = ImportCodeplug(yaml, NewCodeplug(), '0');
    EXPECT_FALSE(made.error) << made.error->message();
    return made.image;
}

struct Cell {
    const char* channel; // "A5"
    int column;
    const char* text;
};

struct Outcome {
    bool refused = false;    // nothing written (r57 exits 2)
    std::vector<int> lines;  // of the values listed as refused
    std::string reasonHas;   // in the first refusal
    std::vector<Cell> cells; // every cell the import changes
};

Outcome Yaml(std::vector<int> lines, std::string reason) {
    return {true, std::move(lines), std::move(reason), {}};
}

TEST(ImportFaults, EachFileIsTakenExactlyOrRefusedWithItsLines) {
    const CodeplugImage base = Base();
    const struct {
        const char* file;
        int bank;
        Outcome want;
    } table[] = {
        {"rx-out-of-band.yaml", kBankA, Yaml({3}, "\"500\" would be stored as \"400.00000\"")},
        {"id-code-short.yaml", kBankA, Yaml({5}, "\"12\" would be stored as \"000\"")},
        {"msk-five-digits.yaml", kBankA, Yaml({2}, "\"12345\" would be stored as \"1234\"")},
        {"two-tone-high.yaml", kBankA, Yaml({2}, "\"5000.5\" would be stored as \"3000.0\"")},
        {"band-limits.yaml", kBankA, Yaml({2}, "\"100-600\" would be stored as \"400-520\"")},
        {"gain.yaml", kBankA, Yaml({2}, "\"70000\" would be stored as \"16383\"")},
        {"message-umlaut.yaml", kBankA, Yaml({3}, "would be stored as \"Zrich-T\"")},
        {"latin1.yaml", kBankA, Yaml({2}, "not UTF-8")},
        {"two-documents.yaml", kBankA, Yaml({3}, "a second document")},
        {"alias-bomb.yaml", kBankA, Yaml({1}, "more than 100000 entries")},
        // Fields in any order: RX, then TX across bands, then the rest.
        {"key-order.yaml",
         kBankA,
         {false,
          {},
          "",
          {{"A2", kColRx, "446.20000"},
           {"A2", kColTx, "150.00000"},
           {"A2", kColDecode, "None"},
           {"A2", kColEncode, "88.5"},
           {"A2", kColPower, "High"},
           {"A2", kColScan, "Add"},
           {"A2", kColWidth, "Wide"},
           {"A2", kColName, "KEYS   "},
           {"A2", kColBcl, "Off"},
           {"A2", kColPttId, "Off"},
           {"A2", kColVox, "Off"},
           {"A2", kColOption, "Off"},
           {"A2", kColScrambler, "7"}}}},
        // Only the Frequency column: every other setting of A5 stays.
        {"only-frequency.csv", kBankA, {false, {}, "", {{"A5", kColRx, "446.70000"}}}},
        {"changed-values.csv",
         kBankA,
         {false,
          {2, 3, 5, 6, 7},
          "Name \"LONGNAME12\" would be stored as \"LONGNAM\"",
          {{"A3", kColRx, "446.30000"},
           {"A3", kColName, " AB    "},
           {"A6", kColRx, "446.60000"},
           {"A6", kColName, "Six    "}}}},
        {"open-quote.csv", kBankA, {true, {}, "", {}}},
        {"no-row-taken.csv", kBankA, {true, {2, 3}, "mode AM", {}}},
        {"from-zero.csv",
         kBankB,
         {false,
          {},
          "",
          {{"B1", kColRx, "446.10000"},
           {"B1", kColTx, "446.10000"},
           {"B1", kColName, "Zero   "},
           {"B3", kColRx, "446.30000"},
           {"B3", kColTx, "446.30000"},
           {"B3", kColDecode, "None"},
           {"B3", kColEncode, "None"},
           {"B3", kColPower, "High"},
           {"B3", kColScan, "Add"},
           {"B3", kColWidth, "Wide"},
           {"B3", kColName, "Two    "},
           {"B3", kColBcl, "Off"},
           {"B3", kColPttId, "Off"},
           {"B3", kColVox, "Off"},
           {"B3", kColOption, "Off"},
           {"B3", kColScrambler, "7"}}}},
        // Location 130 of a two-bank file is B2; A3 is no channel of bank B.
        {"both-banks.csv",
         kBankB,
         {false,
          {2},
          "Location 3: no channel of bank B",
          {{"B2", kColRx, "150.20000"},
           {"B2", kColTx, "150.20000"},
           {"B2", kColDecode, "None"},
           {"B2", kColEncode, "None"},
           {"B2", kColPower, "High"},
           {"B2", kColScan, "Add"},
           {"B2", kColWidth, "Wide"},
           {"B2", kColName, "B2     "},
           {"B2", kColBcl, "Off"},
           {"B2", kColPttId, "Off"},
           {"B2", kColVox, "Off"},
           {"B2", kColOption, "Off"},
           {"B2", kColScrambler, "7"}}}},
    };
    for (const auto& row : table) {
        SCOPED_TRACE(row.file);
        const std::string text = Fault(row.file);
        CodeplugImage result;
        bool refused = false;
        std::vector<int> lines;
        std::string reason;
        if (std::string(row.file).find(".csv") != std::string::npos) {
            const CsvImport csv = ImportChannelsCsv(text, base, row.bank, 1);
            refused = !csv.error.empty();
            for (const SkippedRow& skipped : csv.skipped) {
                lines.push_back(skipped.line);
            }
            reason = csv.skipped.empty() ? csv.error : csv.skipped.front().reason;
            result = csv.image;
        } else {
            const TextImport yaml = ImportCodeplug(text, base, '0');
            refused = yaml.error.has_value();
            if (refused) {
                lines.push_back(yaml.error->line);
                reason = yaml.error->reason;
            }
            result = yaml.image;
        }
        EXPECT_EQ(refused, row.want.refused) << reason;
        EXPECT_EQ(lines, row.want.lines);
        EXPECT_NE(reason.find(row.want.reasonHas), std::string::npos) << reason;
        // Every cell as the base has it, but those the file set; and no byte changed
        // outside the channels it set.
        for (int bank : {kBankA, kBankB}) {
            CodeplugImage was = base;
            CodeplugImage now = result;
            BankTexts wanted = DecodeBank(was, bank, kEnglish);
            std::set<int> touched;
            for (const Cell& cell : row.want.cells) {
                const int channel = std::stoi(cell.channel + 1);
                if ((cell.channel[0] == 'B') == (bank == kBankB)) {
                    wanted[channel - 1][cell.column] = cell.text;
                    touched.insert(channel);
                }
            }
            const BankTexts got = DecodeBank(now, bank, kEnglish);
            for (int n = 1; n <= kChannelRows; ++n) {
                for (int c = kColRx; c < kColMore; ++c) {
                    EXPECT_EQ(got[n - 1][c], wanted[n - 1][c])
                        << ChannelLabel(bank, n) << " " << ColumnCaption(c, kEnglish);
                }
                if (touched.count(n)) {
                    continue;
                }
                for (int a = RecordAddress(bank, n); a < RecordAddress(bank, n) + 16; ++a) {
                    EXPECT_EQ(result.at(a), base.at(a)) << ChannelLabel(bank, n);
                }
            }
        }
        for (const ByteChange& change : ChangedBytes(base, result)) {
            const bool channelBytes = (change.address >= addr::kBankARecords &&
                                       change.address < addr::kBankARecords + 0x1000) ||
                                      change.address < addr::kBankARecords;
            EXPECT_TRUE(channelBytes) << AddressText(change.address);
        }
    }
}

} // namespace
} // namespace r57::text
