// Logo files (.FIF) through the file dialogs: the logo page's Load and the logo
// editor's Open and Save. A cancelled dialog ends the command quietly; a file that
// cannot be read or written is named to the user with the system's error text, and a
// failed save never leaves a half-written file behind.
#pragma once

class QWidget;

namespace r57 {
class LogoPixels;
}

namespace r57::ui {

class Prompts;

// Reads the chosen file into `pixels`; a file that is no whole picture is refused with
// a message (in `language`) naming the size a logo file has. True when a file was read.
bool AskAndReadLogo(QWidget* parent, Prompts& prompts, LogoPixels& pixels, int language);
// Writes `pixels` to the chosen file. True when it was written.
bool AskAndWriteLogo(QWidget* parent, Prompts& prompts, const LogoPixels& pixels);

} // namespace r57::ui
