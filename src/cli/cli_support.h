// Helpers every command of the r57 tool shares: option parsing, messages with the
// exit status they go with, and reading and writing files.
#pragma once

#include "commands.h"

#include "core/image.h"

#include <cstdint>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

namespace r57::cli {

struct ParsedArgs {
    std::vector<std::string> positional;
    std::map<std::string, std::string> values; // "-o" -> "out.dat"
    std::set<std::string> flags;               // "--help"
    std::string error;                         // non-empty when the arguments are malformed

    bool has(const std::string& name) const { return values.count(name) || flags.count(name); }
    std::string value(const std::string& name) const {
        auto it = values.find(name);
        return it == values.end() ? std::string() : it->second;
    }
};

// Splits arguments into positional ones and options. `valued` names the options that
// take a value ("-o FILE", also "-o=FILE" and "--bank=B"); `flags` those that do not.
// "-h" and "--help" are always known flags (stored as "--help"); "--" ends the options.
ParsedArgs ParseArgs(const std::vector<std::string>& args, const std::vector<std::string>& valued,
                     const std::vector<std::string>& flags = {});

// "en" -> 0, "zh" -> 1.
std::optional<int> ParseLanguage(const std::string& text);

// Prints "r57: message" on stderr and returns the exit status to end with.
int Refuse(const CliContext& context, const std::string& message); // kExitRefused
int Fail(const CliContext& context, const std::string& message);   // kExitFailure

// For a command whose arguments are wrong: the message and a pointer to --help.
int UsageError(const CliContext& context, const Command& command, const std::string& message);

// Reads a data file. On failure prints why (unreadable: the system's text, exit 1; not
// a data file: "Incorrect File Type." in the context's language, exit 2) and sets
// `exitStatus`.
std::optional<CodeplugImage> LoadCodeplug(const CliContext& context, const std::string& path,
                                          int& exitStatus);

// Writes an output file whole (never half-written); kExitOk, or kExitFailure with the
// system's text printed.
int WriteOutput(const CliContext& context, const std::string& path,
                const std::vector<uint8_t>& bytes);

// Flushes normal output; kExitFailure when it could not be written (a full disk, a
// closed pipe).
int FinishOutput(const CliContext& context);

} // namespace r57::cli
