#include "ui/accessory/logo_files.h"

#include "core/logo.h"
#include "ui/main/main_window_items.h"
#include "ui/main/prompts.h"
#include "ui/main/ui_text.h"

#include <QDir>

namespace r57::ui {

namespace {

constexpr const char* kLogoFileFilter = "R57 Icon Files (*.FIF)";

constexpr OwnText kNotALogo{
    "%1 is no logo file: a logo file holds exactly %2 bytes, one for each pixel of the "
    "128 x 64 picture, 0 for clear and one other value for dark. The logo was not changed.",
    "%1 不是图标文件：图标文件正好 %2 字节，128 x 64 图片的每个像素一个字节，0 为亮，"
    "另一个值为暗。图标未改变。"};

bool Done(QWidget* parent, Prompts& prompts, const Status& status, const QString& path = {},
          int language = 0) {
    if (!status.ok) {
        const QString text = status.wrongFormat ? Tr(kNotALogo, language)
                                                      .arg(QDir::toNativeSeparators(path),
                                                           QString::number(LogoPixels::kFileSize))
                                                : QString::fromLocal8Bit(status.detail.c_str());
        prompts.message(parent, items::kModelName, text, Icon::Warning, Buttons::Ok, Answer::Ok);
    }
    return status.ok;
}

} // namespace

bool AskAndReadLogo(QWidget* parent, Prompts& prompts, LogoPixels& pixels, int language) {
    const QString path = prompts.openFile(parent, kLogoFileFilter, QString());
    if (path.isEmpty()) {
        return false;
    }
    // Read into a copy, so a file that fails half-way changes nothing.
    LogoPixels read = pixels;
    if (!Done(parent, prompts, ReadLogoFile(path.toStdString(), read), path, language)) {
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
