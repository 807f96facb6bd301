// r57 write: a data file into the radio.
#include "radio_transfer.h"

#include "core/band_limits.h"

namespace r57::cli {
namespace {

Command WriteCommand();

int RunWrite(const std::vector<std::string>& args, const CliContext& context) {
    const Command self = WriteCommand();
    const ParsedArgs parsed = ParseArgs(args, {"--port", "--model"}, {"--no-time", "--yes"});
    if (!parsed.error.empty())
        return UsageError(context, self, parsed.error);
    if (parsed.positional.size() != 1)
        return UsageError(context, self,
                          parsed.positional.empty()
                              ? "missing FILE.dat"
                              : "unexpected argument " + parsed.positional[1]);
    if (parsed.value("--port").empty())
        return UsageError(context, self, "missing --port DEVICE");
    const std::string model = parsed.has("--model") ? parsed.value("--model") : "0";
    if (model != "0" && model != "1" && model != "2")
        return UsageError(context, self, "--model takes 0, 1 or 2");

    int status = kExitOk;
    const auto image = LoadCodeplug(context, parsed.positional[0], status);
    if (!image)
        return status;
    Session session;
    session.applicationDirectory = context.programDirectory;
    session.image = *image;
    session.bands = DecodeBandLimits(session.image);
    session.modelCode = model[0];
    session.updateRadioTime = !parsed.has("--no-time");
    return RunRadioTransfer(
        session, {parsed.value("--port"), link::TransferKind::Write, parsed.has("--yes")}, context);
}

Command WriteCommand() {
    return {"write", "Write a data file into the radio", RunWrite,
            "Usage: r57 write FILE.dat --port DEVICE [--model 0|1|2] [--no-time] [--yes]\n"
            "\n"
            "Sends the codeplug to the radio on DEVICE (a device path, or a port slot:\n"
            "COM3 or 3). The band limits and the service tuning rows are not written.\n"
            "\n"
            "  --model 0|1|2  the model variant the radio must report (default 0)\n"
            "  --no-time      do not set the radio's clock to this computer's time\n"
            "  --yes          go on when the radio's band limits differ from the file's;\n"
            "                 without it the question is asked on a terminal, and\n"
            "                 otherwise the write stops\n"};
}

} // namespace

Command RadioWriteCommand() {
    return WriteCommand();
}

} // namespace r57::cli
