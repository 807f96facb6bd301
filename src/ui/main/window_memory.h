// The sizes of the program's larger windows (settings, service, memory map, fleet, help)
// kept between runs: a window opens at the size the dealer last gave it.
#pragma once

namespace r57::ui {

// Watches every window of the application from now on; idempotent.
void RememberWindowSizes();

} // namespace r57::ui
