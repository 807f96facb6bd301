// Enter on a push button that has the focus presses it, in every window of the program.
//
// The windows keep their buttons from being default buttons, so that Enter in a box
// never presses one behind the user's back; several boxes send the focus on to a button
// instead (Save, OK, Apply). Qt's push button ignores Enter unless it is a default
// button, so without this the user's second Enter would do nothing at all.
#pragma once

namespace r57::ui {

// Installs the rule on the application once; later calls do nothing.
void InstallButtonEnterKey();

} // namespace r57::ui
