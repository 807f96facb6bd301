// Channels from the common CSV layout into a bank, through the grid's field rules.
#include "text/channel_csv.h"

#include "text/csv_layout.h"
#include "text/csv_table.h"

#include "model/sheet/bank_sheet.h"
#include "model/sheet/grid_rules.h"

#include "core/band_limits.h"
#include "core/codecs.h"
#include "core/message_ids.h"
#include "core/session.h"
#include "core/strings.h"

#include <algorithm>
#include <cctype>
#include <set>

namespace r57::text {

using namespace csv;

namespace {

// What a CSV row asks of a channel, checked against what the radio can hold. A part
// the file has no column for is left as the channel has it.
struct ChannelPlan {
    std::string rx;
    std::optional<std::string> tx; // "" receive only
    bool tones = false;            // the file gives the Tone mode
    std::string decode;
    std::string encode;
    std::optional<bool> high;
    std::optional<bool> scan;
    std::optional<bool> narrow;
    std::optional<std::string> name;
};

class RowReader {
public:
    RowReader(const std::vector<int>& columns, const CsvRecord& record)
        : columns_(columns), record_(record) {}

    std::string get(int column) const { return Trim(raw(column)); }
    std::string raw(int column) const {
        const int at = columns_[column];
        return at >= 0 && at < static_cast<int>(record_.fields.size()) ? record_.fields[at]
                                                                       : std::string();
    }
    bool has(int column) const { return columns_[column] >= 0; }
    int fileColumn(int column) const { return columns_[column] + 1; }

private:
    const std::vector<int>& columns_;
    const CsvRecord& record_;
};

const std::vector<std::string>& Tones() {
    static const std::vector<std::string> kTones = BuildToneList(kEnglish);
    return kTones;
}

bool IsOneOf(const std::string& text, std::initializer_list<const char*> words) {
    return std::any_of(words.begin(), words.end(), [&](const char* w) { return text == w; });
}

// "" when the tone names a QT tone or DQT code the radio has; `out` gets its list text.
std::string QtTone(const std::string& text, std::string& out) {
    const auto found = MatchTone(text, Tones());
    if (!found || !std::isdigit(static_cast<unsigned char>((*found)[0]))) {
        return "QT tone " + text + ": not one the radio has";
    }
    out = *found;
    return {};
}

std::string DqtTone(std::string code, char polarity, std::string& out) {
    if (code.empty() || code.size() > 3 ||
        code.find_first_not_of("01234567") != std::string::npos) {
        return "DQT code " + code + ": not one the radio has";
    }
    code = std::string(3 - code.size(), '0') + code;
    if (polarity != 'N' && polarity != 'R') {
        return "DtcsPolarity: N or R for each side";
    }
    const auto found = MatchTone("D" + code + (polarity == 'N' ? "N" : "I"), Tones());
    if (!found) {
        return "DQT code " + code + ": not one the radio has";
    }
    out = *found;
    return {};
}

std::string PlanTones(const RowReader& in, ChannelPlan& plan) {
    plan.tones = in.has(kTone);
    if (!plan.tones) {
        return {};
    }
    const std::string none = Text(kTextNone, kEnglish);
    plan.decode = plan.encode = none;
    std::string mode = in.get(kTone);
    std::string polarity = Upper(in.get(kDtcsPolarity));
    if (polarity.empty()) {
        polarity = "NN";
    }
    if (polarity.size() != 2) {
        return "DtcsPolarity " + polarity + ": two letters, N or R";
    }
    auto qt = [&](int column, std::string& out) {
        return QtTone(in.get(column), out);
    };
    auto dqt = [&](int column, char pol, std::string& out) {
        return DqtTone(in.get(column), pol, out);
    };
    if (mode.empty()) {
        return {};
    }
    if (mode == "Tone") {
        return qt(kRTone, plan.encode);
    }
    if (mode == "TSQL") {
        std::string problem = qt(kCTone, plan.decode);
        plan.encode = plan.decode;
        return problem;
    }
    if (mode == "DTCS") {
        std::string problem = dqt(kDtcsCode, polarity[0], plan.encode);
        return problem.empty() ? dqt(kDtcsCode, polarity[1], plan.decode) : problem;
    }
    if (mode != "Cross") {
        return "Tone " + mode + ": none of Tone, TSQL, DTCS and Cross";
    }
    const std::string cross = in.get(kCrossMode);
    const std::size_t arrow = cross.find("->");
    const std::string txSide = cross.substr(0, arrow);
    const std::string rxSide = arrow == std::string::npos ? "" : cross.substr(arrow + 2);
    if (arrow == std::string::npos || !IsOneOf(txSide, {"", "Tone", "DTCS"}) ||
        !IsOneOf(rxSide, {"", "Tone", "DTCS"}) || (txSide.empty() && rxSide.empty())) {
        return "CrossMode " + cross + ": not a cross mode";
    }
    std::string problem;
    if (txSide == "Tone") {
        problem = qt(kRTone, plan.encode);
    } else if (txSide == "DTCS") {
        problem = dqt(kDtcsCode, polarity[0], plan.encode);
    }
    if (!problem.empty()) {
        return problem;
    }
    if (rxSide == "Tone") {
        return qt(kCTone, plan.decode);
    }
    if (rxSide == "DTCS") {
        return dqt(kRxDtcsCode, polarity[1], plan.decode);
    }
    return {};
}

std::string PlanFrequencies(const RowReader& in, const BandLimits& bands, ChannelPlan& plan) {
    const std::string given = in.get(kFrequency);
    const std::optional<long long> rx = ParseHz(given);
    if (!rx || *rx == 0) {
        return "Frequency " + given + ": not a frequency in MHz";
    }
    plan.rx = MhzText(*rx);
    if (!FrequencyInBand(plan.rx, 0, bands)) {
        return "receive frequency " + plan.rx + " MHz: outside the radio's bands";
    }
    if (!in.has(kDuplex)) {
        return {}; // the transmit frequency stays as the channel has it
    }
    const std::string duplex = in.get(kDuplex);
    const std::string offsetText = in.get(kOffset);
    const std::optional<long long> offset = offsetText.empty() ? 0 : ParseHz(offsetText);
    long long tx = *rx;
    if (duplex == "off") {
        plan.tx = "";
        return {};
    }
    if (!IsOneOf(duplex, {"", "+", "-", "split"})) {
        return "Duplex " + duplex + ": none of +, -, split and off";
    }
    if (!offset) {
        return "Offset " + offsetText + ": not a frequency in MHz";
    }
    if (duplex == "+") {
        tx = *rx + *offset;
    } else if (duplex == "-") {
        tx = *rx - *offset;
    } else if (duplex == "split") {
        tx = *offset;
    }
    plan.tx = MhzText(tx < 0 ? 0 : tx);
    if (tx <= 0 || !FrequencyInBand(*plan.tx, 1, bands)) {
        return "transmit frequency " + *plan.tx + " MHz: outside the radio's bands";
    }
    return {};
}

std::string PlanRow(const RowReader& in, const BandLimits& bands, ChannelPlan& plan) {
    const std::string mode = Upper(in.get(kMode));
    if (!IsOneOf(mode, {"", "FM", "NFM"})) {
        const bool digital = IsOneOf(mode, {"DV", "DMR", "DN", "P25", "NXDN", "DPMR", "M17",
                                            "DSTAR", "D-STAR", "C4FM", "DIG", "TETRA"});
        return std::string(digital ? "digital mode " : "mode ") + in.get(kMode) +
               ": the radio has FM and NFM only";
    }
    if (!mode.empty()) {
        plan.narrow = mode == "NFM";
    }
    if (std::string problem = PlanFrequencies(in, bands, plan); !problem.empty()) {
        return problem;
    }
    if (std::string problem = PlanTones(in, plan); !problem.empty()) {
        return problem;
    }
    const std::string power = Upper(in.get(kPower));
    if (power.empty()) {
        // the channel's power stays
    } else if (power[0] == 'H') {
        plan.high = true;
    } else if (power[0] == 'L') {
        plan.high = false;
    } else {
        const std::string number = power.back() == 'W' ? power.substr(0, power.size() - 1) : power;
        const std::optional<long long> watts = ParseHz(number);
        if (!watts) {
            return "Power " + in.get(kPower) + ": not High, Low or a power in watts";
        }
        plan.high = *watts > 2 * kHz; // up to 2 W is the radio's low power
    }
    if (in.has(kSkip)) {
        plan.scan = Upper(in.get(kSkip)) != "S";
    }
    if (in.has(kName)) {
        // Leading blanks are part of a name; trailing ones are its padding.
        std::string name = in.raw(kName);
        name.erase(name.find_last_not_of(' ') + 1);
        plan.name = name;
    }
    return {};
}

// A value the grid's rules stored otherwise than the file wrote it.
struct Changed {
    int column = kLocation; // the file's column
    std::string written;
    std::string stored;
};

bool SameFrequency(const std::string& shown, const std::string& planned) {
    const auto x = ParseHz(shown);
    const auto y = ParseHz(planned);
    return x && y && *x == *y;
}

// Writes the plan through the grid's field rules, in the grid's column order; the first
// value they store otherwise, if any.
std::optional<Changed> WriteChannel(BankSheet& sheet, int row, const ChannelPlan& plan,
                                    const RowReader& in) {
    const auto differs = [&](int cell, const std::string& wanted) {
        std::string shown = sheet.cell(row, cell);
        shown.erase(shown.find_last_not_of(' ') + 1);
        return shown != wanted;
    };
    const auto shown = [&](int cell) {
        std::string text = sheet.cell(row, cell);
        text.erase(text.find_last_not_of(' ') + 1);
        return text;
    };
    sheet.commitRx(row, plan.rx);
    if (!SameFrequency(sheet.cell(row, kColRx), plan.rx)) {
        return Changed{kFrequency, in.get(kFrequency), shown(kColRx)};
    }
    if (plan.tx) {
        sheet.commitTx(row, *plan.tx);
        const bool same = plan.tx->empty() ? sheet.cell(row, kColTx).empty()
                                           : SameFrequency(sheet.cell(row, kColTx), *plan.tx);
        if (!same) {
            return Changed{in.has(kOffset) && !plan.tx->empty() ? kOffset : kDuplex, *plan.tx,
                           shown(kColTx)};
        }
    }
    if (plan.tones) {
        sheet.commitTone(row, kColDecode, plan.decode);
        if (differs(kColDecode, plan.decode)) {
            return Changed{kTone, plan.decode, shown(kColDecode)};
        }
        if (!sheet.cell(row, kColTx).empty()) {
            sheet.commitTone(row, kColEncode, plan.encode);
            if (differs(kColEncode, plan.encode)) {
                return Changed{kTone, plan.encode, shown(kColEncode)};
            }
        }
    }
    const auto choice = [&](const std::optional<bool>& value, int cell, int first, int second,
                            int column) -> std::optional<Changed> {
        if (!value) {
            return std::nullopt;
        }
        const std::string text = Text(*value ? first : second, kEnglish);
        sheet.commitChoice(row, cell, text);
        if (differs(cell, text)) {
            return Changed{column, in.get(column), shown(cell)};
        }
        return std::nullopt;
    };
    if (auto changed = choice(plan.high, kColPower, kTextHigh, kTextLow, kPower)) {
        return changed;
    }
    if (auto changed = choice(plan.scan, kColScan, kTextAdd, kTextDel, kSkip)) {
        return changed;
    }
    if (auto changed = choice(plan.narrow, kColWidth, kTextNarrow, kTextWide, kMode)) {
        return changed;
    }
    if (plan.name) {
        sheet.commitName(row, *plan.name);
        if (differs(kColName, *plan.name)) {
            return Changed{kName, *plan.name, shown(kColName)};
        }
    }
    return std::nullopt;
}

// Whether the row says what the channel holds already, column by column as the export
// writes it: then it is no change, and no rule runs on it (a stored value the rules
// would not take, such as a frequency outside the band limits, stays as stored).
bool SaysWhatTheChannelHolds(const RowReader& in, const BankSheet& sheet, int row) {
    if (!sheet.rowUsed(row)) {
        return false;
    }
    BankRow cells;
    for (int c = 0; c < kColumnCount; ++c) {
        cells[c] = sheet.cell(row, c);
    }
    const std::vector<std::string> now = ExportRow(row, "", cells);
    for (int c = kName; c <= kPower; ++c) {
        if (c == kTStep || !in.has(c)) {
            continue;
        }
        std::string given = c == kName ? in.raw(c) : in.get(c);
        if (c == kName) {
            given.erase(given.find_last_not_of(' ') + 1);
        }
        if (given != now[c]) {
            return false;
        }
    }
    return true;
}

// The bytes that are a channel's own in the image: its record and its name.
void CopyChannel(const CodeplugImage& from, CodeplugImage& to, int bank, int row) {
    uint8_t bytes[16];
    from.read(RecordAddress(bank, row), bytes, 16);
    to.write(RecordAddress(bank, row), bytes, 16);
    const int name = NameAddress(NameSlot(bank, row));
    from.read(name, bytes, 7);
    to.write(name, bytes, 7);
}

std::optional<long long> LocationOf(const std::string& text) {
    if (text.empty() || text.size() > 9 ||
        text.find_first_not_of("0123456789") != std::string::npos) {
        return std::nullopt;
    }
    return std::stoll(text);
}

} // namespace

CsvImport ImportChannelsCsv(std::string_view csv, const CodeplugImage& base, int bank,
                            int startRow) {
    CsvImport result;
    result.image = base;
    int openQuote = 0;
    const std::vector<CsvRecord> records = ReadCsv(csv, &openQuote);
    if (openQuote > 0) {
        result.error =
            "line " + std::to_string(openQuote) + ": a quote opened here is never closed";
        return result;
    }
    std::vector<int> columns(kCsvColumns, -1);
    if (!records.empty()) {
        const std::vector<std::string> names = HeaderNames();
        const std::vector<std::string>& header = records.front().fields;
        for (int c = 0; c < kCsvColumns; ++c) {
            for (std::size_t i = 0; i < header.size(); ++i) {
                if (Upper(Trim(header[i])) == Upper(names[c])) {
                    columns[c] = static_cast<int>(i);
                }
            }
        }
    }
    if (columns[kFrequency] < 0) {
        result.error = "not a channel list: the first line names no Frequency column";
        return result;
    }
    // Location is the channel: 1..128 of one bank, bank B 129..256 when the file holds
    // both, counted from 0 when the file starts there (as the common layout numbers
    // memories). Without a Location column the rows follow each other.
    const bool located = columns[kLocation] >= 0;
    bool fromZero = false;
    long long highest = 0;
    for (std::size_t i = 1; i < records.size() && located; ++i) {
        const auto location = LocationOf(RowReader(columns, records[i]).get(kLocation));
        fromZero = fromZero || location == 0;
        highest = std::max(highest, location.value_or(0));
    }
    const bool bothBanks = highest >= kChannelRows + (fromZero ? 0 : 1);
    const long long first = (fromZero ? 0 : 1) + (bothBanks && bank == kBankB ? kChannelRows : 0);

    Session session;
    session.language = kEnglish;
    session.image = base;
    session.bands = DecodeBandLimits(base);
    BankSheet sheet(session, bank == kBankB ? kBankB : kBankA);
    sheet.refresh();
    const CodeplugImage start = session.image;
    std::set<int> taken;
    std::vector<int> written;
    for (std::size_t i = 1; i < records.size(); ++i) {
        const RowReader in(columns, records[i]);
        const std::string location = in.get(kLocation);
        auto skip = [&](const std::string& reason, int column = 0) {
            result.skipped.push_back({records[i].line, location, reason, column});
        };
        long long row = startRow + static_cast<long long>(i) - 1;
        if (located) {
            const std::optional<long long> channel = LocationOf(location);
            if (!channel) {
                skip(location.empty() ? "no Location: the channel is not given"
                                      : "Location \"" + location + "\": not a channel number",
                     in.fileColumn(kLocation));
                continue;
            }
            row = startRow + *channel - first;
            if (*channel < first || row > kChannelRows ||
                (bothBanks && bank == kBankA && *channel > kChannelRows)) {
                skip("Location " + location + ": no channel of bank " +
                         (bank == kBankB ? "B" : "A") +
                         (startRow > 1 ? " from " + ChannelLabel(bank, startRow) : std::string()),
                     in.fileColumn(kLocation));
                continue;
            }
        } else if (row > kChannelRows) {
            skip("no room: the bank ends at " + ChannelLabel(bank, kChannelRows));
            continue;
        }
        if (taken.count(static_cast<int>(row))) {
            skip("Location " + location + " given twice", in.fileColumn(kLocation));
            continue;
        }
        if (SaysWhatTheChannelHolds(in, sheet, static_cast<int>(row))) {
            taken.insert(static_cast<int>(row));
            result.rows.push_back(static_cast<int>(row));
            continue;
        }
        ChannelPlan plan;
        if (const std::string problem = PlanRow(in, session.bands, plan); !problem.empty()) {
            skip(problem);
            continue;
        }
        if (const auto changed = WriteChannel(sheet, static_cast<int>(row), plan, in)) {
            // Nothing of the row is kept: the channel stays as it was.
            CopyChannel(start, session.image, bank, static_cast<int>(row));
            sheet.refresh();
            skip(HeaderNames()[changed->column] + " \"" + changed->written +
                     "\" would be stored as \"" + changed->stored + "\"",
                 in.fileColumn(changed->column));
            continue;
        }
        written.push_back(static_cast<int>(row));
        taken.insert(static_cast<int>(row));
        result.rows.push_back(static_cast<int>(row));
    }
    // Only the channels written change; whatever else the grid tidied stays as stored.
    for (const int row : written) {
        CopyChannel(session.image, result.image, bank, row);
        CodeplugImage was = base;
        CopyChannel(result.image, was, bank, row);
        if (was != base) {
            result.changed.push_back(row);
        }
    }
    if (result.rows.empty()) {
        result.error = result.skipped.empty()
                           ? "no channel rows under the header"
                           : "no row taken (" + std::to_string(result.skipped.size()) + " refused)";
        result.image = base;
    }
    return result;
}

} // namespace r57::text
