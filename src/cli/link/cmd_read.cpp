// r57 read: the radio's memory into a new data file.
#include "radio_transfer.h"

#include "core/data_file.h"

namespace r57::cli {
namespace {

Command ReadCommand();

int RunRead(const std::vector<std::string>& args, const CliContext& context) {
    const Command self = ReadCommand();
    const ParsedArgs parsed = ParseArgs(args, {"--port", "-o"});
    if (!parsed.error.empty())
        return UsageError(context, self, parsed.error);
    if (!parsed.positional.empty())
        return UsageError(context, self, "unexpected argument " + parsed.positional.front());
    if (parsed.value("--port").empty())
        return UsageError(context, self, "missing --port DEVICE");
    if (parsed.value("-o").empty())
        return UsageError(context, self, "missing -o FILE.dat");

    // What the radio does not send (0x3000..0x37FF, 0x3C00..0x3FFF) stays as a fresh
    // codeplug has it.
    Session session;
    session.applicationDirectory = context.programDirectory;
    session.startUp();
    const int status = RunRadioTransfer(
        session, {parsed.value("--port"), link::TransferKind::Read, false}, context);
    if (status != kExitOk)
        return status; // a failed read writes nothing
    return WriteOutput(context, parsed.value("-o"), EncodeDataFile(session.image));
}

Command ReadCommand() {
    return {"read", "Read the radio's memory into a data file", RunRead,
            "Usage: r57 read --port DEVICE -o FILE.dat\n"
            "\n"
            "Reads the whole memory of the radio on DEVICE (a device path such as\n"
            "/dev/ttyUSB0, or a port slot: COM3 or 3) and saves it as a new data file.\n"
            "Progress goes to stderr. A failed read writes no file.\n"};
}

} // namespace

Command RadioReadCommand() {
    return ReadCommand();
}

} // namespace r57::cli
