// SIGTERM, SIGINT and SIGHUP end the window program the way a request to exit does:
// the event loop ends with exit code 128 + the signal's number, and what runs when the
// application quits still runs (a transfer is ended, so the radio gets its closing "E").
// Without this the signal would end the process at once, in the middle of a transfer.
#pragma once

namespace r57::ui {

// Takes the three signals over for the running application. A second signal of the
// same kind, while the program is still ending, ends it at once as before.
void EndOnTerminationSignals();

} // namespace r57::ui
