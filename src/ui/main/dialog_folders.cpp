#include "ui/main/dialog_folders.h"

#include "link/settings_store.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>

namespace r57::ui {

namespace {

// "Folders/open-dat", "Folders/save-pdf": the kind is the filter's first file type.
QString Setting(DialogDirection direction, const QString& filter) {
    QString type = QRegularExpression(R"(\*\.(\w+))").match(filter).captured(1).toLower();
    if (type.isEmpty()) {
        type = "any";
    }
    return QString("Folders/%1-%2").arg(direction == DialogDirection::Open ? "open" : "save", type);
}

} // namespace

QString DialogStartPath(DialogDirection direction, const QString& filter, const QString& fileName) {
    if (QFileInfo(fileName).isAbsolute()) {
        return fileName;
    }
    const QString folder = link::ReadSetting(Setting(direction, filter));
    if (folder.isEmpty() || !QFileInfo(folder).isDir()) {
        return fileName;
    }
    return fileName.isEmpty() ? folder : QDir(folder).filePath(fileName);
}

void RememberDialogFolder(DialogDirection direction, const QString& filter, const QString& path) {
    if (!path.isEmpty()) {
        link::WriteSetting(Setting(direction, filter), QFileInfo(path).absolutePath());
    }
}

} // namespace r57::ui
