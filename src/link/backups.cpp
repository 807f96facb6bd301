#include "link/backups.h"

#include "core/data_file.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSaveFile>
#include <QStandardPaths>
#include <QStringList>

#include <algorithm>

namespace r57::link {

namespace {

// The settings file's organisation and application: the window program and the r57
// tool keep their backups in one folder, whatever each program is called.
constexpr const char* kBackupSubfolder = "/Tarvex/R57/backups";
constexpr const char* kStampFormat = "yyyy-MM-dd_HH-mm-ss";
constexpr const char* kOrderFile = ".order";

// Only files named as this module names them are counted and removed; anything else
// a user puts into the folder stays.
const QRegularExpression& BackupName() {
    static const QRegularExpression name(
        QStringLiteral("^\\d{4}-\\d\\d-\\d\\d_\\d\\d-\\d\\d-\\d\\d_([a-z0-9-]+?)(_\\d+)?\\.dat$"));
    return name;
}

QString PinPath(const QDir& dir, const QString& name) {
    return dir.filePath('.' + name + QStringLiteral(".pin"));
}

// The names of the order list, oldest first, each once.
QStringList OrderList(const QDir& dir) {
    QFile file(dir.filePath(kOrderFile));
    QStringList names;
    if (!file.open(QIODevice::ReadOnly))
        return names;
    for (const QByteArray& line : file.readAll().split('\n')) {
        const QString name = QString::fromUtf8(line.trimmed());
        if (!name.isEmpty() && !names.contains(name))
            names << name;
    }
    return names;
}

// One line appended: appends of a line each never mix, whoever writes at once.
void AppendOrder(const QDir& dir, const QString& name) {
    QFile file(dir.filePath(kOrderFile));
    if (file.open(QIODevice::WriteOnly | QIODevice::Append))
        file.write(name.toUtf8() + '\n');
}

void RemoveOldest(QDir dir, const QString& keep, int kept) {
    QStringList present;
    for (const QString& name : dir.entryList(QDir::Files)) {
        if (BackupName().match(name).hasMatch())
            present << name;
    }
    // Backups the list does not know (kept before it existed) are older than any it
    // lists, among themselves by their time; then the list's order.
    const QStringList listed = OrderList(dir);
    QStringList order;
    QFileInfoList unlisted;
    for (const QString& name : present) {
        if (!listed.contains(name))
            unlisted << QFileInfo(dir.filePath(name));
    }
    std::sort(unlisted.begin(), unlisted.end(), [](const QFileInfo& a, const QFileInfo& b) {
        return a.lastModified() < b.lastModified();
    });
    for (const QFileInfo& info : unlisted)
        order << info.fileName();
    for (const QString& name : listed) {
        if (present.contains(name))
            order << name;
    }
    int surplus = static_cast<int>(order.size()) - std::max(kept, 1);
    for (const QString& name : order) {
        if (surplus <= 0)
            break;
        if (name == keep || QFileInfo::exists(PinPath(dir, name)))
            continue; // the newest, and those a write still needs, stay
        if (dir.remove(name))
            --surplus;
    }
    // The list only grows; now and then it is written again with what is left.
    if (listed.size() > 4 * std::max(kept, 1)) {
        QStringList left;
        for (const QString& name : order) {
            if (QFileInfo::exists(dir.filePath(name)))
                left << name;
        }
        QSaveFile file(dir.filePath(kOrderFile));
        if (file.open(QIODevice::WriteOnly)) {
            file.write(left.join('\n').toUtf8() + '\n');
            file.commit();
        }
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
    case BackupKind::RangesBefore:
        return QStringLiteral("service-ranges-before");
    case BackupKind::TuningBefore:
        return QStringLiteral("service-tuning-before");
    case BackupKind::MemoryBefore:
        return QStringLiteral("memory-before");
    }
    return QStringLiteral("image");
}

std::optional<BackupKind> BackupKindOfName(const QString& fileName) {
    const QRegularExpressionMatch match = BackupName().match(fileName);
    if (!match.hasMatch())
        return std::nullopt;
    const QString word = match.captured(1);
    // The longest kind name that leads the word (a label may follow it).
    std::optional<BackupKind> found;
    int length = 0;
    for (BackupKind kind :
         {BackupKind::Read, BackupKind::Written, BackupKind::VerifyRead, BackupKind::RangesRead,
          BackupKind::TuningRead, BackupKind::RangesBefore, BackupKind::TuningBefore,
          BackupKind::MemoryBefore}) {
        const QString name = BackupKindName(kind);
        if ((word == name || word.startsWith(name + '-')) && name.size() > length) {
            found = kind;
            length = static_cast<int>(name.size());
        }
    }
    return found;
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
                        const QDateTime& when, int kept, const QString& label, bool pinned) {
    BackupResult result;
    QDir dir(folder);
    dir.mkpath(QStringLiteral("."));
    QString stem = when.toString(QLatin1String(kStampFormat)) + '_' + BackupKindName(kind);
    if (!label.isEmpty())
        stem += '-' + label;
    // The name is claimed by creating it: of two programs trying one name, one gets it
    // and the other goes on to the next.
    QString name = stem + QStringLiteral(".dat");
    QFile claim;
    for (int n = 2; n < 10000; ++n) {
        claim.setFileName(dir.filePath(name));
        if (claim.open(QIODevice::WriteOnly | QIODevice::NewOnly))
            break;
        if (!claim.exists()) // not taken, only not to be made: the folder's trouble
            break;
        name = stem + '_' + QString::number(n) + QStringLiteral(".dat");
    }
    result.path = dir.filePath(name);
    if (!claim.isOpen()) {
        result.error = claim.errorString();
        return result;
    }
    claim.close();
    if (pinned) {
        QFile pin(PinPath(dir, name));
        pin.open(QIODevice::WriteOnly);
    }
    const Status written = WriteDataFile(result.path.toStdString(), image);
    if (!written.ok) {
        dir.remove(name);
        QFile::remove(PinPath(dir, name));
        result.error = QString::fromLocal8Bit(written.detail.c_str());
        return result;
    }
    result.ok = true;
    AppendOrder(dir, name);
    RemoveOldest(dir, name, kept);
    return result;
}

void ReleaseBackup(const QString& path) {
    const QFileInfo info(path);
    QFile::remove(PinPath(info.dir(), info.fileName()));
}

bool IsPinned(const QString& path) {
    const QFileInfo info(path);
    return QFileInfo::exists(PinPath(info.dir(), info.fileName()));
}

} // namespace r57::link
