// The radio commands of the r57 tool.
#include "cli/link/radio_transfer.h"

namespace r57::cli {

std::vector<Command> LinkCommands() {
    return {RadioReadCommand(), RadioWriteCommand(), RadioServiceCommand(), RadioRestoreCommand()};
}

} // namespace r57::cli
