// The password before the service section. It is a fixed text of the radio's service
// procedure; it is compared here and nowhere written down (no log, no transcript, no
// settings file).
#pragma once

#include <string>

namespace r57::service {

// True for exactly the service password: same characters, same length, no blanks.
bool IsServicePassword(const std::string& entry);

} // namespace r57::service
