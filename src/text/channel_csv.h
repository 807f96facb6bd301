// A bank's channels as CSV in the common exchange layout of multi-radio programming
// tools, one channel a line under the header kCsvHeader. Split transmit frequencies
// become Duplex and Offset ("split" with the transmit frequency for pairs 50 MHz or
// more apart, "off" for receive-only), QT/DQT the Tone modes (Tone, TSQL, DTCS, Cross
// with its CrossMode), W/N the modes FM/NFM, Scan Add the Skip column.
#pragma once

#include "core/image.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace r57::text {

constexpr const char* kCsvHeader =
    "Location,Name,Frequency,Duplex,Offset,Tone,rToneFreq,cToneFreq,DtcsCode,DtcsPolarity,"
    "RxDtcsCode,CrossMode,Mode,TStep,Skip,Power,Comment,URCALL,RPT1CALL,RPT2CALL,DVCODE";

enum class CsvBanks { A, B, Both };

// The used channels, Location 1..128 of their bank (bank B 129..256 beside bank A),
// the channel ("A1") in Comment; CR LF line ends.
std::string ExportChannelsCsv(const CodeplugImage& image, CsvBanks banks);

struct SkippedRow {
    int line = 0;
    std::string location; // as the file gives it
    std::string reason;   // "mode AM: the radio has FM and NFM only"
    int column = 0;       // 1-based column of the value refused; 0 for the row as a whole
};

struct CsvImport {
    std::string error; // set: the file is no channel list, and nothing was taken
    CodeplugImage image;
    std::vector<int> rows;    // the channels taken, in file order
    std::vector<int> changed; // those of them whose bytes differ from the base's
    std::vector<SkippedRow> skipped;
};

// Puts the rows of `csv` into `bank` (0 A, 1 B), each at its Location, the channel
// (1..128, or 0..127 in a file counted from 0; in a file of both banks bank B is
// 129..256), moved by `startRow` - 1; rows follow each other from `startRow` when the
// file has no Location column. Every value goes through the grid's field rules; a
// column the file does not have keeps the channel's value (a new channel gets the
// grid's defaults). A row is refused and listed, and its channel left as it was, when
// its Location is missing, odd or not in the bank, when the radio cannot hold it (a
// frequency outside the band limits, AM, a digital mode, a tone it has no code for),
// or when the rules would store one of its values otherwise than written (a name cut,
// a frequency snapped to the channel step). With no row taken, `error` is set and
// nothing is; an unclosed quote is an error as well.
CsvImport ImportChannelsCsv(std::string_view csv, const CodeplugImage& base, int bank,
                            int startRow);

} // namespace r57::text
