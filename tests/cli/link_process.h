// Test helpers for the radio commands: running a built program with a time limit,
// and a virtual radio (r57-radio) as a child process on a pseudo-terminal.
#pragma once

#include "core/image.h"

#include <optional>
#include <string>
#include <sys/types.h>
#include <vector>

namespace r57::clitest {

// The folder holding this test program and the programs built beside it.
std::string BuiltProgramFolder();

// A fresh empty folder, removed with the object.
class TempFolder {
public:
    TempFolder();
    ~TempFolder();
    std::string file(const std::string& name) const { return path_ + "/" + name; }

private:
    std::string path_;
};

struct ProgramResult {
    int exitCode = -1; // -1: killed at the time limit
    std::string out;
    std::string err;
};

// Runs a program from the build folder with stdin from /dev/null; with
// `interruptAfterMs` >= 0 it gets SIGINT that long after its start.
ProgramResult RunBuiltProgram(const std::string& name, const std::vector<std::string>& args,
                              int limitMs = 30000, int interruptAfterMs = -1);

// Runs a program from the build folder on a terminal of its own (stdin, stdout and
// stderr). Whenever the screen shows the next `prompts[i].first`, it types
// `prompts[i].second`. `screen` collects everything shown.
struct TerminalResult {
    int exitCode = -1; // -1: killed at the time limit
    std::string screen;
};
TerminalResult RunOnTerminal(const std::string& name, const std::vector<std::string>& args,
                             const std::vector<std::pair<std::string, std::string>>& prompts,
                             int limitMs = 30000);

class RadioChild {
public:
    RadioChild() = default;
    ~RadioChild(); // kills the radio if it still runs
    RadioChild(const RadioChild&) = delete;
    RadioChild& operator=(const RadioChild&) = delete;

    // Starts r57-radio with an unpaced line, a frame log and a save file, plus `options`.
    bool start(const std::vector<std::string>& options = {});
    const std::string& device() const { return device_; }
    // Options that load `image` as the radio's memory.
    std::vector<std::string> load(const CodeplugImage& image);
    // Stops the radio, which saves its memory, and returns that memory.
    std::optional<CodeplugImage> stopAndTakeMemory();
    // Waits for the radio to end by itself; its exit code, or -1 when it did not.
    int waitForExit(int limitMs);
    // Where the radio saves its memory when it ends.
    std::string savedMemoryPath() const { return folder_.file("memory.dat"); }
    // One line per frame received: "<n> <frame>[ fault]".
    std::vector<std::string> log() const;

private:
    TempFolder folder_;
    pid_t pid_ = -1;
    std::string device_;
};

bool FileExists(const std::string& path);
// An image of pseudo-random bytes (the same for the same seed).
CodeplugImage RandomImage(unsigned seed);

} // namespace r57::clitest
