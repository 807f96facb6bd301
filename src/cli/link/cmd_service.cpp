// r57 service: the service data (frequency ranges, tuning rows) between a data file
// and the radio.
#include "radio_transfer.h"

#include "core/band_limits.h"
#include "core/data_file.h"

#include <cstdio>
#include <ostream>

namespace r57::cli {
namespace {

Command ServiceCommand();

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
    const Command self = ServiceCommand();
    const ParsedArgs parsed = ParseArgs(args, {"--port"}, {"--yes"});
    if (!parsed.error.empty())
        return UsageError(context, self, parsed.error);
    if (parsed.positional.size() != 2)
        return UsageError(context, self, "expects an action and FILE.dat");
    const ServiceAction* action = nullptr;
    for (const ServiceAction& a : kActions)
        if (parsed.positional[0] == a.name)
            action = &a;
    if (!action)
        return UsageError(context, self, "unknown action " + parsed.positional[0]);
    if (parsed.value("--port").empty())
        return UsageError(context, self, "missing --port DEVICE");

    const std::string& path = parsed.positional[1];
    int status = kExitOk;
    const auto image = LoadCodeplug(context, path, status);
    if (!image)
        return status;
    Session session;
    session.applicationDirectory = context.programDirectory;
    session.image = *image;
    session.bands = DecodeBandLimits(session.image);
    status = RunRadioTransfer(session, {parsed.value("--port"), action->kind, parsed.has("--yes")},
                              context);
    if (status != kExitOk)
        return status; // the file keeps its rows when the transfer failed
    if (action->kind == link::TransferKind::ReadRanges) {
        session.bands = DecodeBandLimits(session.image);
        PrintBandLimits(context, session.bands);
    }
    if (action->kind == link::TransferKind::ReadRanges ||
        action->kind == link::TransferKind::ReadTuning) {
        status = WriteOutput(context, path, EncodeDataFile(session.image));
        if (status != kExitOk)
            return status;
    }
    return FinishOutput(context);
}

Command ServiceCommand() {
    return {"service", "Move the service data between a data file and the radio", RunService,
            "Usage: r57 service ACTION FILE.dat --port DEVICE [--yes]\n"
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
            "question is asked on a terminal, and otherwise the write stops.\n"};
}

} // namespace

Command RadioServiceCommand() {
    return ServiceCommand();
}

} // namespace r57::cli
