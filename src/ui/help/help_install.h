// Plugs the guide into the program: Help > Help Topics opens its contents, and F1 in any
// window opens the page of that window. A dealer's own help file beside the program
// (main/help_viewer.h) goes first, as it always has.
#pragma once

#include <QString>

class QWidget;

namespace r57::ui {

class HelpWindow;
class MainWindow;

void InstallHelp(MainWindow& main);

// Shows `page` of the guide in a help window over `owner` (the one already open there,
// or a new one), in the session's language.
HelpWindow* ShowHelpPage(MainWindow& main, QWidget* owner, const QString& page);

// Help at `page` of the guide over `owner`: the dealer's own help file when it stands
// beside the program and a viewer shows it, otherwise the guide at that page (with
// the reason the help file was not used in its status line).
void OpenHelpAt(MainWindow& main, QWidget* owner, const QString& page);

// The help window open over `owner`, or null.
HelpWindow* OpenHelpWindow(const QWidget* owner);

} // namespace r57::ui
