// The radio commands of the r57 tool.
#include "../commands.h"

namespace r57::cli {

Command RadioReadCommand();
Command RadioWriteCommand();
Command RadioServiceCommand();

std::vector<Command> LinkCommands() {
    return {RadioReadCommand(), RadioWriteCommand(), RadioServiceCommand()};
}

} // namespace r57::cli
