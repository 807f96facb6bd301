// r57: the codeplug commands of the R57 programming software on the command line.
#include "cli/cli_support.h"
#include "cli/commands.h"
#include "cli/completion.h"

#include "core/program_files.h"

#include <algorithm>
#include <iostream>

namespace r57::cli {

std::vector<Command> AllCommands() {
    std::vector<Command> commands{NewCommand(), PackCommand(), UnpackCommand(), ChannelsCommand(),
                                  HexCommand()};
#ifdef R57_WITH_LINK
    for (const Command& command : LinkCommands()) {
        commands.push_back(command);
    }
#endif
#ifdef R57_WITH_TEXT
    for (const Command& command : TextCommands()) {
        commands.push_back(command);
    }
#endif
#ifdef R57_WITH_BATCH
    for (const Command& command : BatchCommands()) {
        commands.push_back(command);
    }
#endif
#ifdef R57_WITH_PRINT
    for (const Command& command : PrintCommands()) {
        commands.push_back(command);
    }
#endif
    commands.push_back(CompletionCommand());
    return commands;
}

namespace {

void PrintToolUsage(std::ostream& out, const std::vector<Command>& commands) {
    out << "Usage: r57 COMMAND [ARGUMENTS] [--lang en|zh]\n"
           "\n"
           "Works with R57 codeplug data files (*.dat).\n"
           "\n"
           "Commands:\n";
    for (const Command& command : commands) {
        std::string name = command.name;
        name.resize(std::max<std::size_t>(name.size() + 2, 10), ' ');
        out << "  " << name << command.summary << "\n";
    }
    out << "\n"
           "Options:\n"
           "  --lang en|zh  English (default) or Chinese texts from the program's table\n"
           "  -h, --help    This help; 'r57 COMMAND --help' shows a command's arguments\n"
           "  --version     The program's version\n"
           "\n"
           "Exit status: 0 done; 2 arguments or input refused, no output written;\n"
           "1 any other failure.\n";
}

bool WantsHelp(const std::vector<std::string>& args) {
    for (const std::string& arg : args) {
        if (arg == "--") {
            return false;
        }
        if (arg == "-h" || arg == "--help") {
            return true;
        }
    }
    return false;
}

int Main(int argc, char** argv) {
    CliContext context;
    context.out = &std::cout;
    context.err = &std::cerr;
    const std::vector<Command> commands = AllCommands();

    // --lang may stand anywhere on the line; it is taken out before the command runs.
    std::vector<std::string> args;
    for (int i = 1; i < argc; ++i) {
        std::string arg = argv[i];
        std::string value;
        if (arg == "--lang") {
            if (i + 1 >= argc) {
                return Refuse(context, "option --lang needs a value (en or zh)");
            }
            value = argv[++i];
        } else if (arg.rfind("--lang=", 0) == 0) {
            value = arg.substr(7);
        } else {
            args.push_back(arg);
            continue;
        }
        const std::optional<int> language = ParseLanguage(value);
        if (!language) {
            return Refuse(context, "unknown language '" + value + "' (en or zh)");
        }
        context.language = *language;
    }

    if (args.empty()) {
        PrintToolUsage(std::cerr, commands);
        return kExitRefused;
    }
    std::string name = args.front();
    args.erase(args.begin());
    if (name == "-h" || name == "--help" || (name == "help" && args.empty())) {
        PrintToolUsage(std::cout, commands);
        return FinishOutput(context);
    }
    if (name == "--version") {
        std::cout << "r57 " << ProgramVersion() << "\n";
        return FinishOutput(context);
    }
    bool help = WantsHelp(args);
    if (name == "help") {
        name = args.front();
        help = true;
    }
    for (const Command& command : commands) {
        if (name == command.name) {
            if (help) {
                std::cout << command.usage;
                return FinishOutput(context);
            }
            context.programDirectory =
                DataFolder(RunningProgramFolder(argc > 0 ? argv[0] : nullptr));
            return command.run(args, context);
        }
    }
    return Refuse(context, "unknown command '" + name + "'; try 'r57 --help'");
}

} // namespace
} // namespace r57::cli

int main(int argc, char** argv) {
    try {
        return r57::cli::Main(argc, argv);
    } catch (const std::exception& e) {
        std::cerr << "r57: " << e.what() << std::endl;
        return r57::cli::kExitFailure;
    }
}
