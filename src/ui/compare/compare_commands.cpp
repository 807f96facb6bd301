#include "ui/compare/compare_commands.h"

#include "ui/compare/compare_window.h"
#include "ui/main/main_window.h"
#include "ui/main/main_window_items.h"
#include "ui/main/prompts.h"
#include "ui/main/ui_text.h"

#include "core/data_file.h"
#include "core/message_ids.h"
#include "core/session.h"

#include <QDir>
#include <QFileInfo>

namespace r57::ui {

namespace {

constexpr OwnText kRadio{"the radio", "对讲机"};
constexpr OwnText kCannotOpen{"Cannot open %1:\n%2", "无法打开 %1：\n%2"};

// One comparison window at a time: a new comparison replaces the one open.
void Show(MainWindow& main, const CodeplugImage& other, const QString& otherName) {
    if (CompareWindow* open = OpenCompareWindow(main)) {
        open->close();
    }
    auto* window = new CompareWindow(main, other, otherName);
    window->show();
    window->raise();
}

void CompareWithFile(MainWindow& main) {
    const int language = main.session().language;
    const QString path = main.prompts().openFile(&main, items::kDataFileFilter, QString());
    if (path.isEmpty()) {
        return;
    }
    const LoadedFile loaded = ReadDataFile(path.toStdString());
    if (!loaded.status.ok) {
        const QString text = loaded.status.messageId == kMsgIncorrectFileType
                                 ? Tr(kMsgIncorrectFileType, language)
                                 : Tr(kCannotOpen, language)
                                       .arg(QDir::toNativeSeparators(path),
                                            QString::fromLocal8Bit(loaded.status.detail.c_str()));
        main.prompts().message(&main, "Error", text, Icon::Critical, Buttons::Ok, Answer::Ok);
        return;
    }
    Show(main, loaded.image, QFileInfo(path).fileName());
}

void CompareWithRadio(MainWindow& main) {
    main.readRadioCopy([&main](const CodeplugImage& read) {
        Show(main, read, Tr(kRadio, main.session().language));
    });
}

} // namespace

CompareWindow* OpenCompareWindow(MainWindow& main) {
    for (auto* window :
         main.findChildren<CompareWindow*>("frmCompare", Qt::FindDirectChildrenOnly)) {
        if (window->isVisible()) {
            return window;
        }
    }
    return nullptr;
}

void InstallCompareWindow(MainWindow& main) {
    main.setWindowOpener(SubWindow::CompareFile, [&main] { CompareWithFile(main); });
    main.setWindowOpener(SubWindow::CompareRadio, [&main] { CompareWithRadio(main); });
}

} // namespace r57::ui
