// r57 diff: what differs between two codeplugs, in the words of the text export.
#include "cli/text/text_commands.h"

#include "text/codeplug_diff.h"

#include <ostream>

namespace r57::cli {
namespace {

constexpr int kExitDifferent = 1;

int RunDiff(const std::vector<std::string>& args, const CliContext& context) {
    CommandInput input(context, DiffCommand(), args, {});
    const std::size_t count = input.positional().size();
    input.expect(count == 2, count < 2 ? "two data files are needed" : "too many arguments");
    if (!input) {
        return input.status();
    }
    // Any trouble is status 2: status 1 means "they differ".
    int status = kExitOk;
    const std::optional<CodeplugImage> a = LoadCodeplug(context, input.positional()[0], status);
    if (!a) {
        return kExitRefused;
    }
    const std::optional<CodeplugImage> b = LoadCodeplug(context, input.positional()[1], status);
    if (!b) {
        return kExitRefused;
    }
    const std::vector<std::string> lines = text::DiffCodeplugs(*a, *b);
    for (const std::string& line : lines) {
        *context.out << line << "\n";
    }
    if (FinishOutput(context) != kExitOk) {
        return kExitRefused;
    }
    return lines.empty() ? kExitOk : kExitDifferent;
}

} // namespace

Command DiffCommand() {
    return {"diff", "Show what differs between two codeplugs, field by field", RunDiff,
            "Usage: r57 diff A.dat B.dat\n"
            "\n"
            "One line per field that differs, in the words of 'r57 export'\n"
            "(A5 RX Freq: 446.00625 -> 446.01875, Function Setting / Squelch Level: 5 -> 3),\n"
            "then every differing byte no field accounts for, by address\n"
            "(0x3000: FF -> 12).\n"
            "\n"
            "Exit status: 0 the same, 1 different, 2 a file could not be read.\n"};
}

} // namespace r57::cli
