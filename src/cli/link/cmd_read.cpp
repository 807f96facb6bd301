// r57 read: the radio's memory into a new data file.
#include "cli/link/radio_transfer.h"

#include "core/data_file.h"

namespace r57::cli {
namespace {

int RunRead(const std::vector<std::string>& args, const CliContext& context) {
    CommandInput input(context, RadioReadCommand(), args, {"--port", "-o"}, {"--no-backup"});
    if (!input.noPositional().require("--port", "DEVICE").require("-o", "FILE.dat"))
        return input.status();

    // A transfer takes twenty seconds: find out first that its result can be kept.
    const std::string output = input.codeplugOutput();
    if (const int status = WriteRefused(context, output, CheckWriteTarget(output)))
        return status;

    // What the radio does not send (0x3000..0x37FF, 0x3C00..0x3FFF) stays as a fresh
    // codeplug has it.
    Session session = FreshSession(context);
    const int status =
        RunRadioTransfer(session, RequestOf(input, link::TransferKind::Read), context);
    if (status != kExitOk && status != kExitBackupLost)
        return status; // a failed read writes nothing
    const int written = WriteCodeplug(context, output, session.image);
    return written != kExitOk ? written : status;
}

} // namespace

Command RadioReadCommand() {
    return {"read", "Read the radio's memory into a data file", RunRead,
            "Usage: r57 read --port DEVICE -o FILE.dat [--no-backup]\n"
            "\n"
            "Reads the whole memory of the radio on DEVICE (a device path such as\n"
            "/dev/ttyUSB0, or a port slot: COM3 or 3) and saves it as a new data file.\n"
            "Progress goes to stderr. A failed read writes no file.\n"
            "\n"
            "  --no-backup  keep no copy in the backup folder\n"
            "               (~/.local/share/Tarvex/R57/backups)\n"};
}

} // namespace r57::cli
