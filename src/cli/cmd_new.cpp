// r57 new: a fresh codeplug, exactly as the program has it right after start-up
// (New defaults, default band limits, the stock logo from beside the tool).
#include "cli_support.h"

#include "core/data_file.h"
#include "core/session.h"

namespace r57::cli {
namespace {

int RunNew(const std::vector<std::string>& args, const CliContext& context) {
    const Command self = NewCommand();
    const ParsedArgs parsed = ParseArgs(args, {"-o"});
    if (!parsed.error.empty()) {
        return UsageError(context, self, parsed.error);
    }
    if (!parsed.positional.empty()) {
        return UsageError(context, self, "unexpected argument " + parsed.positional.front());
    }
    if (parsed.value("-o").empty()) {
        return UsageError(context, self, "missing -o FILE.dat");
    }
    Session session;
    session.applicationDirectory = context.programDirectory;
    session.startUp();
    return WriteOutput(context, parsed.value("-o"), EncodeDataFile(session.image));
}

} // namespace

Command NewCommand() {
    return {"new", "Write a fresh codeplug, as the program has it after start-up", RunNew,
            "Usage: r57 new -o FILE.dat\n"
            "\n"
            "Writes a new data file holding the factory defaults, the default band limits\n"
            "and the stock logo (Standard.FIF beside the r57 program; a clear picture when\n"
            "it is missing).\n"};
}

} // namespace r57::cli
