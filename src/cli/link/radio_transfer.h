// Running one transfer with the radio for a command of the r57 tool: the port named
// on the command line, the questions answered on the terminal (or by --yes), progress
// on stderr, and the failure turned into the program's own message.
#pragma once

#include "cli/cli_support.h"

#include "core/session.h"
#include "link/transfer_driver.h"

#include <string>

namespace r57::cli {

struct RadioRequest {
    std::string port; // as given: a device path, "COM3" or "3"
    link::TransferKind kind;
    bool goOnIfBandsDiffer = false; // --yes: answer the band-limit question with OK
    bool backup = true;             // keep a copy in the backup folder (--no-backup: not)
    bool verify = false;            // --verify: read a whole-image write back and compare
    bool writeGain = false;         // --write-gain: the file's gain rows replace the radio's own
    bool keepOld = false;           // --keep-old: read and keep the radio's memory before writing
};

// The radio commands, one a file, collected by LinkCommands().
Command RadioReadCommand();
Command RadioWriteCommand();
Command RadioServiceCommand();
Command RadioRestoreCommand();

// The transfer a radio command asks for: the port of --port, --yes (where the command
// takes it) to go on when the band limits differ, --no-backup and --verify.
RadioRequest RequestOf(const CommandInput& input, link::TransferKind kind);

// A session holding a data file's image and the band limits stored in it, to be
// written to the radio or to take the radio's service rows.
Session FileSession(const CliContext& context, const CodeplugImage& image);

// Runs the transfer on `session` (a read stores into session.image). Returns kExitOk,
// or kExitFailure after printing why: "Cannot Open Communication Port." and the
// reason, "Model type is wrong.", the band-limit question answered no, or "ERROR:Timeout
// while waiting for data blocks.". A transfer that succeeded keeps its backup; one
// that cannot be written is reported and makes the result kExitBackupLost (the
// transfer itself stands). A write with `verify` then reads the radio back and fails
// when a written byte differs.
int RunRadioTransfer(Session& session, const RadioRequest& request, const CliContext& context);

// The text of a string-table id in the context's language, without trailing blanks.
std::string Message(const CliContext& context, int id);

} // namespace r57::cli
