#include "ui/accessory/accessory_windows.h"

#include "ui/accessory/about_dialog.h"
#include "ui/accessory/embedded_message_dialog.h"
#include "ui/accessory/radio_dialog.h"
#include "ui/accessory/visible_columns_dialog.h"

#include "ui/main/channel_grid.h"
#include "ui/main/main_window.h"

#include "core/channel.h"
#include "core/session.h"

namespace r57::ui {

namespace {

ColumnVisibility GridColumns(const ChannelGrid& grid) {
    ColumnVisibility visible;
    for (int c = 0; c < kColumnCount; ++c) {
        visible[c] = grid.columnVisible(c);
    }
    return visible;
}

} // namespace

void InstallAccessoryWindows(MainWindow& window) {
    MainWindow* w = &window;
    window.setWindowOpener(SubWindow::About, [w] {
        AboutDialog dialog(w->session().language, w);
        dialog.exec();
    });
    window.setWindowOpener(SubWindow::Radio, [w] {
        RadioDialog dialog(w->session(), w->prompts(), w);
        if (dialog.exec() == QDialog::Accepted) {
            w->applyWindowChange([&] { dialog.page().write(w->session().image); });
        }
    });
    window.setWindowOpener(SubWindow::EmbeddedMessage, [w] {
        EmbeddedMessageDialog dialog(w->session(), w);
        if (dialog.exec() == QDialog::Accepted) {
            w->applyWindowChange([&] { dialog.page().write(w->session().image); });
        }
    });
    // The choice holds for both banks: a user who hides a column expects it gone in
    // bank B as well.
    window.setWindowOpener(SubWindow::VisibleColumns, [w] {
        VisibleColumnsDialog dialog(GridColumns(*w->grid(kBankA)), w->session().language, w);
        if (dialog.exec() != QDialog::Accepted) {
            return;
        }
        const ColumnVisibility chosen = dialog.chosen();
        for (int bank : {kBankA, kBankB}) {
            for (int c = kColRx; c < kColumnCount; ++c) {
                w->grid(bank)->setColumnVisible(c, chosen[c]);
            }
        }
    });
}

} // namespace r57::ui
