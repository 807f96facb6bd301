#include "link/port_problem.h"

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

// The system's own words, one entry per kind ({device} and {reason} filled in); a kind
// may have more lines than one. A busy port has none of its own: the advice names the
// program that holds it.
struct LineText {
    PortFailureKind kind;
    const char* english;
    const char* chinese;
};

constexpr LineText kLines[] = {
    {PortFailureKind::NotFound, "{device}: {reason}", "{device}：{reason}"},
    {PortFailureKind::NoPermission, "{device}: {reason}", "{device}：{reason}"},
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

// A sysfs id file ("1a86") holding `id`.
bool HexIdIs(const std::string& path, unsigned id) {
    const std::string text = FirstLine(path);
    char* end = nullptr;
    const unsigned long value = std::strtoul(text.c_str(), &end, 16);
    return !text.empty() && end && *end == '\0' && value == id;
}

// Whether one of a USB device's interfaces (device/1-2:1.0/...) carries a serial port
// (ttyUSB0, or a tty/ folder holding one).
bool HasSerialPort(const std::string& device) {
    DIR* dir = ::opendir(device.c_str());
    if (!dir)
        return false;
    bool found = false;
    while (!found) {
        dirent* entry = ::readdir(dir);
        if (!entry)
            break;
        const std::string name = entry->d_name;
        if (name.find(':') == std::string::npos)
            continue; // only the interfaces
        DIR* interface = ::opendir((device + "/" + name).c_str());
        if (!interface)
            continue;
        while (dirent* inner = ::readdir(interface)) {
            const std::string child = inner->d_name;
            if (child.rfind("tty", 0) == 0) {
                found = true;
                break;
            }
        }
        ::closedir(interface);
    }
    ::closedir(dir);
    return found;
}

} // namespace

std::vector<std::string> PortFailureLines(const PortFailure& failure, int language) {
    return PortFailureLines(failure, GatherAdviceFacts(failure), language);
}

std::vector<std::string> PortFailureLines(const PortFailure& failure, const PortFailureFacts& facts,
                                          int language) {
    std::vector<std::string> lines;
    for (const LineText& entry : kLines) {
        if (entry.kind != failure.kind)
            continue;
        std::string line = language == 1 ? entry.chinese : entry.english;
        Replace(line, "{device}", failure.device);
        Replace(line, "{reason}", failure.reason);
        lines.push_back(line);
    }
    const PortAdvice advice = AdviseOnPortFailure(facts, language);
    if (!advice.empty()) {
        lines.push_back(advice.reason);
        lines.push_back(advice.remedy);
    }
    return lines;
}

PortFailureFacts GatherAdviceFacts(const PortFailure& failure, const std::string& sysRoot) {
    PortFailureFacts facts;
    facts.device = failure.device;
    switch (failure.kind) {
    case PortFailureKind::NoPermission:
        facts.kind = PortAdviceKind::PermissionDenied;
        facts.group = DeviceGroup(failure.device);
        if (facts.group.empty())
            facts.group = "dialout";
        facts.joinedAfterLogin = GroupJoinedAfterLogin(facts.group);
        break;
    case PortFailureKind::Busy:
        facts.kind = PortAdviceKind::Busy;
        facts.holder = failure.holder;
        facts.holderPid = failure.holder.empty() ? 0 : failure.holderPid;
        break;
    case PortFailureKind::NotFound:
    case PortFailureKind::Lost: {
        // A device that stopped answering but is still there needs no advice about
        // cables; one that is gone was unplugged, or taken by another driver.
        struct stat st {};
        const bool gone = ::stat(failure.device.c_str(), &st) != 0;
        if (failure.kind == PortFailureKind::Lost && !gone)
            break;
        facts.kind = Ch340WithoutPort(sysRoot) ? PortAdviceKind::VanishedCh340
                                               : PortAdviceKind::NoSuchDevice;
        break;
    }
    case PortFailureKind::Other:
        break;
    }
    return facts;
}

bool Ch340WithoutPort(const std::string& sysRoot) {
    const std::string devices = sysRoot + "/bus/usb/devices";
    DIR* dir = ::opendir(devices.c_str());
    if (!dir)
        return false;
    bool found = false;
    while (dirent* entry = ::readdir(dir)) {
        const std::string device = devices + "/" + entry->d_name;
        if (entry->d_name[0] == '.' || !HexIdIs(device + "/idVendor", kCh340Vendor) ||
            !HexIdIs(device + "/idProduct", kCh340Product))
            continue;
        if (!HasSerialPort(device)) {
            found = true;
            break;
        }
    }
    ::closedir(dir);
    return found;
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
