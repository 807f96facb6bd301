// `frmDraw`: the logo editor. It draws on a working copy of the picture; OK copies
// the copy into the shared pixel buffer, Cancel leaves the buffer alone. Open reads a
// logo file into the buffer at once and shows it; Save copies the picture into the
// buffer and writes it to a file. The codeplug image is not changed here.
#pragma once

#include "core/logo.h"

#include <QDialog>

#include <array>

class QCheckBox;
class QLabel;
class QPushButton;
class QRadioButton;

namespace r57::ui {

class LogoGrid;
class Prompts;

class DrawWindow : public QDialog {
    Q_OBJECT
public:
    DrawWindow(LogoPixels& buffer, Prompts& prompts, int language, QWidget* parent = nullptr);

    LogoGrid* grid() const { return grid_; }
    const LogoPixels& picture() const { return picture_; }

    void newPicture(); // CmdTool 0
    void openFile();   // CmdTool 1
    void saveFile();   // CmdTool 2

    // Escape and the close box: a picture that differs from the buffer asks message
    // 1378 first (Yes keeps it as OK does). Cancel drops it without a question.
    void reject() override;

private:
    void selectTool(int tool);

    LogoPixels& buffer_;
    Prompts& prompts_;
    int language_;
    LogoPixels picture_;
    LogoGrid* grid_ = nullptr;
    std::array<QRadioButton*, 2> tools_{};
    bool cancelling_ = false;
};

} // namespace r57::ui
