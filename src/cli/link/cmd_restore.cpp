// r57 restore: a kept memory back into the radio, with its service rows, so that the
// radio ends as it was when the backup was taken.
#include "cli/link/radio_transfer.h"
#include "cli/link/service_write.h"

#include "core/band_limits.h"
#include "link/backups.h"

#include <QFileInfo>

#include <unistd.h>

namespace r57::cli {
namespace {

int RunRestore(const std::vector<std::string>& args, const CliContext& context) {
    CommandInput input(context, RadioRestoreCommand(), args, {"--port", "--model"},
                       {"--yes", "--no-time", "--no-backup"});
    const std::string model = input.has("--model") ? input.value("--model") : "0";
    if (!input.onePositional("BACKUP.dat")
             .require("--port", "DEVICE")
             .expect(model == "0" || model == "1" || model == "2", "--model takes 0, 1 or 2"))
        return input.status();
    // A restore writes over the radio's memory and calibration: asked on a terminal,
    // and refused before anything is sent when no one can be asked.
    if (!input.has("--yes") && !(isatty(STDIN_FILENO) && isatty(STDERR_FILENO)))
        return Refuse(context, "a restore replaces the radio's memory and calibration; "
                               "--yes to go on when not on a terminal");
    const std::string path = input.positional()[0];
    const auto image = input.load(path);
    if (!image)
        return input.status();

    // What the backup holds, by its name: a service backup holds its rows alone.
    const auto kind = link::BackupKindOfName(QFileInfo(QString::fromStdString(path)).fileName());
    const bool rangesOnly =
        kind == link::BackupKind::RangesBefore || kind == link::BackupKind::RangesRead;
    const bool tuningOnly =
        kind == link::BackupKind::TuningBefore || kind == link::BackupKind::TuningRead;
    Session session = FileSession(context, *image);
    session.modelCode = model[0];
    session.updateRadioTime = !input.has("--no-time");
    int status = kExitOk;
    auto worst = [&status](int next) {
        if (next == kExitBackupLost && status == kExitOk)
            status = next;
        else if (next != kExitOk && next != kExitBackupLost)
            status = next;
        return next == kExitOk || next == kExitBackupLost;
    };
    if (!rangesOnly && !tuningOnly) {
        RadioRequest request = RequestOf(input, link::TransferKind::Write);
        request.verify = true;
        request.writeGain = true; // the backup's own gain is the radio's
        if (!worst(RunRadioTransfer(session, request, context)))
            return status; // the memory did not go back: the service rows stay untouched
    }
    ServiceWriteFlags flags;
    flags.yes = input.has("--yes");
    if (!tuningOnly) {
        if (const auto problem = UnwritableBandField(session.image)) {
            worst(Fail(context, "the band row " + std::to_string(problem->mhz) +
                                    " MHz cannot be written; the frequency ranges were not "
                                    "restored"));
        } else {
            worst(RunServiceWrite(session, input.value("--port"), link::ServiceRows::Ranges, flags,
                                  context));
        }
    }
    if (!rangesOnly)
        worst(RunServiceWrite(session, input.value("--port"), link::ServiceRows::Tuning, flags,
                              context));
    return status;
}

} // namespace

Command RadioRestoreCommand() {
    return {"restore", "Write a kept memory back into the radio, with its service rows", RunRestore,
            "Usage: r57 restore BACKUP.dat --port DEVICE [--model 0|1|2] [--yes] [--no-time]\n"
            "                  [--no-backup]\n"
            "\n"
            "Puts a backup (any data file) back into the radio on DEVICE, so that it ends\n"
            "byte for byte as it was: the normal write (with the backup's gain rows),\n"
            "read back and compared; then the frequency ranges and the tuning rows by the\n"
            "service writes, each reading and keeping the radio's rows first, asking when\n"
            "they differ (refused without --yes when no one can be asked) and reading\n"
            "back. A backup of service rows alone (..._service-tuning-before.dat,\n"
            "..._service-ranges-before.dat, ..._tuning-read.dat, ..._ranges-read.dat)\n"
            "restores only those rows. --yes also goes on when the radio's band limits\n"
            "differ from the backup's.\n"
            "\n"
            "Exit status: 0 all of it back and verified; 1 a part failed (said on\n"
            "stderr); 2 refused; 3 restored, but a backup could not be kept.\n"};
}

} // namespace r57::cli
