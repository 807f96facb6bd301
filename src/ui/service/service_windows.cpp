#include "ui/service/service_windows.h"

#include "ui/main/main_window.h"
#include "ui/service/login_dialog.h"
#include "ui/service/memory_map_window.h"
#include "ui/service/service_window.h"

#include "core/session.h"

namespace r57::ui {

namespace {

// The dialogs are children of the main window, shown application-modal without a
// nested event loop: the main window takes no input while one is open.
template <class Dialog> void Show(MainWindow& main) {
    auto* dialog = new Dialog(main, &main);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->setWindowModality(Qt::ApplicationModal);
    dialog->show();
}

} // namespace

LoginDialog* OpenLoginDialog(MainWindow& main) {
    // A login whose service window is open is hidden, but still the open one.
    for (auto* dialog : main.findChildren<LoginDialog*>("frmLogin", Qt::FindDirectChildrenOnly)) {
        ServiceWindow* service = dialog->serviceWindow();
        if (dialog->isVisible() || (service && service->isVisible())) {
            return dialog;
        }
    }
    return nullptr;
}

MemoryMapWindow* OpenMemoryMap(MainWindow& main) {
    for (auto* map :
         main.findChildren<MemoryMapWindow*>("frmMemoryMap", Qt::FindDirectChildrenOnly)) {
        if (map->isVisible()) {
            return map;
        }
    }
    return nullptr;
}

void InstallServiceWindows(MainWindow& main) {
    main.setWindowOpener(SubWindow::ServiceLogin, [&main] {
        if (!OpenLoginDialog(main)) {
            Show<LoginDialog>(main);
        }
    });
    main.setWindowOpener(SubWindow::MemoryMap, [&main] {
        if (MemoryMapWindow* shown = OpenMemoryMap(main)) {
            shown->cancel(); // the same gesture closes it, storing nothing
            return;
        }
        // The map shows the image as the grid has it: names of moved channels first.
        main.sheet(main.session().currentBank).rewriteNames();
        Show<MemoryMapWindow>(main);
    });
}

} // namespace r57::ui
