// The advice texts, one row per case, with {device}, {holder}, {group} and {user} filled
// in from what the caller knows.
#include "link/port_advice.h"

#include <grp.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <optional>
#include <utility>
#include <vector>

namespace r57::link {
namespace {

// Which row of the table a failure takes.
enum class Case {
    NotInGroup,
    JoinedAfterLogin,
    BusyKnownHolder,
    BusyUnknownHolder,
    NoSuchDevice,
    VanishedCh340,
};

struct Words {
    const char* reason;
    const char* remedy;
};

struct AdviceRow {
    Case which;
    Words english;
    Words chinese;
};

const AdviceRow kAdvice[] = {
    {Case::NotInGroup,
     {"You may not use {device}: it belongs to the group \"{group}\" and your user is not in "
      "it.",
      "Add your user to the group with the command\n    sudo usermod -aG {group} {user}\nthen "
      "log out and in again (or restart the computer) so that the new group takes effect."},
     {"您没有使用 {device} 的权限：该设备属于“{group}”组，而您的用户不在该组中。",
      "请用以下命令把您的用户加入该组：\n    sudo usermod -aG {group} {user}\n"
      "然后注销并重新登录（或重新启动计算机），新的组才会生效。"}},
    {Case::JoinedAfterLogin,
     {"You may not use {device} yet: your user was added to the group \"{group}\" after this "
      "session began.",
      "Log out and in again (or restart the computer) so that the new group takes effect."},
     {"您暂时还不能使用 {device}：您的用户是在本次登录之后才加入“{group}”组的。",
      "请注销并重新登录（或重新启动计算机），新的组才会生效。"}},
    {Case::BusyKnownHolder,
     {"{device} is in use by another program: {holder}.",
      "Close that program (or end it), then try again."},
     {"{device} 正被另一个程序占用：{holder}。", "请关闭（或结束）该程序，然后重试。"}},
    {Case::BusyUnknownHolder,
     {"{device} is in use by another program.",
      "Close the other program that uses the serial port (a terminal program, another "
      "programming software), then try again."},
     {"{device} 正被另一个程序占用。",
      "请关闭正在使用该串口的其他程序（例如终端程序或其他写频软件），然后重试。"}},
    {Case::NoSuchDevice,
     {"There is no device {device}: the programming cable is not plugged in, or the computer "
      "gave it another name.",
      "Plug the cable into the computer, wait a moment and try again. If it still fails, "
      "choose the port the cable appears as (ls /dev/ttyUSB* /dev/ttyACM*)."},
     {"找不到设备 {device}：写频线没有插上，或者计算机给了它另一个名称。",
      "请把写频线插到计算机上，稍等片刻后重试。如果仍然失败，请选择写频线实际对应的端口"
      "（ls /dev/ttyUSB* /dev/ttyACM*）。"}},
    {Case::VanishedCh340,
     {"The cable's CH340 adapter appeared and vanished again at once: the braille display "
      "service brltty is known to claim these adapters.",
      "If no braille display is used on this computer, remove brltty\n    sudo apt remove "
      "brltty\nthen unplug the cable and plug it in again."},
     {"写频线的 CH340 适配器刚出现就又消失了：盲文显示服务 brltty 会占用这类适配器。",
      "如果这台计算机不使用盲文显示器，请卸载 brltty：\n    sudo apt remove brltty\n"
      "然后拔下写频线再重新插上。"}},
};

std::optional<Case> CaseOf(const PortFailureFacts& facts) {
    switch (facts.kind) {
    case PortAdviceKind::PermissionDenied:
        return facts.joinedAfterLogin ? Case::JoinedAfterLogin : Case::NotInGroup;
    case PortAdviceKind::Busy:
        return facts.holder.empty() ? Case::BusyUnknownHolder : Case::BusyKnownHolder;
    case PortAdviceKind::NoSuchDevice:
        return Case::NoSuchDevice;
    case PortAdviceKind::VanishedCh340:
        return Case::VanishedCh340;
    case PortAdviceKind::Other:
        break;
    }
    return std::nullopt;
}

// The program holding a port, with its process number when known.
std::string HolderText(const PortFailureFacts& facts, int language) {
    if (facts.holderPid <= 0) {
        return facts.holder;
    }
    const std::string pid = std::to_string(facts.holderPid);
    return facts.holder + (language == 1 ? "（进程 " + pid + "）" : " (process " + pid + ")");
}

std::string Fill(const char* pattern, const PortFailureFacts& facts, int language) {
    const std::pair<const char*, std::string> fields[] = {
        {"{device}", facts.device},
        {"{holder}", HolderText(facts, language)},
        {"{group}", facts.group.empty() ? std::string("dialout") : facts.group},
        {"{user}", facts.user.empty() ? std::string("$USER") : facts.user},
    };
    std::string text = pattern;
    for (const auto& [name, value] : fields) {
        const std::string key = name;
        for (std::size_t at = text.find(key); at != std::string::npos;
             at = text.find(key, at + value.size())) {
            text.replace(at, key.size(), value);
        }
    }
    return text;
}

} // namespace

PortAdviceKind PortAdviceKindFromErrno(int error) {
    switch (error) {
    case EACCES:
    case EPERM:
        return PortAdviceKind::PermissionDenied;
    case EBUSY:
        return PortAdviceKind::Busy;
    case ENOENT:
    case ENODEV:
    case ENXIO:
        return PortAdviceKind::NoSuchDevice;
    default:
        return PortAdviceKind::Other;
    }
}

PortAdvice AdviseOnPortFailure(const PortFailureFacts& facts, int language) {
    const std::optional<Case> which = CaseOf(facts);
    if (!which) {
        return {};
    }
    for (const AdviceRow& row : kAdvice) {
        if (row.which == *which) {
            const Words& words = language == 1 ? row.chinese : row.english;
            return {Fill(words.reason, facts, language), Fill(words.remedy, facts, language)};
        }
    }
    return {};
}

std::string DeviceGroup(const std::string& device) {
    struct stat st {};
    if (stat(device.c_str(), &st) != 0) {
        return {};
    }
    std::vector<char> buffer(16384);
    group entry{};
    group* found = nullptr;
    if (getgrgid_r(st.st_gid, &entry, buffer.data(), buffer.size(), &found) != 0 || !found) {
        return {};
    }
    return found->gr_name;
}

bool GroupJoinedAfterLogin(const std::string& groupName) {
    std::vector<char> groupBuffer(16384);
    group entry{};
    group* found = nullptr;
    if (getgrnam_r(groupName.c_str(), &entry, groupBuffer.data(), groupBuffer.size(), &found) !=
            0 ||
        !found) {
        return false;
    }
    const gid_t gid = found->gr_gid;
    // Does this session already have the group?
    if (getegid() == gid) {
        return false;
    }
    const int count = getgroups(0, nullptr);
    std::vector<gid_t> groups(count > 0 ? static_cast<std::size_t>(count) : 0);
    if (count > 0 && getgroups(count, groups.data()) == count) {
        for (gid_t g : groups) {
            if (g == gid) {
                return false;
            }
        }
    }
    // Does the database list the user in it?
    std::vector<char> userBuffer(16384);
    passwd user{};
    passwd* me = nullptr;
    if (getpwuid_r(getuid(), &user, userBuffer.data(), userBuffer.size(), &me) != 0 || !me) {
        return false;
    }
    if (me->pw_gid == gid) {
        return true;
    }
    for (char** member = found->gr_mem; member && *member; ++member) {
        if (std::string(*member) == me->pw_name) {
            return true;
        }
    }
    return false;
}

} // namespace r57::link
