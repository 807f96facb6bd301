// The codeplugs a dealer opened or saved last, newest first, kept in the settings
// store between runs for File > Recent Files.
#pragma once

#include <QString>
#include <QStringList>

namespace r57::ui {

constexpr int kRecentFileCount = 8;

// The list as kept: absolute paths, newest first, at most kRecentFileCount.
QStringList RecentFiles();
// `path` goes to the top (once; a path already listed moves up).
void AddRecentFile(const QString& path);
void RemoveRecentFile(const QString& path);
void ClearRecentFiles();

} // namespace r57::ui
