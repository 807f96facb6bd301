// The help file beside the program, opened with whatever viewer the system has.
#pragma once

#include <QString>

namespace r57::ui {

constexpr const char* kHelpFile = "TKRW305_e.chm";
constexpr const char* kHelpTopic = "/html/general.htm";

// Whether the help file stands in the application directory (a dealer's own).
bool HasHelpFile(const QString& applicationDirectory);

// Opens the help file of the application directory at its general topic: with a
// .chm viewer found on the PATH (given "file.chm::/html/general.htm"), otherwise with
// the desktop's handler for the file. Returns "" when a viewer was started, else the
// message to show the user, in the language.
QString OpenHelp(const QString& applicationDirectory, int language);

} // namespace r57::ui
