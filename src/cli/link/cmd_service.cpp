// r57 service: the service data (frequency ranges, tuning rows) between a data file
// and the radio.
#include "cli/link/radio_transfer.h"

#include "core/band_limits.h"

#include <cstdio>
#include <ostream>

namespace r57::cli {
namespace {

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
    CommandInput input(context, RadioServiceCommand(), args, {"--port"}, {"--yes", "--no-backup"});
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
    int status = RunRadioTransfer(session, RequestOf(input, action->kind), context);
    if (status != kExitOk)
        return status; // the file keeps its rows when the transfer failed
    if (action->kind == link::TransferKind::ReadRanges) {
        session.bands = DecodeBandLimits(session.image);
        PrintBandLimits(context, session.bands);
    }
    if (action->kind == link::TransferKind::ReadRanges ||
        action->kind == link::TransferKind::ReadTuning) {
        status = WriteCodeplug(context, path, session.image);
        if (status != kExitOk)
            return status;
    }
    return FinishOutput(context);
}

} // namespace

Command RadioServiceCommand() {
    return {"service", "Move the service data between a data file and the radio", RunService,
            "Usage: r57 service ACTION FILE.dat --port DEVICE [--yes] [--no-backup]\n"
            "\n"
            "Actions:\n"
            "  read-ranges   the radio's frequency ranges (band limits and VFO rows) into\n"
            "                the file; prints the band limits\n"
            "  write-ranges  the file's frequency ranges into the radio\n"
            "  read-tuning   the radio's tuning rows (0x0EE0..0x0FFF) into the file\n"
            "  write-tuning  the file's tuning rows into the radio\n"
            "\n"
            "DEVICE is a device path or a port slot (COM3 or 3). --yes goes on when the\n"
            "radio's band limits differ from the file's on write-ranges; without it the\n"
            "question is asked on a terminal, and otherwise the write stops. The reads\n"
            "keep a copy of the file's new image in the backup folder\n"
            "(~/.local/share/Tarvex/R57/backups) unless --no-backup is given.\n"};
}

} // namespace r57::cli
