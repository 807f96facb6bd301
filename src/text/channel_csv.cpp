// Channels from the bank sheet into the common CSV layout.
#include "text/channel_csv.h"

#include "text/csv_layout.h"
#include "text/csv_table.h"

#include "core/codecs.h"
#include "core/message_ids.h"
#include "core/session.h"
#include "core/strings.h"

#include <algorithm>
#include <cctype>

namespace r57::text {

namespace csv {

namespace {

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

} // namespace

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

} // namespace csv

using namespace csv;

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

} // namespace r57::text
