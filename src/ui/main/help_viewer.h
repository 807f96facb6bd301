// The help file beside the program, opened with whatever viewer the system has.
#pragma once

#include <QString>

#include <functional>

class QObject;

namespace r57::ui {

constexpr const char* kHelpFile = "R57Help_e.chm";
constexpr const char* kHelpTopic = "/html/general.htm";

// Whether the help file stands in the application directory (a dealer's own).
bool HasHelpFile(const QString& applicationDirectory);

// Opens the help file of the application directory at its general topic with the
// first viewer on the PATH that shows it: a .chm viewer (xchm, kchmviewer, given
// "file.chm::/html/general.htm"), else the desktop's opener (xdg-open). A viewer that
// cannot be started, or ends with an error, passes the file on to the next. When none
// shows it, `failed` gets why, in the language: at once, or later while `context`
// lives. A viewer still running when the program ends is left running.
void OpenHelp(const QString& applicationDirectory, int language, QObject* context,
              std::function<void(const QString& why)> failed);

} // namespace r57::ui
