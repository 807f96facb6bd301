// Plain words for a serial port that would not open: why, and what to do about it, in
// English and Chinese. The caller tells what kind of failure it met (from the system's
// error number through PortAdviceKindFromErrno, or from what it saw of the device) and what
// it knows about the device; this module only chooses and fills in the words.
#pragma once

#include <string>

namespace r57::link {

enum class PortAdviceKind {
    PermissionDenied, // the user may not open the device
    Busy,             // another program holds the device
    NoSuchDevice,     // nothing at that name: the cable is not plugged in
    VanishedCh340,    // a CH340 adapter that was there right after plugging is gone again
    Other,            // nothing to add to the system's own words
};

// The kind of failure a system error number (errno) stands for.
PortAdviceKind PortAdviceKindFromErrno(int error);

// The USB ids of the CH340 adapter, which the braille display service brltty takes for
// a braille display and claims as soon as it is plugged in.
constexpr unsigned kCh340Vendor = 0x1a86;
constexpr unsigned kCh340Product = 0x7523;

struct PortFailureFacts {
    PortAdviceKind kind = PortAdviceKind::Other;
    std::string device;            // "/dev/ttyUSB0"
    std::string holder;            // Busy: the program holding it ("minicom"), or ""
    long holderPid = 0;            // Busy: its process number, when known
    std::string group = "dialout"; // PermissionDenied: the group the device belongs to
    std::string user;              // PermissionDenied: the login name ("" gives $USER)
    bool joinedAfterLogin = false; // PermissionDenied: in `group` already, but not this session
};

struct PortAdvice {
    std::string reason; // what is wrong, in plain words ("" for PortAdviceKind::Other)
    std::string remedy; // what the user can do about it
    bool empty() const { return reason.empty(); }
};

// The advice for a failure in the given language (0 English, 1 Chinese), UTF-8.
PortAdvice AdviseOnPortFailure(const PortFailureFacts& facts, int language);

// The name of the group owning a device file; "" when it cannot be found.
std::string DeviceGroup(const std::string& device);

// True when the group database lists the running user in `group` while this program's
// session does not have the group yet: the user was added after logging in.
bool GroupJoinedAfterLogin(const std::string& group);

} // namespace r57::link
