// What a screen reader says for the program's controls: each control's accessible name
// is the caption it carries or the label beside it, in the interface language, and a
// range or a length where the name alone would not tell what to type.
#pragma once

class QString;
class QWidget;
class QPlainTextEdit;

namespace r57::ui {

// Names every control of `window` (itself included) that has no name of its own. Names
// given this way follow the captions again on the next call (after a language switch).
void NameControls(QWidget* window, int language);
// From now on every window of the application is named as it is shown, in `language`
// (the latest call's: the main window calls it again when the language changes).
void NameWindowsAsShown(int language);
// A screen reader is told the line that was added to a status log.
void AnnounceAppended(QPlainTextEdit* log, const QString& line);

} // namespace r57::ui
