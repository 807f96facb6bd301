// What follows the interface language beyond the program's own texts: Qt's own
// texts (the buttons of message boxes, the file dialogs) and the date format.
#pragma once

#include <QLocale>

namespace r57::ui {

// Installs Qt's translations for the language (0 English, 1 Chinese) in the running
// application, or removes them for English. Missing translation files leave Qt in
// English.
void UseQtTranslations(int language);

// The locale dates are shown in: the system's when it speaks the language, otherwise
// the language's usual one.
QLocale InterfaceLocale(int language);

} // namespace r57::ui
