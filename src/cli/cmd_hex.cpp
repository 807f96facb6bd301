// r57 hex: the whole memory image as the memory map shows it, 1024 rows of 16 bytes.
#include "cli/cli_support.h"

#include <ostream>

namespace r57::cli {
namespace {

int RunHex(const std::vector<std::string>& args, const CliContext& context) {
    CommandInput input(context, HexCommand(), args, {});
    if (!input.onePositional("FILE.dat")) {
        return input.status();
    }
    const std::optional<CodeplugImage> image = input.load(input.positional().front());
    if (!image) {
        return input.status();
    }
    static const char kDigits[] = "0123456789ABCDEF";
    std::string text;
    text.reserve(addr::kRowCount * 56);
    for (int row = 0; row < addr::kRowCount; ++row) {
        // Row labels as the memory map has them: "0" .. "3FF".
        char label[4];
        int length = 0;
        for (int shift = 8; shift >= 0; shift -= 4) {
            const int digit = (row >> shift) & 0xF;
            if (digit || length || shift == 0) {
                label[length++] = kDigits[digit];
            }
        }
        text.append(label, length);
        for (int column = 0; column < addr::kRowSize; ++column) {
            const uint8_t byte = image->at(row, column);
            text += ' ';
            text += kDigits[byte >> 4];
            text += kDigits[byte & 0xF];
        }
        text += '\n';
    }
    *context.out << text;
    return FinishOutput(context);
}

} // namespace

Command HexCommand() {
    return {"hex", "Print the memory image in hexadecimal, 16 bytes a row", RunHex,
            "Usage: r57 hex FILE.dat\n"
            "\n"
            "Prints 1024 lines: the row number in hexadecimal (0 to 3FF, address / 16),\n"
            "then the row's 16 bytes as two hexadecimal digits each.\n"};
}

} // namespace r57::cli
