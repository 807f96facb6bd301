// The whole-channel commands on the cursor row of the shown bank: Copy, Paste and
// Clear (Edit menu, toolbar, Ctrl+C/V/D in the grids) and the five channel buttons.
#include "ui/main/main_window.h"

#include "core/session.h"
#include "core/strings.h"
#include "ui/main/channel_grid.h"
#include "ui/main/main_window_items.h"
#include "ui/main/prompts.h"
#include "ui/main/ui_text.h"

namespace r57::ui {

void MainWindow::copyChannel() {
    commitPendingEdit();
    ChannelGrid* grid = shownGrid();
    int row = grid->cursorRow();
    if (row < 1 || !sheets_[session_->currentBank]->copy(row, clipboard_)) {
        return; // nothing to copy from an empty channel
    }
    grid->setCursor(row, kColRx);
    grid->setFocus();
    setPasteEnabled(true);
}

void MainWindow::pasteChannel() {
    commitPendingEdit();
    ChannelGrid* grid = shownGrid();
    int row = grid->cursorRow();
    if (row < 1 || !clipboard_.filled) {
        return; // Ctrl+V before anything was copied
    }
    sheets_[session_->currentBank]->paste(row, clipboard_);
    grid->showRow(row);
    grid->setCursor(row, kColRx);
    grid->setFocus();
    followAlternatePanel();
}

void MainWindow::clearChannel() {
    commitPendingEdit();
    ChannelGrid* grid = shownGrid();
    int row = grid->cursorRow();
    if (row < 1) {
        return;
    }
    sheets_[session_->currentBank]->clearRecord(row);
    grid->showRow(row);
    followAlternatePanel();
}

void MainWindow::runChannelButton(int button) {
    commitPendingEdit();
    ChannelGrid* grid = shownGrid();
    BankSheet& sheet = *sheets_[session_->currentBank];
    int row = grid->cursorRow();
    if (row < 1) {
        return;
    }
    switch (button) {
    case kMoveUp:
    case kMoveDown: {
        int moved = button == kMoveUp ? sheet.moveUp(row) : sheet.moveDown(row);
        grid->showRow(row);
        grid->showRow(moved);
        row = moved;
        break;
    }
    case kInsert:
        if (sheet.insertNeedsConfirmation() &&
            prompts_.message(this, items::kModelName, Tr(1314, session_->language), Icon::Question,
                             Buttons::YesNo, Answer::Yes) != Answer::Yes) {
            return;
        }
        sheet.insert(row);
        grid->showSheet();
        break;
    case kDelete:
        sheet.remove(row);
        grid->showSheet();
        break;
    case kClearButton:
        sheet.clearChannel(row);
        grid->showRow(row);
        break;
    default:
        return;
    }
    afterButton(row);
}

void MainWindow::afterButton(int row) {
    ChannelGrid* grid = shownGrid();
    grid->setCursor(row, grid->cursorColumn());
    grid->selectCursorRow();
    followAlternatePanel();
}

} // namespace r57::ui
