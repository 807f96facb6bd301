// When an in-cell editor that loses the focus has really been left.
#pragma once

#include <QAbstractItemView>
#include <QComboBox>
#include <QFocusEvent>

namespace r57::ui {

// A click elsewhere or Tab leaves an editor. A drop-down list of its own opening does
// not, nor does the window losing the focus to that list or to another window for a
// while: the editor stays open with what it holds.
inline bool LeavesCellEditor(const QFocusEvent* event, const QComboBox* list) {
    const Qt::FocusReason reason = event->reason();
    if (reason == Qt::PopupFocusReason || reason == Qt::ActiveWindowFocusReason) {
        return false;
    }
    return list == nullptr || !list->view()->isVisible();
}

} // namespace r57::ui
