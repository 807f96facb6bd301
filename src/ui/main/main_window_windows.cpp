// The windows opened from the main window. Each sub-window is plugged in at one
// place, setWindowOpener(); until it is, its command only commits pending edits.
#include "ui/main/main_window.h"

#include "core/band_limits.h"
#include "core/session.h"
#include "ui/main/channel_grid.h"
#include "ui/main/com_port_dialog.h"
#include "ui/main/help_viewer.h"
#include "ui/main/main_window_items.h"
#include "ui/main/prompts.h"

namespace r57::ui {

void MainWindow::setWindowOpener(SubWindow window, std::function<void()> opener) {
    openers_[window] = std::move(opener);
}

void MainWindow::openSubWindow(SubWindow window) {
    commitPendingEdit();
    auto found = openers_.find(window);
    if (found != openers_.end() && found->second) {
        found->second();
    }
}

void MainWindow::applyWindowChange(const std::function<void()>& change, const char* step) {
    commitPendingEdit();
    // The grid holds the names of moved channels until they are rewritten; the
    // refresh after the change rebuilds the grid from the image.
    sheets_[session_->currentBank]->rewriteNames();
    checkpoint("edit"); // the edit committed above is a step of its own
    change();
    imageChanged();
    checkpoint(step ? step : "");
}

void MainWindow::imageChanged() {
    Session& s = *session_;
    s.bands = DecodeBandLimits(s.image);
    int bank = s.currentBank;
    int row = s.currentChannel[bank];
    int column = s.currentColumn[bank];
    refreshShownBank();
    grids_[bank]->setCursor(row, column);
    followAlternatePanel(); // a signalling setting may have changed the ID code's length
    updateTitle();
}

void MainWindow::openComPort() {
    commitPendingEdit();
    ComPortDialog dialog(*session_, this);
    dialog.exec();
}

void MainWindow::showHelp() {
    commitPendingEdit();
    // The built-in guide, when there is one, looks after a help file of the dealer's own.
    auto guide = openers_.find(SubWindow::Help);
    if (guide != openers_.end() && guide->second) {
        guide->second();
        return;
    }
    const QString folder = QString::fromStdString(session_->applicationDirectory);
    OpenHelp(folder, session_->language, this, [this](const QString& problem) {
        prompts_.message(this, items::kModelName, problem, Icon::Information, Buttons::Ok,
                         Answer::Ok);
    });
}

} // namespace r57::ui
