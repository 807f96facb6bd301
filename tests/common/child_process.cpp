#include "child_process.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>

namespace r57::test {

namespace fs = std::filesystem;

namespace {

// The argument vector of `path` with `args`, pointing into the strings. Made before
// fork(): a child of a program with threads must not allocate.
std::vector<char*> ArgumentVector(const std::string& path, const std::vector<std::string>& args) {
    std::vector<char*> argv{const_cast<char*>(path.c_str())};
    for (const auto& a : args)
        argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    return argv;
}

} // namespace

long long NowMs() {
    timespec ts{};
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return ts.tv_sec * 1000LL + ts.tv_nsec / 1000000;
}

int WaitOrKill(pid_t pid, int limitMs) {
    const long long end = NowMs() + limitMs;
    int status = 0;
    while (true) {
        const pid_t done = waitpid(pid, &status, WNOHANG);
        if (done == pid)
            return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
        if (done < 0)
            return -1;
        if (NowMs() >= end) {
            kill(pid, SIGKILL);
            waitpid(pid, &status, 0);
            return -1;
        }
        usleep(10 * 1000);
    }
}

pid_t SpawnBuiltProgram(const std::string& name, const std::vector<std::string>& args, int& outFd,
                        int& errFd) {
    const std::string path = name.rfind('/', 0) == 0 ? name : BuiltProgramFolder() + "/" + name;
    std::vector<char*> argv = ArgumentVector(path, args);
    int out[2];
    int err[2];
    if (pipe2(out, O_CLOEXEC) != 0 || pipe2(err, O_CLOEXEC) != 0)
        return -1;
    const pid_t pid = fork();
    if (pid == 0) {
        const int null = open("/dev/null", O_RDONLY);
        dup2(null, STDIN_FILENO);
        dup2(out[1], STDOUT_FILENO);
        dup2(err[1], STDERR_FILENO);
        execv(path.c_str(), argv.data());
        _exit(127);
    }
    close(out[1]);
    close(err[1]);
    outFd = out[0];
    errFd = err[0];
    return pid;
}

std::string BuiltProgramFolder() {
    return fs::read_symlink("/proc/self/exe").parent_path().string();
}

TempFolder::TempFolder() {
    std::string pattern = (fs::temp_directory_path() / "r57-test-XXXXXX").string();
    path_ = mkdtemp(pattern.data()) ? pattern : std::string();
}

TempFolder::~TempFolder() {
    std::error_code ec;
    fs::permissions(path_, fs::perms::owner_all, fs::perm_options::add, ec);
    fs::remove_all(path_, ec);
}

std::vector<std::string> TempFolder::names() const {
    std::vector<std::string> result;
    for (const auto& entry : fs::directory_iterator(path_))
        result.push_back(entry.path().filename().string());
    std::sort(result.begin(), result.end());
    return result;
}

bool FileExists(const std::string& path) {
    struct stat st {};
    return stat(path.c_str(), &st) == 0;
}

ProgramResult RunBuiltProgram(const std::string& name, const std::vector<std::string>& args,
                              int limitMs, int interruptAfterMs) {
    ProgramResult result;
    int outFd = -1;
    int errFd = -1;
    const pid_t pid = SpawnBuiltProgram(name, args, outFd, errFd);
    if (pid < 0)
        return result;
    const long long end = NowMs() + limitMs;
    long long interruptAt = interruptAfterMs >= 0 ? NowMs() + interruptAfterMs : -1;
    pollfd fds[2] = {{outFd, POLLIN, 0}, {errFd, POLLIN, 0}};
    std::string* sinks[2] = {&result.out, &result.err};
    int openPipes = 2;
    while (openPipes > 0 && NowMs() < end) {
        if (interruptAt >= 0 && NowMs() >= interruptAt) {
            kill(pid, SIGINT);
            interruptAt = -1;
        }
        if (poll(fds, 2, 20) <= 0)
            continue;
        for (int i = 0; i < 2; ++i) {
            if (fds[i].fd < 0 || !(fds[i].revents & (POLLIN | POLLHUP)))
                continue;
            char buffer[4096];
            const ssize_t n = read(fds[i].fd, buffer, sizeof buffer);
            if (n > 0) {
                sinks[i]->append(buffer, static_cast<std::size_t>(n));
            } else {
                close(fds[i].fd);
                fds[i].fd = -1;
                --openPipes;
            }
        }
    }
    for (auto& f : fds)
        if (f.fd >= 0)
            close(f.fd);
    result.exitCode = WaitOrKill(pid, static_cast<int>(std::max(0LL, end - NowMs())));
    return result;
}

TerminalResult RunOnTerminal(const std::string& name, const std::vector<std::string>& args,
                             const std::vector<std::pair<std::string, std::string>>& prompts,
                             int limitMs) {
    TerminalResult result;
    const int master = posix_openpt(O_RDWR | O_NOCTTY);
    if (master < 0 || grantpt(master) != 0 || unlockpt(master) != 0)
        return result;
    const std::string slavePath = ptsname(master);
    const std::string path = BuiltProgramFolder() + "/" + name;
    std::vector<char*> argv = ArgumentVector(path, args);
    const pid_t pid = fork();
    if (pid == 0) {
        setsid();
        const int slave = open(slavePath.c_str(), O_RDWR); // becomes the controlling terminal
        dup2(slave, STDIN_FILENO);
        dup2(slave, STDOUT_FILENO);
        dup2(slave, STDERR_FILENO);
        close(master);
        execv(path.c_str(), argv.data());
        _exit(127);
    }
    const long long end = NowMs() + limitMs;
    std::size_t next = 0;
    std::size_t seenUpTo = 0;
    pollfd p{master, POLLIN, 0};
    while (NowMs() < end) {
        if (poll(&p, 1, 100) <= 0)
            continue;
        char buffer[4096];
        const ssize_t n = read(master, buffer, sizeof buffer);
        if (n <= 0)
            break; // EIO: the program has closed the terminal
        result.screen.append(buffer, static_cast<std::size_t>(n));
        if (next < prompts.size()) {
            const auto at = result.screen.find(prompts[next].first, seenUpTo);
            if (at != std::string::npos) {
                seenUpTo = at + prompts[next].first.size();
                const std::string& typed = prompts[next++].second;
                if (write(master, typed.data(), typed.size()) < 0)
                    break;
            }
        }
    }
    result.exitCode = WaitOrKill(pid, static_cast<int>(std::max(0LL, end - NowMs())));
    close(master);
    return result;
}

} // namespace r57::test
