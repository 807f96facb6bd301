// The folder a file dialog starts in: the one last used for the same kind of file and
// the same direction (opening codeplugs, saving them, importing text, exporting PDF...),
// kept in the settings store between runs.
#pragma once

#include <QString>

namespace r57::ui {

enum class DialogDirection { Open, Save };

// Where the dialog starts: `fileName` as given when it names a folder of its own;
// otherwise `fileName` in the remembered folder of this kind, when that folder still
// exists; otherwise `fileName` unchanged.
QString DialogStartPath(DialogDirection direction, const QString& filter, const QString& fileName);
// The user chose `path`: its folder is remembered for this kind.
void RememberDialogFolder(DialogDirection direction, const QString& filter, const QString& path);

} // namespace r57::ui
