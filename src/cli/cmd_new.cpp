// r57 new: a fresh codeplug, exactly as the program has it right after start-up
// (New defaults, default band limits, the stock logo from the tool's data folder).
#include "cli/cli_support.h"

namespace r57::cli {
namespace {

int RunNew(const std::vector<std::string>& args, const CliContext& context) {
    CommandInput input(context, NewCommand(), args, {"-o"});
    if (!input.noPositional().require("-o", "FILE.dat")) {
        return input.status();
    }
    return WriteCodeplug(context, input.codeplugOutput(), FreshSession(context).image);
}

} // namespace

Command NewCommand() {
    return {"new", "Write a fresh codeplug, as the program has it after start-up", RunNew,
            "Usage: r57 new -o FILE.dat\n"
            "\n"
            "Writes a new data file holding the factory defaults, the default band limits\n"
            "and the stock logo (Standard.FIF beside the r57 program or, installed, in\n"
            "share/r57/; a clear picture when it is missing).\n"};
}

} // namespace r57::cli
