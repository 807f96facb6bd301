#include "port_problem.h"

#include <dirent.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <sstream>

namespace r57::link {

namespace {

// One entry per kind; {device}, {reason} and {holder} are filled in. A kind may have
// more lines than one; an entry whose text names {holder} is left out when the holder
// is not known, and one marked `unknownHolder` only then.
struct LineText {
    PortFailureKind kind;
    const char* english;
    const char* chinese;
    bool needsHolder = false;
    bool unknownHolder = false;
};

constexpr LineText kLines[] = {
    {PortFailureKind::NotFound, "{device}: {reason}", "{device}：{reason}"},
    {PortFailureKind::NoPermission, "{device}: {reason}", "{device}：{reason}"},
    {PortFailureKind::Busy, "{device} is in use by another program: {holder} (process {pid}).",
     "{device} 正被另一个程序占用：{holder}（进程 {pid}）。", true},
    {PortFailureKind::Busy, "{device} is in use by another program.",
     "{device} 正被另一个程序占用。", false, true},
    {PortFailureKind::Lost, "{device}: {reason}", "{device}：{reason}"},
    {PortFailureKind::Lost, "The serial device stopped answering during the transfer.",
     "传输过程中串口设备停止响应。"},
    {PortFailureKind::Other, "{device}: {reason}", "{device}：{reason}"},
};

void Replace(std::string& text, const std::string& key, const std::string& value) {
    for (std::size_t at = text.find(key); at != std::string::npos;
         at = text.find(key, at + value.size()))
        text.replace(at, key.size(), value);
}

std::string FirstLine(const std::string& path) {
    std::ifstream in(path);
    std::string line;
    std::getline(in, line);
    return line;
}

PortHolder Holder(long pid) {
    return {FirstLine("/proc/" + std::to_string(pid) + "/comm"), pid};
}

// A lock file holds the owner's process number: as text (first line, maybe padded),
// or in old files as a binary int.
long LockOwner(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    const std::string content{std::istreambuf_iterator<char>(in), {}};
    if (content.empty())
        return 0;
    std::istringstream text(content);
    long pid = 0;
    if (text >> pid && pid > 0)
        return pid;
    if (content.size() == sizeof(int)) {
        int binary = 0;
        content.copy(reinterpret_cast<char*>(&binary), sizeof binary);
        return binary > 0 ? binary : 0;
    }
    return 0;
}

bool Alive(long pid) {
    return pid > 0 && (::kill(static_cast<pid_t>(pid), 0) == 0 || errno == EPERM);
}

std::string Canonical(const std::string& path) {
    char resolved[PATH_MAX];
    return ::realpath(path.c_str(), resolved) ? std::string(resolved) : path;
}

// The first process with the device among its open files.
PortHolder OpenedBy(const std::string& device) {
    struct stat target {};
    if (::stat(device.c_str(), &target) != 0)
        return {};
    DIR* proc = ::opendir("/proc");
    if (!proc)
        return {};
    PortHolder found;
    while (dirent* entry = ::readdir(proc)) {
        char* end = nullptr;
        const long pid = std::strtol(entry->d_name, &end, 10);
        if (*end != '\0' || pid <= 0)
            continue;
        const std::string fds = "/proc/" + std::string(entry->d_name) + "/fd";
        DIR* dir = ::opendir(fds.c_str());
        if (!dir)
            continue;
        while (dirent* fd = ::readdir(dir)) {
            struct stat st {};
            if (fd->d_name[0] != '.' && ::stat((fds + "/" + fd->d_name).c_str(), &st) == 0 &&
                S_ISCHR(st.st_mode) && st.st_rdev == target.st_rdev) {
                found = Holder(pid);
                break;
            }
        }
        ::closedir(dir);
        if (found.pid != 0)
            break;
    }
    ::closedir(proc);
    return found;
}

} // namespace

std::vector<std::string> PortFailureLines(const PortFailure& failure, int language) {
    std::vector<std::string> lines;
    for (const LineText& entry : kLines) {
        if (entry.kind != failure.kind || (entry.needsHolder && failure.holder.empty()) ||
            (entry.unknownHolder && !failure.holder.empty()))
            continue;
        std::string line = language == 1 ? entry.chinese : entry.english;
        Replace(line, "{device}", failure.device);
        Replace(line, "{reason}", failure.reason);
        Replace(line, "{holder}", failure.holder);
        Replace(line, "{pid}", std::to_string(failure.holderPid));
        lines.push_back(line);
    }
    return lines;
}

PortHolder FindPortHolder(const std::string& device, const std::vector<std::string>& lockFolders) {
    const std::string real = Canonical(device);
    const std::string base = real.substr(real.find_last_of('/') + 1);
    const std::vector<std::string> folders =
        lockFolders.empty() ? std::vector<std::string>{"/var/lock", "/run/lock"} : lockFolders;
    for (const std::string& folder : folders) {
        const long pid = LockOwner(folder + "/LCK.." + base);
        if (Alive(pid))
            return Holder(pid);
    }
    return OpenedBy(real);
}

} // namespace r57::link
