// What went wrong with the serial port, in the words the user sees: the device, the
// system's own reason, and for a port in use the program that holds it, followed by the
// advice of port_advice.h (why, in plain words, and what to do). The window's message
// boxes and status log and the r57 tool's stderr all show these lines.
#pragma once

#include "link/port_advice.h"

#include <string>
#include <vector>

namespace r57::link {

enum class PortFailureKind {
    NotFound,     // no such device (unplugged, a wrong name)
    NoPermission, // the user may not open it
    Busy,         // another program has it open or locked
    Lost,         // it stopped working during a transfer (cable pulled, device gone)
    Other,        // any other reason the system gives
};

struct PortFailure {
    PortFailureKind kind = PortFailureKind::Other;
    std::string device; // "/dev/ttyUSB0"
    std::string reason; // the system's text, "Input/output error"
    std::string holder; // for Busy: the program that holds it ("minicom"), or empty
    long holderPid = 0; // and its process number
};

struct PortHolder {
    std::string name; // empty when it cannot be told
    long pid = 0;
};

// The lines that explain a failure, in the language (0 English, 1 Chinese). The
// caller puts its own headline first ("Cannot Open Communication Port."). The advice
// comes from what the system says about the device (GatherAdviceFacts).
std::vector<std::string> PortFailureLines(const PortFailure& failure, int language);
// The same with the advice chosen from `facts`.
std::vector<std::string> PortFailureLines(const PortFailure& failure, const PortFailureFacts& facts,
                                          int language);

// What the advice for a failure needs to know, asked of the system: the group the
// device belongs to and whether the user joined it only after logging in, and whether
// a CH340 adapter sits on the USB bus without a serial port (some other driver, such
// as the braille display service, took it). `sysRoot` is where sysfs is mounted.
PortFailureFacts GatherAdviceFacts(const PortFailure& failure, const std::string& sysRoot = "/sys");

// True when a CH340 adapter is plugged in (under sysRoot/bus/usb/devices) but none of
// its interfaces carries a serial port.
bool Ch340WithoutPort(const std::string& sysRoot = "/sys");

// The program that holds a serial device: named by its lock file (LCK..ttyUSB0 in
// /var/lock or /run/lock, or `lockFolders` when given) or found among the open files
// of the running processes. Empty when it cannot be told.
PortHolder FindPortHolder(const std::string& device,
                          const std::vector<std::string>& lockFolders = {});

} // namespace r57::link
