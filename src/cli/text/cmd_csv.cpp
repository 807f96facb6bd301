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
    for (const text::SkippedRow& row : imported.skipped) {
        *context.err << path << ": line " << row.line
                     << (row.column > 0 ? ", column " + std::to_string(row.column) : "")
                     << (row.location.empty() ? "" : " (Location " + row.location + ")")
                     << " refused: " << row.reason << "\n";
    }
    if (!imported.error.empty()) {
        return Refuse(context, path + ": " + imported.error + "; nothing was written");
    }
    status = WriteCodeplug(context, input.codeplugOutput(), imported.image);
    if (status == kExitOk) {
        *context.err << "r57 csv-import: " << imported.rows.size() << " channel(s) taken";
        if (!imported.rows.empty()) {
            *context.err << " (" << ChannelLabel(*bank, imported.rows.front()) << " first)";
        }
        *context.err << ", " << imported.changed.size() << " changed, " << imported.skipped.size()
                     << " row(s) refused\n";
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
            "Starts from BASE.dat (default: a new codeplug) and writes each row into the\n"
            "bank (default A) at its Location, the channel: 1..128 (0..127 in a file that\n"
            "counts from 0; bank B is 129..256 in a file of both banks), moved by N - 1\n"
            "with --start N. Without a Location column the rows follow each other from N.\n"
            "Every value goes through the grid's field rules; a column the file does not\n"
            "have keeps the channel's value. A row is refused and listed on standard error\n"
            "with its line and column (its channel stays as it was) when its Location is\n"
            "missing or not in the bank, when the radio cannot hold it (a frequency outside\n"
            "the band limits, AM, a digital mode, a tone it has no code for), or when a\n"
            "value would be stored otherwise than written (a name over 7 characters, a\n"
            "frequency off the channel step). With no row taken, or a quote never closed,\n"
            "nothing is written (exit 2). Quoted fields, CR LF line ends and a UTF-8\n"
            "byte-order mark are read.\n"};
}

} // namespace r57::cli
