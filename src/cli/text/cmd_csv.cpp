// r57 csv-export / r57 csv-import: a bank's channels in the common CSV layout.
#include "cli/text/text_commands.h"

#include "core/channel.h"
#include "text/channel_csv.h"

#include <ostream>

namespace r57::cli {
namespace {

std::optional<int> BankOf(const std::string& text) {
    if (text == "A" || text == "a") {
        return 0;
    }
    if (text == "B" || text == "b") {
        return 1;
    }
    return std::nullopt;
}

int RunCsvExport(const std::vector<std::string>& args, const CliContext& context) {
    CommandInput input(context, CsvExportCommand(), args, {"-o", "--bank"});
    input.onePositional("FILE.dat");
    const std::string bank = input.has("--bank") ? input.value("--bank") : "both";
    const std::optional<int> one = BankOf(bank);
    input.expect(one || bank == "both", "--bank is A, B or both, not " + bank);
    if (!input) {
        return input.status();
    }
    const std::optional<CodeplugImage> image = input.load(input.positional().front());
    if (!image) {
        return input.status();
    }
    const text::CsvBanks banks = !one        ? text::CsvBanks::Both
                                 : *one == 0 ? text::CsvBanks::A
                                             : text::CsvBanks::B;
    return WriteTextOutput(context, input.value("-o"), text::ExportChannelsCsv(*image, banks));
}

int RunCsvImport(const std::vector<std::string>& args, const CliContext& context) {
    CommandInput input(context, CsvImportCommand(), args, {"-o", "--base", "--bank", "--start"});
    input.onePositional("F.csv").require("-o", "OUT.dat");
    const std::string bankText = input.has("--bank") ? input.value("--bank") : "A";
    const std::optional<int> bank = BankOf(bankText);
    input.expect(bank.has_value(), "--bank is A or B, not " + bankText);
    const std::string startText = input.has("--start") ? input.value("--start") : "1";
    const bool digits = !startText.empty() && startText.size() <= 3 &&
                        startText.find_first_not_of("0123456789") == std::string::npos;
    const int start = digits ? std::stoi(startText) : 0;
    input.expect(start >= 1 && start <= kChannelRows, "--start is a channel 1 to 128");
    if (!input) {
        return input.status();
    }
    const std::string path = input.positional().front();
    int status = kExitOk;
    const std::optional<std::string> csv = ReadTextInput(context, path, status);
    if (!csv) {
        return status;
    }
    const std::optional<CodeplugImage> base = ImportBase(context, input);
    if (!base) {
        return input.status();
    }
    const text::CsvImport imported = text::ImportChannelsCsv(*csv, *base, *bank, start);
    if (!imported.error.empty()) {
        return Refuse(context, path + ": " + imported.error + "; nothing was written");
    }
    for (const text::SkippedRow& row : imported.skipped) {
        *context.err << path << ": line " << row.line
                     << (row.location.empty() ? "" : " (Location " + row.location + ")")
                     << " skipped: " << row.reason << "\n";
    }
    status = WriteCodeplug(context, input.codeplugOutput(), imported.image);
    if (status == kExitOk) {
        *context.err << "r57 csv-import: " << imported.rows.size() << " channel(s) written";
        if (!imported.rows.empty()) {
            *context.err << " (" << ChannelLabel(*bank, imported.rows.front()) << " first)";
        }
        *context.err << ", " << imported.skipped.size() << " row(s) skipped\n";
    }
    return status;
}

} // namespace

Command CsvExportCommand() {
    return {"csv-export", "Write the channels as CSV in the common exchange layout", RunCsvExport,
            "Usage: r57 csv-export FILE.dat [--bank A|B|both] [-o F.csv]\n"
            "\n"
            "One line per used channel under the header\n"
            "  Location,Name,Frequency,Duplex,Offset,Tone,rToneFreq,cToneFreq,DtcsCode,\n"
            "  DtcsPolarity,RxDtcsCode,CrossMode,Mode,TStep,Skip,Power,Comment,URCALL,\n"
            "  RPT1CALL,RPT2CALL,DVCODE\n"
            "Location is the channel of its bank (bank B 129..256 after bank A with both),\n"
            "Comment the channel (A1). A split pair becomes Duplex +/- and Offset, or\n"
            "\"split\" with the transmit frequency in Offset when 50 MHz or more apart;\n"
            "receive-only is \"off\". QT/DQT become Tone, TSQL, DTCS or Cross with its\n"
            "CrossMode; Wide/Narrow FM/NFM; Scan Del the Skip \"S\". Default: both banks,\n"
            "to standard output.\n"};
}

Command CsvImportCommand() {
    return {"csv-import", "Put channels from CSV (common exchange layout) into a bank",
            RunCsvImport,
            "Usage: r57 csv-import F.csv [--base BASE.dat] [--bank A|B] [--start N] -o OUT.dat\n"
            "\n"
            "Starts from BASE.dat (default: a new codeplug) and writes the rows into the\n"
            "bank (default A) from channel N (default 1) on, each at N plus its Location\n"
            "less the file's lowest Location, through the grid's field rules (frequencies\n"
            "snapped to the channel grid, names cut to 7 characters). Rows the radio cannot\n"
            "hold (a frequency outside the band limits, AM, a digital mode, a tone it has\n"
            "no code for, no room left) are skipped and listed on standard error; no\n"
            "channel is written partly. Quoted fields, CR LF line ends and a UTF-8\n"
            "byte-order mark are read.\n"};
}

} // namespace r57::cli
