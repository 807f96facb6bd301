// Channels between the bank sheet and the common CSV layout.
#include "text/channel_csv.h"

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
#include <climits>
#include <map>
#include <set>

namespace r57::text {

namespace {

enum CsvColumn {
    kLocation,
    kName,
    kFrequency,
    kDuplex,
    kOffset,
    kTone,
    kRTone,
    kCTone,
    kDtcsCode,
    kDtcsPolarity,
    kRxDtcsCode,
    kCrossMode,
    kMode,
    kTStep,
    kSkip,
    kPower,
    kComment,
    kCsvColumns = 21,
};

constexpr long long kHz = 1000000; // a MHz
// Pairs at least this far apart are written as "split": no repeater shift is as wide.
constexpr long long kSplitHz = 50 * kHz;

std::vector<std::string> HeaderNames() {
    std::vector<std::string> names;
    std::string_view header = kCsvHeader;
    for (std::size_t start = 0;;) {
        const std::size_t comma = header.find(',', start);
        names.emplace_back(header.substr(start, comma - start));
        if (comma == std::string_view::npos) {
            return names;
        }
        start = comma + 1;
    }
}

std::string Trim(std::string_view text) {
    const std::size_t first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos) {
        return {};
    }
    return std::string(text.substr(first, text.find_last_not_of(" \t") - first + 1));
}

std::string Upper(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    return text;
}

// "446.00625" (MHz) -> Hz; nothing for a text that is not a plain decimal number.
std::optional<long long> ParseHz(std::string_view text) {
    const std::string t = Trim(text);
    if (t.empty() || t.size() > 20) {
        return std::nullopt;
    }
    long long whole = 0;
    long long fraction = 0;
    long long scale = kHz;
    bool point = false;
    bool digits = false;
    bool roundUp = false;
    for (char c : t) {
        if (c == '.' && !point) {
            point = true;
        } else if (c >= '0' && c <= '9') {
            digits = true;
            if (!point) {
                whole = whole * 10 + (c - '0');
                if (whole > 100000) {
                    return std::nullopt; // no radio frequency, and no overflow further on
                }
            } else if (scale > 1) {
                scale /= 10;
                fraction += (c - '0') * scale;
            } else if (scale == 1) {
                roundUp = c >= '5'; // the first digit past 1 Hz rounds
                scale = 0;
            }
        } else {
            return std::nullopt;
        }
    }
    if (!digits) {
        return std::nullopt;
    }
    return whole * kHz + fraction + (roundUp ? 1 : 0);
}

std::string MhzText(long long hz) {
    std::string fraction = std::to_string(hz % kHz);
    return std::to_string(hz / kHz) + "." + std::string(6 - fraction.size(), '0') + fraction;
}

// A tone cell ("None", "88.5", "D023N", "") as the CSV sees it.
struct Tone {
    enum Kind { kNone, kQt, kDqt } kind = kNone;
    std::string qt;      // "88.5"
    std::string code;    // "023"
    char polarity = 'N'; // 'N' or 'R'
};

Tone ToneOfCell(const std::string& cell) {
    Tone tone;
    if (cell.size() == 5 && cell[0] == 'D') {
        tone.kind = Tone::kDqt;
        tone.code = cell.substr(1, 3);
        tone.polarity = cell[4] == 'I' ? 'R' : 'N';
    } else if (!cell.empty() && std::isdigit(static_cast<unsigned char>(cell[0]))) {
        tone.kind = Tone::kQt;
        tone.qt = cell;
    }
    return tone;
}

std::string StepText(long long hz) {
    for (auto [step, text] : std::initializer_list<std::pair<long long, const char*>>{
             {25000, "25.00"}, {12500, "12.50"}, {6250, "6.25"}, {5000, "5.00"}}) {
        if (hz % step == 0) {
            return text;
        }
    }
    return "2.50";
}

std::vector<std::string> ExportRow(int location, const std::string& label, const BankRow& row) {
    std::vector<std::string> f(kCsvColumns);
    const long long rx = ParseHz(row[kColRx]).value_or(0);
    const bool hasTx = !row[kColTx].empty();
    const long long tx = hasTx ? ParseHz(row[kColTx]).value_or(0) : 0;
    f[kLocation] = std::to_string(location);
    f[kName] = row[kColName].substr(0, row[kColName].find_last_not_of(' ') + 1);
    f[kFrequency] = MhzText(rx);
    f[kOffset] = MhzText(0);
    if (!hasTx) {
        f[kDuplex] = "off";
    } else if (tx != rx) {
        const long long shift = tx - rx;
        const bool split = shift >= kSplitHz || -shift >= kSplitHz;
        f[kDuplex] = split ? "split" : shift > 0 ? "+" : "-";
        f[kOffset] = MhzText(split ? tx : shift > 0 ? shift : -shift);
    }
    const Tone rxTone = ToneOfCell(row[kColDecode]);
    const Tone txTone = hasTx ? ToneOfCell(row[kColEncode]) : Tone{};
    f[kRTone] = txTone.kind == Tone::kQt ? txTone.qt : "88.5";
    f[kCTone] = rxTone.kind == Tone::kQt ? rxTone.qt : "88.5";
    f[kDtcsCode] = txTone.kind == Tone::kDqt ? txTone.code : "023";
    f[kRxDtcsCode] = rxTone.kind == Tone::kDqt ? rxTone.code : "023";
    f[kDtcsPolarity] = std::string{txTone.polarity, rxTone.polarity};
    f[kCrossMode] = "Tone->Tone";
    const auto kinds = std::make_pair(txTone.kind, rxTone.kind);
    if (kinds == std::make_pair(Tone::kNone, Tone::kNone)) {
        f[kTone] = "";
    } else if (kinds == std::make_pair(Tone::kQt, Tone::kNone)) {
        f[kTone] = "Tone";
    } else if (kinds == std::make_pair(Tone::kQt, Tone::kQt) && txTone.qt == rxTone.qt) {
        f[kTone] = "TSQL";
    } else if (kinds == std::make_pair(Tone::kDqt, Tone::kDqt) && txTone.code == rxTone.code) {
        f[kTone] = "DTCS";
    } else {
        static const char* const kSide[] = {"", "Tone", "DTCS"};
        f[kTone] = "Cross";
        f[kCrossMode] = std::string(kSide[txTone.kind]) + "->" + kSide[rxTone.kind];
    }
    f[kMode] = row[kColWidth] == Text(kTextNarrow, kEnglish) ? "NFM" : "FM";
    f[kTStep] = StepText(rx);
    f[kSkip] = row[kColScan] == Text(kTextAdd, kEnglish) ? "" : "S";
    f[kPower] = row[kColPower] == Text(kTextHigh, kEnglish) ? "High" : "Low";
    f[kComment] = label;
    return f;
}

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

std::string ExportChannelsCsv(const CodeplugImage& image, CsvBanks banks) {
    std::string csv = std::string(kCsvHeader) + "\r\n";
    for (int bank : {kBankA, kBankB}) {
        if ((bank == kBankA && banks == CsvBanks::B) || (bank == kBankB && banks == CsvBanks::A)) {
            continue;
        }
        CodeplugImage copy = image;
        const BankTexts rows = DecodeBank(copy, bank, kEnglish);
        const int first = bank == kBankB && banks == CsvBanks::Both ? kChannelRows : 0;
        for (int n = 1; n <= kChannelRows; ++n) {
            if (!rows[n - 1][kColRx].empty()) {
                csv += CsvLine(ExportRow(first + n, ChannelLabel(bank, n), rows[n - 1]));
            }
        }
    }
    return csv;
}

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
    bool bothBanks = false;
    for (std::size_t i = 1; i < records.size() && located; ++i) {
        const auto location = LocationOf(RowReader(columns, records[i]).get(kLocation));
        fromZero = fromZero || location == 0;
        bothBanks = bothBanks || (location && *location > kChannelRows);
    }
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
