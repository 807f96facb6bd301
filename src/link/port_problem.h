// What went wrong with the serial port, in the words the user sees: the device, the
// system's own reason, and for a port in use the program that holds it. The window's
// message boxes and status log and the r57 tool's stderr all show these lines.
#pragma once

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
// caller puts its own headline first ("Cannot Open Communication Port.").
std::vector<std::string> PortFailureLines(const PortFailure& failure, int language);

// The program that holds a serial device: named by its lock file (LCK..ttyUSB0 in
// /var/lock or /run/lock, or `lockFolders` when given) or found among the open files
// of the running processes. Empty when it cannot be told.
PortHolder FindPortHolder(const std::string& device,
                          const std::vector<std::string>& lockFolders = {});

} // namespace r57::link
