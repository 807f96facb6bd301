#include "ui/main/help_viewer.h"

#include "ui/main/ui_text.h"

#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QUrl>

namespace r57::ui {

namespace {

const OwnText kNoHelpFile{"The help file %1 was not found in %2.", "在 %2 中找不到帮助文件 %1。"};
const OwnText kNoViewer{"No viewer for %1 is installed (for example xchm or kchmviewer).",
                        "没有安装可打开 %1 的查看程序（例如 xchm 或 kchmviewer）。"};

} // namespace

bool HasHelpFile(const QString& applicationDirectory) {
    return QFileInfo::exists(QDir(applicationDirectory).filePath(kHelpFile));
}

QString OpenHelp(const QString& applicationDirectory, int language) {
    const QString path = QDir(applicationDirectory).filePath(kHelpFile);
    if (!QFileInfo::exists(path)) {
        return Tr(kNoHelpFile, language)
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
    return Tr(kNoViewer, language).arg(kHelpFile);
}

} // namespace r57::ui
