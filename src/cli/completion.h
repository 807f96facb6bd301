// Shell completion for r57, made from the command table itself: each command's options,
// their values and the files it takes are read from the synopsis its --help prints, so
// what the shells complete and what the help says never drift apart.
#pragma once

#include "cli/commands.h"

#include <string>
#include <vector>

namespace r57::cli {

// What may follow an option, or stand as a command's argument.
struct CompletionValue {
    enum class Kind { None, Choices, Files, Device, Words };
    Kind kind = Kind::None;
    std::vector<std::string> words; // choices ("a4", "letter"), or file endings ("dat")
};

struct CompletionOption {
    std::string name; // "--port", "-o"
    CompletionValue value;
};

struct CommandCompletion {
    std::string name;
    std::vector<CompletionOption> options;
    CompletionValue arguments; // what the words that are not options complete to
    // The first argument's words where the command takes an ACTION (service).
    std::vector<std::string> actions;
};

// The synopsis of `command.usage` ("Usage: r57 NAME ..." up to the first blank line,
// with its continuation lines), read into options and arguments.
CommandCompletion CompletionOf(const Command& command);

// The scripts "r57 completion bash|zsh" prints.
std::string BashCompletion(const std::vector<Command>& commands);
std::string ZshCompletion(const std::vector<Command>& commands);

// "r57 completion": the command itself; it needs the whole table, so main.cpp gives it.
Command CompletionCommand();

} // namespace r57::cli
