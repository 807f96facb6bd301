#include "help_viewer.h"

#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QUrl>

namespace r57::ui {

QString OpenHelp(const QString& applicationDirectory) {
    const QString path = QDir(applicationDirectory).filePath(kHelpFile);
    if (!QFileInfo::exists(path)) {
        return QString("The help file %1 was not found in %2.")
            .arg(kHelpFile, QDir::toNativeSeparators(applicationDirectory));
    }
    for (const char* viewer : {"xchm", "kchmviewer"}) {
        const QString program = QStandardPaths::findExecutable(viewer);
        if (!program.isEmpty() &&
            QProcess::startDetached(program, {path + "::" + QString(kHelpTopic)})) {
            return {};
        }
    }
    if (QDesktopServices::openUrl(QUrl::fromLocalFile(path))) {
        return {};
    }
    return QString("No viewer for %1 is installed (for example xchm or kchmviewer).")
        .arg(kHelpFile);
}

} // namespace r57::ui
