#include "radio_process.h"

#include "core/data_file.h"

#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <fstream>

namespace r57::test {

VirtualRadio::~VirtualRadio() {
    if (pid_ > 0) {
        kill(pid_, SIGKILL);
        waitpid(pid_, nullptr, 0);
    }
}

bool VirtualRadio::Built() {
    return access((BuiltProgramFolder() + "/r57-radio").c_str(), X_OK) == 0;
}

bool VirtualRadio::start(const std::vector<std::string>& options) {
    std::vector<std::string> args{
        "--baud", "0", "--log", folder_.file("frames.log"), "--save", savedMemoryPath()};
    args.insert(args.end(), options.begin(), options.end());
    int outFd = -1;
    int errFd = -1;
    pid_ = SpawnBuiltProgram("r57-radio", args, outFd, errFd);
    if (pid_ < 0)
        return false;
    close(errFd); // the radio's complaints, if any, are not needed
    // The first line on stdout is the terminal's path; nothing else comes there.
    const long long end = NowMs() + 5000;
    pollfd p{outFd, POLLIN, 0};
    while (device_.find('\n') == std::string::npos && NowMs() < end) {
        if (poll(&p, 1, 100) <= 0)
            continue;
        char buffer[256];
        const ssize_t n = read(outFd, buffer, sizeof buffer);
        if (n <= 0)
            break;
        device_.append(buffer, static_cast<std::size_t>(n));
    }
    close(outFd);
    const auto newline = device_.find('\n');
    if (newline == std::string::npos) {
        ADD_FAILURE() << "r57-radio did not report its terminal";
        device_.clear();
        return false;
    }
    device_.resize(newline);
    return true;
}

bool VirtualRadio::start(const CodeplugImage& memory, const std::vector<std::string>& options) {
    const std::string path = folder_.file("loaded.bin");
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(memory.data()), CodeplugImage::kSize);
    std::vector<std::string> args{"--load", path};
    args.insert(args.end(), options.begin(), options.end());
    return start(args);
}

std::optional<CodeplugImage> VirtualRadio::stopAndTakeMemory() {
    if (pid_ <= 0)
        return std::nullopt;
    kill(pid_, SIGTERM);
    const int code = WaitOrKill(pid_, 5000);
    pid_ = -1;
    if (code != 0) {
        ADD_FAILURE() << "r57-radio ended with " << code;
        return std::nullopt;
    }
    auto loaded = ReadDataFile(savedMemoryPath());
    if (!loaded.status)
        return std::nullopt;
    return loaded.image;
}

void VirtualRadio::vanish() {
    if (pid_ <= 0)
        return;
    kill(pid_, SIGKILL);
    waitpid(pid_, nullptr, 0);
    pid_ = -1;
}

int VirtualRadio::waitForExit(int limitMs) {
    if (pid_ <= 0)
        return -1;
    const int code = WaitOrKill(pid_, limitMs);
    pid_ = -1;
    return code;
}

std::vector<std::string> VirtualRadio::log() const {
    std::vector<std::string> lines;
    std::ifstream in(folder_.file("frames.log"));
    for (std::string line; std::getline(in, line);)
        if (!line.empty())
            lines.push_back(line);
    return lines;
}

std::vector<std::string> VirtualRadio::frames() const {
    std::vector<std::string> out;
    for (std::string line : log()) {
        if (line.rfind("unit ", 0) == 0)
            continue; // a unit of --units comes onto the line
        line = line.substr(line.find(' ') + 1);
        const auto mark = line.find(" [");
        out.push_back(mark == std::string::npos ? line : line.substr(0, mark));
    }
    return out;
}

} // namespace r57::test
