// The command table of the r57 tool.
//
// Every command is one entry: its name, a one-line summary for "r57 --help", its full
// usage text for "r57 NAME --help", and the function that runs it. main.cpp collects
// the codeplug commands below and, when the tool is built with the radio link
// (R57_WITH_LINK, set by src/cli/CMakeLists.txt), appends LinkCommands().
//
// Adding the radio commands: define
//     std::vector<Command> LinkCommands();
// in a source file under src/cli/link/ (all of them are compiled only with the link),
// returning one entry per command (read, write, service). A command's run function gets
// its arguments without the command name and without --lang (main takes that out and
// puts it into CliContext::language). It returns one of the exit codes below and may use
// the helpers of cli_support.h for options, messages and files.
#pragma once

#include <iosfwd>
#include <string>
#include <vector>

namespace r57::cli {

// Exit statuses of every command.
constexpr int kExitOk = 0;
constexpr int kExitFailure = 1; // anything else: unreadable input, a failed write...
constexpr int kExitRefused = 2; // bad arguments or input refused; no output was touched
// The transfer succeeded, but a backup it keeps could not be written (said on stderr).
constexpr int kExitBackupLost = 3;

struct CliContext {
    // The folder the stock logo is found in, with a trailing '/': beside the r57
    // program, or the installed data folder (core/program_files.h).
    std::string programDirectory;
    int language = 0;            // 0 English, 1 Chinese (from --lang en|zh)
    std::ostream* out = nullptr; // normal output
    std::ostream* err = nullptr; // messages
};

struct Command {
    const char* name;
    const char* summary; // one line, shown by "r57 --help"
    int (*run)(const std::vector<std::string>& args, const CliContext& context);
    const char* usage; // shown by "r57 NAME --help"; starts with the synopsis line
};

// Every command of the tool, in the order "r57 --help" lists them.
std::vector<Command> AllCommands();

// The codeplug commands, one per file.
Command NewCommand();
Command PackCommand();
Command UnpackCommand();
Command ChannelsCommand();
Command HexCommand();

#ifdef R57_WITH_LINK
// The radio commands, defined under src/cli/link/.
std::vector<Command> LinkCommands();
#endif

#ifdef R57_WITH_PRINT
// The printed channel sheet (pdf), under src/cli/print/.
std::vector<Command> PrintCommands();
#endif

#ifdef R57_WITH_TEXT
// The codeplug as text (export, import, csv-export, csv-import, diff), under src/cli/text/.
std::vector<Command> TextCommands();
#endif

#ifdef R57_WITH_BATCH
// One codeplug into many radios (batch), under src/cli/batch/: needs both of the above.
std::vector<Command> BatchCommands();
#endif

} // namespace r57::cli
