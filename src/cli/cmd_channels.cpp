// r57 channels: a bank as the channel grid shows it, one tab-separated line per row.
#include "cli/cli_support.h"

#include "core/channel.h"

#include <ostream>

namespace r57::cli {
namespace {

int RunChannels(const std::vector<std::string>& args, const CliContext& context) {
    CommandInput input(context, ChannelsCommand(), args, {"--bank"});
    input.onePositional("FILE.dat");
    const std::string bankName = input.has("--bank") ? input.value("--bank") : "A";
    const bool bankB = bankName == "B" || bankName == "b";
    input.expect(bankB || bankName == "A" || bankName == "a", "--bank is A or B, not " + bankName);
    if (!input) {
        return input.status();
    }
    std::optional<CodeplugImage> image = input.load(input.positional().front());
    if (!image) {
        return input.status();
    }
    const int bank = bankB ? 1 : 0;
    // Decoding tidies the in-memory copy (empty records, stray name bytes); the file
    // itself is only read.
    const BankTexts rows = DecodeBank(*image, bank, context.language);
    std::string text;
    for (int column = 0; column < kColumnCount; ++column) {
        text += (column ? "\t" : "") + ColumnCaption(column, context.language);
    }
    text += '\n';
    for (const BankRow& row : rows) {
        for (int column = 0; column < kColumnCount; ++column) {
            if (column) {
                text += '\t';
            }
            text += row[column];
        }
        text += '\n';
    }
    *context.out << text;
    return FinishOutput(context);
}

} // namespace

Command ChannelsCommand() {
    return {"channels", "List the 128 channels of a bank", RunChannels,
            "Usage: r57 channels FILE.dat [--bank A|B] [--lang en|zh]\n"
            "\n"
            "Prints a line of the 15 column captions, then one line per channel A1..A128\n"
            "(or B1..B128), the cells separated by tabs, as the channel grid shows them.\n"
            "Empty channels have empty cells. The file is not changed.\n"};
}

} // namespace r57::cli
