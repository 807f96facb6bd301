// The whole-channel commands on the cursor row of the shown bank: Copy, Paste and
// Clear (Edit menu, toolbar, Ctrl+C/V/D in the grids) and the five channel buttons.
// With a block of rows selected they hand over to the block commands.
#include "ui/main/main_window.h"

#include "core/session.h"
#include "core/strings.h"
#include "ui/main/channel_grid.h"
#include "ui/main/main_window_items.h"
#include "ui/main/prompts.h"
#include "ui/main/ui_text.h"

#include <QClipboard>
#include <QGuiApplication>

namespace r57::ui {

void MainWindow::copyChannel() {
    commitPendingEdit();
    if (blockSelected()) {
        copyBlock(); // main_window_blocks.cpp
        return;
    }
    ChannelGrid* grid = shownGrid();
    int row = grid->cursorRow();
    if (row < 1 || !sheets_[session_->currentBank]->copy(row, clipboard_)) {
        return; // nothing to copy from an empty channel
    }
    block_.clear(); // the channel copied last is the one a paste writes
    foreignText_ = false;
    grid->setCursor(row, kColRx);
    grid->setFocus();
    setPasteEnabled(true);
}

void MainWindow::pasteChannel() {
    commitPendingEdit();
    // What was copied last: text from another program, a block, or one channel.
    const QString text = foreignText_ ? QGuiApplication::clipboard()->text() : QString();
    if (!text.isEmpty()) {
        pasteText(text);
        return;
    }
    if (!block_.empty()) {
        pasteBlock();
        return;
    }
    ChannelGrid* grid = shownGrid();
    const int row = grid->selectedRows().front(); // the top of a selected block
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
    if (blockSelected()) {
        clearBlock();
        return;
    }
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
    if (blockSelected()) {
        // The block's own forms of Delete, Clear, CH-Up and CH-Down; Insert stays one row.
        switch (button) {
        case kDelete:
            deleteBlock();
            return;
        case kClearButton:
            for (int r : grid->selectedRows()) {
                sheet.clearChannel(r);
                grid->showRow(r);
            }
            followAlternatePanel();
            return;
        case kMoveUp:
        case kMoveDown:
            moveChannels(button == kMoveUp ? -1 : 1);
            return;
        default:
            break;
        }
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
