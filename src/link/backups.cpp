#include "link/backups.h"

#include "core/data_file.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QStringList>

#include <algorithm>

namespace r57::link {

namespace {

// The settings file's organisation and application: the window program and the r57
// tool keep their backups in one folder, whatever each program is called.
constexpr const char* kBackupSubfolder = "/Tarvex/R57/backups";
constexpr const char* kStampFormat = "yyyy-MM-dd_HH-mm-ss";

// Only files named as this module names them are counted and removed; anything else
// a user puts into the folder stays.
const QRegularExpression& BackupName() {
    static const QRegularExpression name(
        QStringLiteral("^\\d{4}-\\d\\d-\\d\\d_\\d\\d-\\d\\d-\\d\\d_[a-z0-9-]+\\.dat$"));
    return name;
}

void RemoveOldest(QDir dir, const QString& keep, int kept) {
    QStringList names;
    for (const QString& name : dir.entryList(QDir::Files, QDir::Name)) {
        if (BackupName().match(name).hasMatch() && name != keep) {
            names << name;
        }
    }
    // The date and time lead the name, so the order of names is the order of time.
    const int surplus = static_cast<int>(names.size()) + 1 - std::max(kept, 1);
    for (int i = 0; i < surplus; ++i) {
        dir.remove(names[i]);
    }
}

} // namespace

QString BackupKindName(BackupKind kind) {
    switch (kind) {
    case BackupKind::Read:
        return QStringLiteral("read");
    case BackupKind::Written:
        return QStringLiteral("written");
    case BackupKind::VerifyRead:
        return QStringLiteral("verify-read");
    case BackupKind::RangesRead:
        return QStringLiteral("ranges-read");
    case BackupKind::TuningRead:
        return QStringLiteral("tuning-read");
    }
    return QStringLiteral("image");
}

std::optional<BackupKind> BackupAfter(TransferKind kind) {
    switch (kind) {
    case TransferKind::Read:
        return BackupKind::Read;
    case TransferKind::Write:
        return BackupKind::Written;
    case TransferKind::ReadRanges:
        return BackupKind::RangesRead;
    case TransferKind::ReadTuning:
        return BackupKind::TuningRead;
    case TransferKind::WriteRanges:
    case TransferKind::WriteTuning:
    case TransferKind::Verify:
    case TransferKind::ReadRows:
        break;
    }
    return std::nullopt;
}

QString BackupFolder() {
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) +
           QLatin1String(kBackupSubfolder);
}

BackupResult KeepBackup(const CodeplugImage& image, BackupKind kind, const QString& folder,
                        const QDateTime& when, int kept, const QString& label) {
    BackupResult result;
    QDir dir(folder);
    dir.mkpath(QStringLiteral("."));
    QString stem = when.toString(QLatin1String(kStampFormat)) + '_' + BackupKindName(kind);
    if (!label.isEmpty())
        stem += '-' + label;
    QString name = stem + QStringLiteral(".dat");
    for (int n = 2; QFileInfo::exists(dir.filePath(name)); ++n) {
        name = stem + '-' + QString::number(n) + QStringLiteral(".dat");
    }
    result.path = dir.filePath(name);
    const Status written = WriteDataFile(result.path.toStdString(), image);
    if (!written.ok) {
        result.error = QString::fromLocal8Bit(written.detail.c_str());
        return result;
    }
    result.ok = true;
    RemoveOldest(dir, name, kept);
    return result;
}

} // namespace r57::link
