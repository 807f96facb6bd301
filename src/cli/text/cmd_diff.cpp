// r57 diff: what differs between two codeplugs, in the words of the text export.
#include "cli/text/text_commands.h"

#include "text/codeplug_diff.h"

#include <ostream>

namespace r57::cli {
namespace {

constexpr int kExitDifferent = 1;

int RunDiff(const std::vector<std::string>& args, const CliContext& context) {
    CommandInput input(context, DiffCommand(), args, {}, {"--csv"});
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
    const std::vector<text::DiffRow> rows = text::CompareCodeplugs(*a, *b);
    if (input.has("--csv")) {
        *context.out << text::DiffCsv(rows, context.language);
    } else {
        for (const text::DiffRow& row : rows) {
            *context.out << text::DiffLine(row, context.language) << "\n";
        }
    }
    if (FinishOutput(context) != kExitOk) {
        return kExitRefused;
    }
    return rows.empty() ? kExitOk : kExitDifferent;
}

} // namespace

Command DiffCommand() {
    return {"diff", "Show what differs between two codeplugs, field by field", RunDiff,
            "Usage: r57 diff A.dat B.dat [--csv] [--lang en|zh]\n"
            "\n"
            "One line per field that differs, in the words of 'r57 export'\n"
            "(A5 RX Freq: 446.00625 -> 446.01875, Function Setting / Squelch Level: 5 -> 3),\n"
            "one line for a channel only one file uses (B20: \"\" -> 150.00000, 150.00000),\n"
            "then every differing byte no listed field accounts for, by address range\n"
            "(0x3000-0x3001: FF FF -> 12 34).\n"
            "--csv writes the same rows as the window's columns: Area,Where,This Codeplug,Other.\n"
            "\n"
            "Exit status: 0 the same, 1 different, 2 a file could not be read.\n"};
}

} // namespace r57::cli
