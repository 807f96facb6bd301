// A copy of every image that comes from or goes to a radio, kept as a data file in the
// user's data folder: ~/.local/share/Tarvex/R57/backups/ (the same folder for the window
// program and the r57 tool), named by date, time and kind:
//     2026-12-07_20-45-10_read.dat
// Each name is taken exclusively, so two programs finishing in the same second never
// write over each other: the second gets "_2" (which sorts after the first). The
// newest 200 are kept; older ones (only files named this way) are removed, oldest
// first by the order they were made in (the folder's ".order" list), not by their
// names or times: a clock set back must not make the newest look oldest. A backup
// made before a write that has not been verified yet is pinned (a hidden ".NAME.pin"
// beside it) and never removed while pinned. Keeping a backup never stops a transfer:
// a failure is reported and the transfer stands.
#pragma once

#include "core/image.h"
#include "link/transfer_driver.h"

#include <QDateTime>
#include <QString>

#include <optional>

namespace r57::link {

enum class BackupKind {
    Read,       // a whole image read from the radio
    Written,    // the image a whole-image write sent
    VerifyRead, // what the radio held after a write that did not verify
    RangesRead, // the image after a service read of the frequency ranges
    TuningRead, // the image after a service read of the tuning rows
    // What the radio held before a write replaced it: its service rows (in a copy of
    // the image written, so the file opens as a codeplug) or its whole memory.
    RangesBefore, // "service-ranges-before"
    TuningBefore, // "service-tuning-before"
    MemoryBefore, // "memory-before"
};

constexpr int kBackupsKept = 200;

// The backup a successful transfer of `kind` keeps: reads keep what came in, a
// whole-image write what went out; the service writes and Verify keep none.
std::optional<BackupKind> BackupAfter(TransferKind kind);

// "read", "written", "verify-read", "ranges-read", "tuning-read",
// "service-ranges-before", "service-tuning-before", "memory-before".
QString BackupKindName(BackupKind kind);

// The kind a backup file's name carries; nullopt for a name this module did not make.
std::optional<BackupKind> BackupKindOfName(const QString& fileName);

// Where the backups go (not created here).
QString BackupFolder();

struct BackupResult {
    bool ok = false;
    QString path;  // the file written, or the one that could not be
    QString error; // the system's reason when not ok
};

// Writes `image` into `folder` (created when missing) as a data file named after `when`
// and `kind` (and `label`, lower-case letters, digits and "-", when given:
// "..._read-radio-7.dat"), then removes the oldest backups beyond `kept`. A name
// already taken gets "_2", "_3", ... after the kind. `pinned`: the backup stays
// whatever the rotation, until ReleaseBackup().
BackupResult KeepBackup(const CodeplugImage& image, BackupKind kind,
                        const QString& folder = BackupFolder(),
                        const QDateTime& when = QDateTime::currentDateTime(),
                        int kept = kBackupsKept, const QString& label = {}, bool pinned = false);

// The write the pinned backup at `path` was kept for has been verified: the backup
// rotates like any other from now on.
void ReleaseBackup(const QString& path);
bool IsPinned(const QString& path);

} // namespace r57::link
