// The service write round for the r57 tool (write-ranges, write-tuning, and the
// service rows of a restore).
#pragma once

#include "cli/cli_support.h"

#include "core/session.h"
#include "link/service_round.h"

#include <string>

namespace r57::cli {

struct ServiceWriteFlags {
    bool yes = false;              // --yes: write over rows of the radio's own that differ
    bool verify = true;            // --no-verify: do not read the rows back
    bool restoreOnFailure = false; // --restore-on-failure: put the kept rows back unasked
};

// Writes the `rows` of session.image to the radio on `port`. kExitOk when written and
// verified; kExitRefused when the radio's own rows differ and no one could be asked;
// kExitBackupLost when written and verified but the rows read first could not be kept
// as a file; kExitFailure otherwise, after saying what the radio holds.
int RunServiceWrite(const Session& session, const std::string& port, link::ServiceRows rows,
                    const ServiceWriteFlags& flags, const CliContext& context);

} // namespace r57::cli
