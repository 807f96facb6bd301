// Test helpers for running the programs built beside a test (r57, r57-radio) as child
// processes with a time limit, and a scratch folder for the files they read and write.
#pragma once

#include <string>
#include <sys/types.h>
#include <utility>
#include <vector>

namespace r57::test {

// The folder holding this test program and the programs built beside it.
std::string BuiltProgramFolder();

// A fresh empty folder, removed with everything in it (even after a test took away
// its write permission) when the object goes.
class TempFolder {
public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::string& path() const { return path_; }
    std::string file(const std::string& name) const { return path_ + "/" + name; }
    // The names of the folder's entries, sorted.
    std::vector<std::string> names() const;

private:
    std::string path_;
};

bool FileExists(const std::string& path);

struct ProgramResult {
    int exitCode = -1; // -1: killed at the time limit, or ended by a signal
    std::string out;
    std::string err;
};

// Runs a program from the build folder (or one named by an absolute path) with stdin
// from /dev/null; with `interruptAfterMs` >= 0 it gets SIGINT that long after its start.
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

// A program from the build folder started with `args`: stdin from /dev/null, stdout
// and stderr into the pipes `outFd` and `errFd`. The child's id, or -1.
pid_t SpawnBuiltProgram(const std::string& name, const std::vector<std::string>& args, int& outFd,
                        int& errFd);

// Waits for a child to end, at most `limitMs`, and kills it after that. Its exit code,
// or -1 when it was killed or ended by a signal.
int WaitOrKill(pid_t pid, int limitMs);

// Milliseconds of a steady clock.
long long NowMs();

} // namespace r57::test
