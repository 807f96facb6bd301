// The common CSV layout's columns and the helpers its export and import share.
#pragma once

#include "core/channel.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace r57::text::csv {

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

// The column names of kCsvHeader, in order.
std::vector<std::string> HeaderNames();
std::string Trim(std::string_view text);
std::string Upper(std::string text);
// "446.00625" (MHz) -> Hz; nothing for a text that is not a plain decimal number.
std::optional<long long> ParseHz(std::string_view text);
// Hz -> "446.006250".
std::string MhzText(long long hz);
// The columns of one used channel as the export writes them.
std::vector<std::string> ExportRow(int location, const std::string& label, const BankRow& row);

} // namespace r57::text::csv
