// The alternate channel panel and the VFO panel in the main window: where they sit,
// opening and closing the alternate panel, and keeping it on the cursor channel.
#include "ui/main/main_window.h"

#include "core/session.h"
#include "ui/main/alternate_panel.h"
#include "ui/main/channel_grid.h"
#include "ui/main/vfo_panel.h"

#include <QAction>
#include <QSplitter>
#include <QTabWidget>

namespace r57::ui {

namespace {

// Toolbar buttons of the channel commands, off while the panel is open.
constexpr const char* kPanelLockedTools[] = {"Copy",     "Paste",  "Clear", "MoveUp",
                                             "MoveDown", "Insert", "Delete"};

} // namespace

void MainWindow::buildPanels() {
    panel_ = new AlternatePanel(*session_, {sheets_[kBankA].get(), sheets_[kBankB].get()}, grids_,
                                splitButtons_);
    splitButtons_->insertWidget(1, panel_);
    splitButtons_->setStretchFactor(1, 0);
    splitButtons_->setCollapsible(1, false);
    panel_->hide();
    connect(panel_, &AlternatePanel::channelRequested, this, [this](int bank, int row) {
        runGuarded([this, bank, row] { selectChannel(bank, row); });
    });
    connect(panel_, &AlternatePanel::entryReplaced, this, &MainWindow::appendStatusLine);
    connect(panel_, &AlternatePanel::closeRequested, this,
            [this] { runGuarded([this] { setAlternatePanelOpen(false); }); });
    // The panel shows the cursor channel: it follows the grid's cursor from row to row,
    // and an edit made in the grid.
    for (int bank : {kBankA, kBankB}) {
        connect(grids_[bank], &QTableWidget::currentCellChanged, this,
                [this, bank](int row, int, int previousRow, int) {
                    if (bank == session_->currentBank && row != previousRow) {
                        followAlternatePanel();
                    }
                });
        connect(grids_[bank], &ChannelGrid::channelEdited, this, [this, bank] {
            if (bank == session_->currentBank) {
                followAlternatePanel();
            }
        });
    }
    // Setup > Use Alternate GUI switches between the grids alone and the panel.
    setWindowOpener(SubWindow::AlternatePanel,
                    [this] { setAlternatePanelOpen(!alternatePanelOpen()); });

    // The VFO frame holds no value of the codeplug; it stays out of the user's way.
    vfo_ = new VfoPanel(*session_, centralWidget());
    vfo_->hide();
}

void MainWindow::applyPanelLanguage() {
    if (panel_ != nullptr) {
        panel_->applyLanguage();
    }
    if (vfo_ != nullptr) {
        vfo_->applyLanguage();
    }
}

bool MainWindow::alternatePanelOpen() const {
    return panel_ != nullptr && !panel_->isHidden();
}

void MainWindow::setAlternatePanelOpen(bool open) {
    commitPendingEdit();
    menuItem("mnuSet_GUI")->setChecked(open);
    menuItem("mnuEdit")->setEnabled(!open);
    for (const char* key : kPanelLockedTools) {
        toolActions_.value(key)->setEnabled(!open);
    }
    if (open) {
        panel_->show();
        panel_->fill();
        panel_->setFocus(Qt::OtherFocusReason);
        return;
    }
    panel_->hide();
    panel_->fill(); // nothing is left pending in a closed panel
    setPasteEnabled(clipboard_.filled);
    shownGrid()->setFocus(Qt::OtherFocusReason);
}

void MainWindow::followAlternatePanel() {
    if (alternatePanelOpen()) {
        panel_->fill();
    }
}

void MainWindow::selectChannel(int bank, int row) {
    if (bank != session_->currentBank) {
        tabs_->setCurrentIndex(bank == kBankB ? 1 : 0); // commits, keeps names, shows the bank
    }
    ChannelGrid* grid = shownGrid();
    if (grid->cursorRow() == row) {
        followAlternatePanel(); // no cursor move, so no refill on the way
        return;
    }
    grid->setCursor(row, grid->cursorColumn());
}

void MainWindow::showChannelCell(int bank, int row, int column) {
    commitPendingEdit();
    selectChannel(bank, row);
    shownGrid()->setCursor(row, column);
    activateWindow();
    shownGrid()->setFocus();
}

} // namespace r57::ui
