// r57 write: a data file into the radio.
#include "cli/link/radio_transfer.h"

namespace r57::cli {
namespace {

int RunWrite(const std::vector<std::string>& args, const CliContext& context) {
    CommandInput input(
        context, RadioWriteCommand(), args, {"--port", "--model"},
        {"--no-time", "--yes", "--verify", "--no-backup", "--write-gain", "--keep-old"});
    const std::vector<std::string>& files = input.positional();
    input.expect(!files.empty(), "missing FILE.dat");
    input.expect(files.size() <= 1, files.size() > 1 ? "unexpected argument " + files[1] : "");
    input.require("--port", "DEVICE");
    const std::string model = input.has("--model") ? input.value("--model") : "0";
    input.expect(model == "0" || model == "1" || model == "2", "--model takes 0, 1 or 2");
    if (!input)
        return input.status();

    const auto image = input.load(files[0]);
    if (!image)
        return input.status();
    Session session = FileSession(context, *image);
    session.modelCode = model[0];
    session.updateRadioTime = !input.has("--no-time");
    return RunRadioTransfer(session, RequestOf(input, link::TransferKind::Write), context);
}

} // namespace

Command RadioWriteCommand() {
    return {"write", "Write a data file into the radio", RunWrite,
            "Usage: r57 write FILE.dat --port DEVICE [--model 0|1|2] [--no-time] [--yes]\n"
            "                [--verify] [--no-backup] [--write-gain] [--keep-old]\n"
            "\n"
            "Sends the codeplug to the radio on DEVICE (a device path, or a port slot:\n"
            "COM3 or 3). The band limits and the service tuning rows are not written.\n"
            "The block 0x0EC0-0x0EEF goes out with the radio's own analogue gain rows\n"
            "(0x0EE0-0x0EEF), read from the radio first, unless --write-gain is given.\n"
            "\n"
            "  --model 0|1|2  the model variant the radio must report (default 0)\n"
            "  --no-time      do not set the radio's clock to this computer's time\n"
            "  --yes          go on when the radio's band limits differ from the file's;\n"
            "                 without it the question is asked on a terminal, and\n"
            "                 otherwise the write stops\n"
            "  --verify       read the radio back after the write and compare every byte\n"
            "                 written; a difference fails the command (exit status 1)\n"
            "  --no-backup    keep no copy of what was written in the backup folder\n"
            "                 (~/.local/share/Tarvex/R57/backups)\n"
            "  --write-gain   write the file's analogue gain rows over the radio's own\n"
            "  --keep-old     read the radio's whole memory first and keep it in the\n"
            "                 backup folder (..._memory-before.dat); if it cannot be read\n"
            "                 or kept, nothing is written. r57 restore puts it back.\n"
            "\n"
            "Exit status 3: written, but a backup could not be kept.\n"};
}

} // namespace r57::cli
