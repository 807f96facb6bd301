#include "ui/accessory/logo_files.h"

#include "core/logo.h"
#include "ui/main/main_window_items.h"
#include "ui/main/prompts.h"

namespace r57::ui {

namespace {

constexpr const char* kLogoFileFilter = "R57 Icon Files (*.FIF)";

bool Done(QWidget* parent, Prompts& prompts, const Status& status) {
    if (!status.ok) {
        prompts.message(parent, items::kModelName, QString::fromLocal8Bit(status.detail.c_str()),
                        Icon::Warning, Buttons::Ok, Answer::Ok);
    }
    return status.ok;
}

} // namespace

bool AskAndReadLogo(QWidget* parent, Prompts& prompts, LogoPixels& pixels) {
    const QString path = prompts.openFile(parent, kLogoFileFilter, QString());
    if (path.isEmpty()) {
        return false;
    }
    // Read into a copy, so a file that fails half-way changes nothing.
    LogoPixels read = pixels;
    if (!Done(parent, prompts, ReadLogoFile(path.toStdString(), read))) {
        return false;
    }
    pixels = read;
    return true;
}

bool AskAndWriteLogo(QWidget* parent, Prompts& prompts, const LogoPixels& pixels) {
    const QString path = prompts.saveFile(parent, kLogoFileFilter, QString());
    if (path.isEmpty()) {
        return false;
    }
    return Done(parent, prompts, WriteLogoFile(path.toStdString(), pixels));
}

} // namespace r57::ui
