// The block of rows a grid has selected: how the keyboard and the mouse select it,
// channel labels dragged to move it, and a value committed in one of its rows filling
// that column of the others.
#include "ui/main/block_notes.h"
#include "ui/main/channel_grid.h"

#include "core/session.h"
#include "model/sheet/bank_sheet.h"
#include "model/sheet/block_commands.h"

#include <QApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMouseEvent>

#include <algorithm>

namespace r57::ui {

namespace {

constexpr int kQtColumns = kColumnCount - 1;

bool Contains(const std::vector<int>& rows, int row) {
    return std::find(rows.begin(), rows.end(), row) != rows.end();
}

} // namespace

std::vector<int> ChannelGrid::selectedRows() const {
    std::vector<bool> marked(kChannelRows + 1, false);
    for (const QItemSelectionRange& range : selectionModel()->selection()) {
        for (int r = range.top(); r <= range.bottom(); ++r) {
            marked[r + 1] = true;
        }
    }
    std::vector<int> rows;
    for (int row = 1; row <= kChannelRows; ++row) {
        if (marked[row]) {
            rows.push_back(row);
        }
    }
    if (rows.empty()) {
        rows.push_back(cursorRow());
    }
    return rows;
}

void ChannelGrid::selectRows(const std::vector<int>& rows) {
    std::vector<int> sorted = rows;
    std::sort(sorted.begin(), sorted.end());
    QItemSelection selection;
    // One range per run of neighbouring rows: a whole bank is one range.
    for (std::size_t i = 0; i < sorted.size();) {
        std::size_t j = i;
        while (j + 1 < sorted.size() && sorted[j + 1] <= sorted[j] + 1) {
            ++j;
        }
        if (sorted[i] >= 1 && sorted[j] <= kChannelRows) {
            selection.select(model()->index(sorted[i] - 1, 0),
                             model()->index(sorted[j] - 1, kQtColumns - 1));
        }
        i = j + 1;
    }
    selectionModel()->select(selection, QItemSelectionModel::ClearAndSelect);
}

void ChannelGrid::selectRowRange(int from, int to) {
    std::vector<int> rows;
    for (int row = std::min(from, to); row <= std::max(from, to); ++row) {
        rows.push_back(row);
    }
    selectRows(rows);
}

void ChannelGrid::keepingBlock(const std::function<void()>& move) {
    const std::vector<int> block = selectedRows();
    move();
    if (block.size() > 1 && Contains(block, cursorRow())) {
        selectRows(block);
    }
}

bool ChannelGrid::blockKey(QKeyEvent* e) {
    const Qt::KeyboardModifiers mods = e->modifiers() & ~Qt::KeypadModifier;
    const int key = e->key();
    const bool vertical = key == Qt::Key_Up || key == Qt::Key_Down || key == Qt::Key_PageUp ||
                          key == Qt::Key_PageDown;
    if (mods == (Qt::ControlModifier | Qt::ShiftModifier) &&
        (key == Qt::Key_Up || key == Qt::Key_Down)) {
        emit blockMoveRequested(key == Qt::Key_Up ? -1 : 1);
        return true;
    }
    if (mods == Qt::ShiftModifier && vertical) {
        extending_ = true;
        QTableWidget::keyPressEvent(e);
        extending_ = false;
        selectRowRange(anchorRow_, cursorRow());
        return true;
    }
    if (mods == Qt::ControlModifier && key == Qt::Key_A) {
        selectRowRange(1, kChannelRows);
        return true;
    }
    return false;
}

void ChannelGrid::mousePressEvent(QMouseEvent* e) {
    pressedButton_ = e->button();
    const Qt::KeyboardModifiers mods = e->modifiers() & (Qt::ShiftModifier | Qt::ControlModifier);
    modifiedPress_ = mods != 0 && e->button() == Qt::LeftButton;
    if (!modifiedPress_) {
        QTableWidget::mousePressEvent(e);
        return;
    }
    // Shift or Ctrl with a click selects rows and opens no editor.
    const std::vector<int> before = selectedRows();
    extending_ = true;
    QTableWidget::mousePressEvent(e);
    extending_ = false;
    const int row = cursorRow();
    if (mods & Qt::ShiftModifier) {
        selectRowRange(anchorRow_, row);
        pressRows_ = selectedRows();
        return;
    }
    std::vector<int> rows = before;
    if (Contains(rows, row)) {
        rows.erase(std::find(rows.begin(), rows.end(), row));
    } else {
        rows.push_back(row);
    }
    if (!rows.empty()) {
        selectRows(rows);
    }
    pressRows_ = selectedRows();
    anchorRow_ = row;
}

void ChannelGrid::mouseReleaseEvent(QMouseEvent* e) {
    QTableWidget::mouseReleaseEvent(e);
    if (modifiedPress_ && e->button() == Qt::LeftButton) {
        selectRows(pressRows_); // the view's own release would take a selected cell back
    }
}

void ChannelGrid::mouseMoveEvent(QMouseEvent* e) {
    if (modifiedPress_ && (e->buttons() & Qt::LeftButton)) {
        return; // a Shift or Ctrl click is no drag over cells
    }
    QTableWidget::mouseMoveEvent(e);
}

bool ChannelGrid::labelMouse(QEvent* e) {
    auto* mouse = static_cast<QMouseEvent*>(e);
    QHeaderView* labels = verticalHeader();
    const int row = labels->logicalIndexAt(mouse->position().toPoint()) + 1;
    switch (e->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick: {
        if (mouse->button() != Qt::LeftButton || row < 1) {
            return true;
        }
        commitPendingEdit();
        const Qt::KeyboardModifiers mods = mouse->modifiers();
        dragRows_.clear();
        if (mods & Qt::ShiftModifier) {
            const int anchor = anchorRow_;
            extending_ = true;
            setCursor(row, cursorColumn());
            extending_ = false;
            selectRowRange(anchor, row);
        } else if (mods & Qt::ControlModifier) {
            std::vector<int> rows = selectedRows();
            if (Contains(rows, row)) {
                rows.erase(std::find(rows.begin(), rows.end(), row));
            } else {
                rows.push_back(row);
            }
            setCursor(row, cursorColumn());
            selectRows(rows.empty() ? std::vector<int>{row} : rows);
        } else {
            // A label pressed in the block may drag the block; any other drags its row.
            const std::vector<int> block = selectedRows();
            dragRows_ = block.size() > 1 && Contains(block, row) ? block : std::vector<int>{row};
            dragFrom_ = mouse->globalPosition().toPoint();
            dragging_ = false;
        }
        setFocus(Qt::MouseFocusReason);
        return true;
    }
    case QEvent::MouseMove:
        if (!dragRows_.empty() && (mouse->buttons() & Qt::LeftButton) && !dragging_ &&
            (mouse->globalPosition().toPoint() - dragFrom_).manhattanLength() >=
                QApplication::startDragDistance()) {
            dragging_ = true;
            labels->viewport()->setCursor(Qt::DragMoveCursor);
        }
        return true;
    case QEvent::MouseButtonRelease: {
        if (mouse->button() != Qt::LeftButton || dragRows_.empty()) {
            return true;
        }
        const std::vector<int> rows = std::move(dragRows_);
        dragRows_.clear();
        if (!dragging_) {
            // A click on a label selects that channel, as the channel commands do.
            if (row >= 1) {
                setCursor(row, cursorColumn());
                selectCursorRow();
            }
            return true;
        }
        dragging_ = false;
        labels->viewport()->unsetCursor();
        const QPoint global = mouse->globalPosition().toPoint();
        const QPoint inView = viewport()->mapFromGlobal(global);
        const QPoint onLabels = labels->viewport()->mapFromGlobal(global);
        const bool over =
            viewport()->rect().contains(inView) || labels->viewport()->rect().contains(onLabels);
        if (!over) {
            emit rowsDraggedAway(rows, global);
            return true;
        }
        // Dropped on the lower half of a row: after it.
        const int y = onLabels.y();
        const int at = labels->logicalIndexAt(y);
        int before = kChannelRows + 1;
        if (at >= 0) {
            const int middle = labels->sectionViewportPosition(at) + labels->sectionSize(at) / 2;
            before = at + 1 + (y >= middle ? 1 : 0);
        }
        emit rowsDropped(rows, before);
        return true;
    }
    default:
        return false;
    }
}

void ChannelGrid::fillBlock(int row, int column, const std::string& value) {
    std::vector<int> others = selectedRows();
    if (others.size() < 2 || !Contains(others, row)) {
        return;
    }
    others.erase(std::find(others.begin(), others.end(), row));
    const std::vector<CellNote> notes = FillColumn(sheet_, others, column, value);
    for (int other : others) {
        showRow(other);
    }
    for (const QString& line : NoteLines(notes, bank_, session_.language)) {
        emit entryReplaced(line);
    }
}

} // namespace r57::ui
