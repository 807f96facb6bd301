// The commands on a block of rows: copy to the system clipboard, cut, paste of a block
// or of text from another program, clear, delete, sort, move by key and by dragging
// channel labels. Each runs inside one menu, toolbar or grid command, after which the
// main window takes one checkpoint: one undo step per block command.
#include "ui/main/main_window.h"

#include "core/session.h"
#include "ui/main/block_notes.h"
#include "ui/main/channel_grid.h"
#include "ui/main/main_window_items.h"
#include "ui/main/prompts.h"
#include "ui/main/ui_text.h"

#include <QAction>
#include <QButtonGroup>
#include <QClipboard>
#include <QComboBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGuiApplication>
#include <QKeySequence>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTabBar>
#include <QTabWidget>
#include <QVBoxLayout>

#include <algorithm>
#include <numeric>

namespace r57::ui {

namespace {

constexpr OwnText kDeleteBlock{"Delete the %1 selected channels? The channels below move up.",
                               "删除选中的 %1 个信道？下面的信道将上移。"};
constexpr OwnText kNoRoom{"Bank %1 has %2 empty channels: the %3 channels were not moved.",
                          "%1 区只有 %2 个空信道，%3 个信道未移动。"};
constexpr OwnText kSortTitle{"Sort Channels", "信道排序"};
constexpr OwnText kSortBy{"Sort by:", "排序依据："};
constexpr OwnText kAscending{"&Ascending", "升序(&A)"};
constexpr OwnText kDescending{"&Descending", "降序(&D)"};
constexpr OwnText kSortRows{"Channels %1 - %2 (%3 selected); empty channels go last.",
                            "信道 %1 - %2（选中 %3 个）；空信道排在最后。"};
constexpr OwnText kSortBank{"The whole bank %1; empty channels go last.",
                            "整个 %1 区；空信道排在最后。"};

// The Edit menu's block items: caption and keys.
struct EditItem {
    const char* name;
    OwnText caption;
    const char* keys; // QKeySequence's portable text, or none
};
constexpr EditItem kEditItems[] = {
    {"mnuEdit_Cut", {"Cu&t", "剪切(&T)"}, "Ctrl+X"},
    {"mnuEdit_Sort", {"&Sort Channels...", "信道排序(&S)..."}, nullptr},
    {"mnuEdit_Find", {"&Find", "查找(&F)"}, "Ctrl+F"},
    {"mnuEdit_FindNext", {"Find &Next", "查找下一个(&N)"}, "F3"},
    {"mnuEdit_FindPrevious", {"Find Pre&vious", "查找上一个(&V)"}, "Shift+F3"},
};

std::vector<int> Run(int first, int last) {
    std::vector<int> rows;
    for (int row = first; row <= last; ++row) {
        rows.push_back(row);
    }
    return rows;
}

} // namespace

void MainWindow::buildBlocks() {
    // As every menu item: the pending edit first, one checkpoint after.
    auto on = [this](const char* name, std::function<void()> command) {
        connect(menuItem(name), &QAction::triggered, this, [this, command, name] {
            if (transferRunning()) {
                return;
            }
            runGuarded([this, &command] {
                commitPendingEdit();
                command();
            });
            checkpoint(name);
        });
    };
    for (const EditItem& item : kEditItems) {
        if (item.keys != nullptr) {
            QAction* action = menuItem(item.name);
            action->setShortcut(QKeySequence(QString::fromLatin1(item.keys)));
            action->setShortcutContext(Qt::WindowShortcut);
        }
    }
    on("mnuEdit_Cut", [this] { cutChannels(); });
    on("mnuEdit_Sort", [this] { openSortDialog(); });
    on("mnuEdit_Find", [this] { openFindBar(); });
    on("mnuEdit_FindNext", [this] { findChannel(true); });
    on("mnuEdit_FindPrevious", [this] { findChannel(false); });

    auto command = [this](std::function<void()> run) {
        return [this, run] {
            if (!transferRunning() && menuItem("mnuEdit")->isEnabled()) {
                runGuarded(run);
                checkpoint();
            }
        };
    };
    for (ChannelGrid* grid : grids_) {
        connect(grid, &ChannelGrid::blockMoveRequested, this,
                [this, command](int step) { command([this, step] { moveChannels(step); })(); });
        connect(grid, &ChannelGrid::rowsDropped, this,
                [this, command](const std::vector<int>& rows, int before) {
                    command([this, rows, before] { dropChannels(rows, before); })();
                });
        connect(grid, &ChannelGrid::rowsDraggedAway, this,
                [this, command](const std::vector<int>& rows, const QPoint& global) {
                    QTabBar* bar = tabs_->tabBar();
                    const int tab = bar->tabAt(bar->mapFromGlobal(global));
                    if (tab >= 0 && tab != session_->currentBank) {
                        command([this, rows, tab] { moveChannelsToBank(rows, tab); })();
                    }
                });
    }

    QClipboard* clipboard = QGuiApplication::clipboard();
    foreignText_ = !clipboard->text().isEmpty();
    connect(clipboard, &QClipboard::dataChanged, this, [this] {
        const QString text = QGuiApplication::clipboard()->text();
        foreignText_ = !text.isEmpty() && text != blockText_;
        updatePasteEnabled();
    });
}

void MainWindow::applyBlockLanguage() {
    for (const EditItem& item : kEditItems) {
        menuItem(item.name)->setText(Tr(item.caption, session_->language));
    }
    applyFindLanguage();
}

void MainWindow::updatePasteEnabled() {
    if (!alternatePanelOpen()) {
        setPasteEnabled(clipboard_.filled);
    }
}

bool MainWindow::blockSelected() const {
    return shownGrid()->selectedRows().size() > 1;
}

void MainWindow::showBlock(const std::vector<int>& rows) {
    ChannelGrid* grid = shownGrid();
    if (rows.empty()) {
        return;
    }
    for (int row : rows) {
        grid->showRow(row);
    }
    grid->setCursor(rows.front(), grid->cursorColumn());
    grid->selectRows(rows);
    grid->setFocus();
    followAlternatePanel();
}

void MainWindow::copyBlock() {
    const BankSheet& sheet = *sheets_[session_->currentBank];
    const std::vector<int> rows = shownGrid()->selectedRows();
    block_ = CopyRows(sheet, rows);
    blockText_ = QString::fromStdString(BlockText(sheet, rows));
    QGuiApplication::clipboard()->setText(blockText_);
    foreignText_ = false;
    updatePasteEnabled();
}

int MainWindow::pasteStartRow(int lines) {
    const std::vector<int> rows = shownGrid()->selectedRows();
    const int first = rows.front(); // the top, whichever way the selection was made
    // The rows from the top that follow one another: a paste is a run of rows, so rows
    // between those picked with Ctrl+click lie past the selection as well.
    int selected = 1;
    while (selected < static_cast<int>(rows.size()) && rows[selected] == first + selected) {
        ++selected;
    }
    if (rows.size() > 1 && lines > selected) {
        const int last = std::min(first + lines - 1, static_cast<int>(kChannelRows));
        const QString question = QString::fromStdString(PastePastSelectionText(
            lines, selected, session_->currentBank, first, last, session_->language));
        if (prompts_.message(this, items::kModelName, question, Icon::Question, Buttons::YesNo,
                             Answer::No) != Answer::Yes) {
            return 0;
        }
    }
    return first;
}

void MainWindow::pasteText(const QString& text) {
    ChannelGrid* grid = shownGrid();
    const int bank = session_->currentBank;
    const int language = session_->language;
    QString block = text;
    QStringList notes;
    if (clipboardReader_) {
        if (std::optional<QString> read = clipboardReader_(text, notes)) {
            block = *read;
        }
    }
    const BlockTable table = ReadBlockText(block.toStdString(), grid->cursorColumn());
    if (table.unknownHeader ||
        (table.header && std::none_of(table.columns.begin(), table.columns.end(),
                                      [](int c) { return c >= kColRx && c < kColMore; }))) {
        prompts_.message(this, items::kModelName,
                         QString::fromStdString(UnknownHeaderText(table.headerCells, language)),
                         Icon::Warning, Buttons::Ok, Answer::Ok);
        return;
    }
    const int row = pasteStartRow(static_cast<int>(table.rows.size()));
    if (row == 0) {
        return;
    }
    for (const QString& note : notes) {
        appendStatusLine(note);
    }
    const PasteResult result = PasteTable(*sheets_[bank], row, table);
    for (const QString& line : NoteLines(result.notes, bank, language)) {
        appendStatusLine(line);
    }
    if (result.notPasted > 0) {
        appendStatusLine(
            QString::fromStdString(RowsNotPastedText(result.notPasted, bank, language)));
    }
    showBlock(Run(row, result.lastRow));
}

void MainWindow::pasteBlock() {
    const int row = pasteStartRow(static_cast<int>(block_.size()));
    if (row == 0) {
        return;
    }
    const int bank = session_->currentBank;
    const int last = PasteRows(*sheets_[bank], row, block_);
    const int notPasted = static_cast<int>(block_.size()) - (last - row + 1);
    if (notPasted > 0) {
        appendStatusLine(
            QString::fromStdString(RowsNotPastedText(notPasted, bank, session_->language)));
    }
    showBlock(Run(row, last));
}

void MainWindow::clearBlock() {
    BankSheet& sheet = *sheets_[session_->currentBank];
    const std::vector<int> rows = shownGrid()->selectedRows();
    for (int row : rows) {
        sheet.clearRecord(row);
        shownGrid()->showRow(row);
    }
    followAlternatePanel();
}

void MainWindow::deleteBlock() {
    const std::vector<int> rows = shownGrid()->selectedRows();
    const QString question = Tr(kDeleteBlock, session_->language).arg(rows.size());
    if (prompts_.message(this, items::kModelName, question, Icon::Question, Buttons::YesNo,
                         Answer::No) != Answer::Yes) {
        return;
    }
    BankSheet& sheet = *sheets_[session_->currentBank];
    for (auto it = rows.rbegin(); it != rows.rend(); ++it) {
        sheet.remove(*it); // from the bottom, so the rows above stay where they are
    }
    ChannelGrid* grid = shownGrid();
    grid->showSheet();
    grid->setCursor(rows.front(), grid->cursorColumn());
    grid->selectCursorRow();
    followAlternatePanel();
}

void MainWindow::cutChannels() {
    if (blockSelected()) {
        copyBlock();
        clearBlock();
        return;
    }
    copyChannel();
    clearChannel();
}

void MainWindow::moveChannels(int step) {
    commitPendingEdit();
    ChannelGrid* grid = shownGrid();
    std::vector<int> rows = grid->selectedRows();
    const std::vector<int> moved = MoveBlock(*sheets_[session_->currentBank], rows, step);
    if (moved == rows) {
        return; // the block is at that end of the bank
    }
    for (int row = std::min(rows.front(), moved.front());
         row <= std::max(rows.back(), moved.back()); ++row) {
        grid->showRow(row);
    }
    grid->setCursor(grid->cursorRow() + step, grid->cursorColumn());
    grid->selectRows(moved);
    grid->setFocus();
    followAlternatePanel();
}

void MainWindow::dropChannels(const std::vector<int>& rows, int before) {
    commitPendingEdit();
    const BankOrder order = DropOrder(rows, before);
    BankOrder same;
    std::iota(same.begin(), same.end(), 1);
    if (order == same) {
        return; // dropped where they are
    }
    ApplyOrder(*sheets_[session_->currentBank], order);
    std::vector<int> now;
    for (int k = 0; k < kChannelRows; ++k) {
        if (std::find(rows.begin(), rows.end(), order[k]) != rows.end()) {
            now.push_back(k + 1);
        }
    }
    shownGrid()->showSheet();
    showBlock(now);
}

void MainWindow::moveChannelsToBank(const std::vector<int>& rows, int bank) {
    commitPendingEdit();
    const int from = session_->currentBank;
    if (bank == from || (bank != kBankA && bank != kBankB)) {
        return;
    }
    BankSheet& source = *sheets_[from];
    BankSheet& target = *sheets_[bank];
    target.refresh(); // not shown: it may hold the texts of an earlier image
    const std::vector<int> moved = MoveToBank(source, target, rows);
    if (moved.empty()) {
        const auto used =
            std::count_if(rows.begin(), rows.end(), [&](int row) { return source.rowUsed(row); });
        if (used > 0) {
            int empty = 0;
            for (int row = 1; row <= kChannelRows; ++row) {
                empty += target.rowUsed(row) ? 0 : 1;
            }
            appendStatusLine(Tr(kNoRoom, session_->language)
                                 .arg(bank == kBankA ? "A" : "B")
                                 .arg(empty)
                                 .arg(used));
        }
        return;
    }
    for (int row : rows) {
        shownGrid()->showRow(row);
    }
    tabs_->setCurrentIndex(bank); // commits, keeps the names and shows the other bank
    grids_[bank]->setCursor(moved.front(), kColRx);
    grids_[bank]->selectRows(moved);
    grids_[bank]->setFocus();
}

void MainWindow::sortChannels(SortKey key, bool descending) {
    commitPendingEdit();
    ChannelGrid* grid = shownGrid();
    const std::vector<int> rows = grid->selectedRows();
    const bool block = rows.size() > 1;
    BankSheet& sheet = *sheets_[session_->currentBank];
    ApplyOrder(sheet, SortOrder(sheet, block ? rows : std::vector<int>{}, key, descending));
    grid->showSheet();
    if (block) {
        grid->selectRows(rows);
    }
    grid->setFocus();
    followAlternatePanel();
}

void MainWindow::openSortDialog() {
    if (sortDialog_ && sortDialog_->isVisible()) {
        sortDialog_->raise();
        return;
    }
    delete sortDialog_; // answered, and not yet gone
    const int language = session_->language;
    auto* dialog = new QDialog(this);
    dialog->setObjectName("frmSort");
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->setWindowTitle(Tr(kSortTitle, language));
    auto* layout = new QVBoxLayout(dialog);

    const std::vector<int> rows = shownGrid()->selectedRows();
    const int bank = session_->currentBank;
    auto* what = new QLabel(dialog);
    what->setObjectName("lblSortRows");
    what->setText(rows.size() > 1
                      ? Tr(kSortRows, language)
                            .arg(QString::fromStdString(ChannelLabel(bank, rows.front())),
                                 QString::fromStdString(ChannelLabel(bank, rows.back())))
                            .arg(rows.size())
                      : Tr(kSortBank, language).arg(bank == kBankA ? "A" : "B"));
    layout->addWidget(what);

    auto* form = new QFormLayout;
    auto* key = new QComboBox(dialog);
    key->setObjectName("cboSortKey");
    for (int column : {kColRx, kColName, kColTx}) {
        key->addItem(QString::fromStdString(ColumnCaption(column, language)));
    }
    form->addRow(Tr(kSortBy, language), key);
    layout->addLayout(form);
    auto* ascending = new QRadioButton(Tr(kAscending, language), dialog);
    ascending->setObjectName("optSortAscending");
    ascending->setChecked(true);
    auto* descending = new QRadioButton(Tr(kDescending, language), dialog);
    descending->setObjectName("optSortDescending");
    layout->addWidget(ascending);
    layout->addWidget(descending);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, dialog);
    buttons->button(QDialogButtonBox::Ok)->setObjectName("cmdSortOk");
    buttons->button(QDialogButtonBox::Cancel)->setObjectName("cmdSortCancel");
    layout->addWidget(buttons);
    connect(buttons, &QDialogButtonBox::accepted, dialog, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, dialog, &QDialog::reject);
    connect(dialog, &QDialog::accepted, this, [this, key, descending] {
        static constexpr SortKey kKeys[] = {SortKey::RxFrequency, SortKey::Name,
                                            SortKey::TxFrequency};
        const SortKey chosen = kKeys[std::clamp(key->currentIndex(), 0, 2)];
        const bool down = descending->isChecked();
        if (!transferRunning()) {
            runGuarded([this, chosen, down] { sortChannels(chosen, down); });
            checkpoint("mnuEdit_Sort");
        }
    });
    sortDialog_ = dialog;
    dialog->open(); // window-modal: the grid and its selection wait for the answer
}

} // namespace r57::ui
