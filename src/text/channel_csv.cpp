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
    f[kName] = Trim(row[kColName]);
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

// What a CSV row asks of a channel, checked against what the radio can hold.
struct ChannelPlan {
    std::string rx;
    std::string tx; // "" receive only
    std::string decode;
    std::string encode;
    bool high = true;
    bool scan = true;
    bool narrow = false;
    std::string name;
};

class RowReader {
public:
    RowReader(const std::vector<int>& columns, const CsvRecord& record)
        : columns_(columns), record_(record) {}

    std::string get(int column) const {
        const int at = columns_[column];
        return at >= 0 && at < static_cast<int>(record_.fields.size()) ? Trim(record_.fields[at])
                                                                       : std::string();
    }

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
    const std::string duplex = in.get(kDuplex);
    const std::string offsetText = in.get(kOffset);
    const std::optional<long long> offset = offsetText.empty() ? 0 : ParseHz(offsetText);
    long long tx = *rx;
    if (duplex == "off") {
        plan.tx.clear();
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
    if (tx <= 0 || !FrequencyInBand(plan.tx, 1, bands)) {
        return "transmit frequency " + plan.tx + " MHz: outside the radio's bands";
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
    plan.narrow = mode == "NFM";
    if (std::string problem = PlanFrequencies(in, bands, plan); !problem.empty()) {
        return problem;
    }
    if (std::string problem = PlanTones(in, plan); !problem.empty()) {
        return problem;
    }
    const std::string power = Upper(in.get(kPower));
    if (power.empty() || power[0] == 'H') {
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
    plan.scan = Upper(in.get(kSkip)) != "S";
    plan.name = FilterEditorText(kColName, in.get(kName));
    return {};
}

void WriteChannel(BankSheet& sheet, int row, const ChannelPlan& plan) {
    sheet.clearChannel(row);
    sheet.commitRx(row, plan.rx);
    sheet.commitTx(row, plan.tx);
    sheet.commitTone(row, kColDecode, plan.decode);
    if (!plan.tx.empty()) {
        sheet.commitTone(row, kColEncode, plan.encode);
    }
    sheet.commitChoice(row, kColPower, Text(plan.high ? kTextHigh : kTextLow, kEnglish));
    sheet.commitChoice(row, kColScan, Text(plan.scan ? kTextAdd : kTextDel, kEnglish));
    sheet.commitChoice(row, kColWidth, Text(plan.narrow ? kTextNarrow : kTextWide, kEnglish));
    sheet.commitName(row, plan.name);
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
    const std::vector<CsvRecord> records = ReadCsv(csv);
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
    // Rows keep their distance from each other when every row gives its Location.
    std::optional<long long> lowest;
    bool located = columns[kLocation] >= 0;
    for (std::size_t i = 1; i < records.size() && located; ++i) {
        const auto location = LocationOf(RowReader(columns, records[i]).get(kLocation));
        located = location.has_value();
        if (location && (!lowest || *location < *lowest)) {
            lowest = location;
        }
    }

    Session session;
    session.language = kEnglish;
    session.image = base;
    session.bands = DecodeBandLimits(base);
    BankSheet sheet(session, bank == kBankB ? kBankB : kBankA);
    sheet.refresh();
    std::set<int> taken;
    for (std::size_t i = 1; i < records.size(); ++i) {
        const RowReader in(columns, records[i]);
        const std::string location = in.get(kLocation);
        const long long offset =
            located ? *LocationOf(location) - *lowest : static_cast<long long>(i - 1);
        const long long row = startRow + offset;
        auto skip = [&](const std::string& reason) {
            result.skipped.push_back({records[i].line, location, reason});
        };
        if (row > kChannelRows) {
            skip("no room: the bank ends at " + ChannelLabel(bank, kChannelRows));
            continue;
        }
        if (!taken.insert(static_cast<int>(row)).second) {
            skip("Location " + location + " given twice");
            continue;
        }
        ChannelPlan plan;
        if (const std::string problem = PlanRow(in, session.bands, plan); !problem.empty()) {
            skip(problem);
            continue;
        }
        WriteChannel(sheet, static_cast<int>(row), plan);
        result.rows.push_back(static_cast<int>(row));
    }
    result.image = session.image;
    return result;
}

} // namespace r57::text
