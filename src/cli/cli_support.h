// Helpers every command of the r57 tool shares: option parsing, messages with the
// exit status they go with, and reading and writing files.
#pragma once

#include "cli/commands.h"

#include "core/image.h"
#include "core/session.h"
#include "core/status.h"

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

// The arguments of one run of a command, checked in turn: the first check that fails
// prints its usage error and makes status() kExitRefused, and every later check is
// skipped, so a command reports only the first thing wrong. A malformed option is
// caught on construction.
class CommandInput {
public:
    CommandInput(const CliContext& context, const Command& self,
                 const std::vector<std::string>& args, const std::vector<std::string>& valued,
                 const std::vector<std::string>& flags = {});

    explicit operator bool() const { return status_ == kExitOk; }
    int status() const { return status_; }

    const std::vector<std::string>& positional() const { return parsed_.positional; }
    bool has(const std::string& name) const { return parsed_.has(name); }
    std::string value(const std::string& name) const { return parsed_.value(name); }
    // The data file "-o" names, with ".dat" appended unless it ends so already (as the
    // window's Save As does), so that File > Open lists it.
    std::string codeplugOutput() const;

    // The usage error `message` unless `ok`.
    CommandInput& expect(bool ok, const std::string& message);
    // "unexpected argument X" for any positional argument.
    CommandInput& noPositional();
    // Exactly one positional argument: "missing WHAT" or "too many arguments".
    CommandInput& onePositional(const std::string& what);
    // An option that must be given a value: "missing OPTION WHAT".
    CommandInput& require(const std::string& option, const std::string& what);

    // Reads the data file the command works on; nothing after printing why it could
    // not (see LoadCodeplug), and status() is the exit status then.
    std::optional<CodeplugImage> load(const std::string& path);

private:
    const CliContext& context_;
    Command self_; // a copy: callers pass the entry as a temporary
    ParsedArgs parsed_;
    int status_ = kExitOk;
};

// Reads a data file. On failure prints why (unreadable: the system's text, exit 1; not
// a data file: "Incorrect File Type." in the context's language, exit 2) and sets
// `exitStatus`.
std::optional<CodeplugImage> LoadCodeplug(const CliContext& context, const std::string& path,
                                          int& exitStatus);

// Writes an output file whole (never half-written); kExitOk, or as WriteRefused.
int WriteOutput(const CliContext& context, const std::string& path,
                const std::vector<uint8_t>& bytes);

// kExitOk for a good status; otherwise prints why `path` was not written: refused
// (not a regular file, exit 2) or the system's text (exit 1).
int WriteRefused(const CliContext& context, const std::string& path, const Status& status);

// Writes `image` as a data file, the same way as WriteOutput.
int WriteCodeplug(const CliContext& context, const std::string& path, const CodeplugImage& image);

// The codeplug the program has right after start-up: New defaults, default band
// limits and the stock logo from beside the tool.
Session FreshSession(const CliContext& context);

// Flushes normal output; kExitFailure when it could not be written (a full disk, a
// closed pipe).
int FinishOutput(const CliContext& context);

} // namespace r57::cli
