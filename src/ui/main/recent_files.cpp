#include "ui/main/recent_files.h"

#include "link/settings_store.h"

#include <QFileInfo>

namespace r57::ui {

namespace {

// One path a line: a file name may hold commas and semicolons, never a line break
// that a dealer typed.
constexpr const char* kSetting = "RecentFiles";

void Keep(const QStringList& files) {
    link::WriteSetting(kSetting, files.mid(0, kRecentFileCount).join('\n'));
}

} // namespace

QStringList RecentFiles() {
    QStringList files;
    for (const QString& line : link::ReadSetting(kSetting).split('\n', Qt::SkipEmptyParts)) {
        if (QFileInfo(line).isAbsolute() && !files.contains(line)) {
            files << line;
        }
    }
    return files.mid(0, kRecentFileCount);
}

void AddRecentFile(const QString& path) {
    const QString absolute = QFileInfo(path).absoluteFilePath();
    QStringList files = RecentFiles();
    files.removeAll(absolute);
    files.prepend(absolute);
    Keep(files);
}

void RemoveRecentFile(const QString& path) {
    QStringList files = RecentFiles();
    files.removeAll(path);
    Keep(files);
}

void ClearRecentFiles() {
    Keep({});
}

} // namespace r57::ui
