// r57 service: the service data (frequency ranges, tuning rows) between a data file
// and the radio.
#include "cli/link/radio_transfer.h"
#include "cli/link/service_write.h"

#include "core/band_limits.h"

#include <cstdio>
#include <ostream>

namespace r57::cli {
namespace {

std::string UnwritableText(const BandFieldProblem& problem, int language) {
    const char* rows[] = {"RX(UHF)", "TX(UHF)", "RX(VHF)", "TX(VHF)"};
    const std::string value = std::to_string(problem.mhz) + " MHz";
    if (language == kChinese)
        return std::string(rows[problem.index]) + (problem.upper ? " 上限 " : " 下限 ") + value +
               " 不是频率范围页能设定的值，不写入对讲机";
    return std::string("the ") + rows[problem.index] +
           (problem.upper ? " upper limit " : " lower limit ") + value +
           " is not a value the Frequency page can set; nothing was written";
}

struct ServiceAction {
    const char* name;
    link::TransferKind kind;
};

constexpr ServiceAction kActions[] = {
    {"read-ranges", link::TransferKind::ReadRanges},
    {"write-ranges", link::TransferKind::WriteRanges},
    {"read-tuning", link::TransferKind::ReadTuning},
    {"write-tuning", link::TransferKind::WriteTuning},
};

void PrintBandLimits(const CliContext& context, const BandLimits& bands) {
    const char* labels[] = {"RX(UHF)", "TX(UHF)", "RX(VHF)", "TX(VHF)"};
    for (int i = 0; i < 4; ++i) {
        char line[64];
        std::snprintf(line, sizeof line, "%s %d-%d MHz\n", labels[i], bands.low[i], bands.high[i]);
        *context.out << line;
    }
}

int RunService(const std::vector<std::string>& args, const CliContext& context) {
    CommandInput input(context, RadioServiceCommand(), args, {"--port"},
                       {"--yes", "--no-backup", "--no-verify", "--restore-on-failure"});
    const std::vector<std::string>& words = input.positional();
    if (!input.expect(words.size() == 2, "expects an action and FILE.dat"))
        return input.status();
    const ServiceAction* action = nullptr;
    for (const ServiceAction& a : kActions)
        if (words[0] == a.name)
            action = &a;
    if (!input.expect(action, "unknown action " + words[0]).require("--port", "DEVICE"))
        return input.status();

    const std::string& path = words[1];
    const auto image = input.load(path);
    if (!image)
        return input.status();
    Session session = FileSession(context, *image);
    if (action->kind == link::TransferKind::WriteRanges ||
        action->kind == link::TransferKind::WriteTuning) {
        if (action->kind == link::TransferKind::WriteRanges) {
            if (const auto problem = UnwritableBandField(session.image))
                return Refuse(context, UnwritableText(*problem, context.language));
        }
        ServiceWriteFlags flags;
        flags.yes = input.has("--yes");
        flags.verify = !input.has("--no-verify");
        flags.restoreOnFailure = input.has("--restore-on-failure");
        return RunServiceWrite(session, input.value("--port"),
                               action->kind == link::TransferKind::WriteRanges
                                   ? link::ServiceRows::Ranges
                                   : link::ServiceRows::Tuning,
                               flags, context);
    }
    int status = RunRadioTransfer(session, RequestOf(input, action->kind), context);
    if (status != kExitOk && status != kExitBackupLost)
        return status; // the file keeps its rows when the transfer failed
    if (action->kind == link::TransferKind::ReadRanges) {
        session.bands = DecodeBandLimits(session.image);
        PrintBandLimits(context, session.bands);
    }
    if (action->kind == link::TransferKind::ReadRanges ||
        action->kind == link::TransferKind::ReadTuning) {
        if (const int written = WriteCodeplug(context, path, session.image); written != kExitOk)
            return written;
    }
    const int finished = FinishOutput(context);
    return finished != kExitOk ? finished : status;
}

} // namespace

Command RadioServiceCommand() {
    return {"service", "Move the service data between a data file and the radio", RunService,
            "Usage: r57 service ACTION FILE.dat --port DEVICE [--yes] [--no-backup]\n"
            "                   [--no-verify] [--restore-on-failure]\n"
            "\n"
            "Actions:\n"
            "  read-ranges   the radio's frequency ranges (band limits and VFO rows) into\n"
            "                the file; prints the band limits\n"
            "  write-ranges  the file's frequency ranges into the radio\n"
            "  read-tuning   the radio's tuning rows (0x0EE0..0x0FFF) into the file\n"
            "  write-tuning  the file's tuning rows into the radio\n"
            "\n"
            "DEVICE is a device path or a port slot (COM3 or 3). The rows are the radio's\n"
            "own calibration, so a write first reads the rows it will replace and keeps\n"
            "them in the backup folder (~/.local/share/Tarvex/R57/backups) as\n"
            "..._service-ranges-before.dat or ..._service-tuning-before.dat, whatever\n"
            "--no-backup says. When they differ from the file's, the write asks on a\n"
            "terminal and otherwise stops (exit 2) unless --yes is given. After the write\n"
            "the rows are read back and compared (--no-verify: not). A write that fails\n"
            "or is interrupted says which rows are new and offers to put the kept rows\n"
            "back (--restore-on-failure: at once, without asking). write-ranges refuses a\n"
            "band row the Frequency page could not have set (exit 2). The reads keep a\n"
            "copy of the file's new image in the backup folder unless --no-backup is\n"
            "given. Exit 3: done, but a backup could not be kept.\n"};
}

} // namespace r57::cli
