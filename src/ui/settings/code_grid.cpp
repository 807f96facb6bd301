#include "ui/settings/code_grid.h"

#include "ui/settings/settings_widgets.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QFocusEvent>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QScrollBar>

namespace r57::ui {

namespace {

bool IsEnter(const QKeyEvent* e) {
    return e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter;
}

} // namespace

CodeGrid::CodeGrid(const QString& name, const QStringList& headers, const QStringList& labels,
                   QWidget* parent)
    : QTableWidget(static_cast<int>(labels.size()), static_cast<int>(headers.size()), parent) {
    setObjectName(name);
    setHorizontalHeaderLabels(headers);
    verticalHeader()->hide();
    setEditTriggers(NoEditTriggers);
    setSelectionMode(SingleSelection);
    setTabKeyNavigation(false);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    horizontalHeader()->setSectionResizeMode(0, QHeaderView::Fixed);
    horizontalHeader()->setSectionsClickable(false);
    setColumnWidth(0, 48);
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 8);
    for (int row = 0; row < rowCount(); ++row) {
        auto* label = new QTableWidgetItem(labels[row]);
        label->setFlags(Qt::ItemIsEnabled);
        label->setTextAlignment(Qt::AlignCenter);
        label->setBackground(palette().button());
        setItem(row, 0, label);
        for (int column = 1; column < columnCount(); ++column) {
            auto* cell = new QTableWidgetItem;
            cell->setTextAlignment(Qt::AlignCenter);
            cell->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
            setItem(row, column, cell);
        }
    }
    setCurrentCell(0, 1, QItemSelectionModel::NoUpdate);

    text_ = new QLineEdit(viewport());
    text_->setFrame(false);
    text_->setAlignment(Qt::AlignCenter);
    SetKeyRule(
        text_,
        [this](char32_t c) {
            return rules_.key ? rules_.key(editColumn_, c) : static_cast<char>(c);
        },
        32767);
    text_->installEventFilter(this);
    text_->hide();
    fitHeight();
}

void CodeGrid::fitHeight() {
    // Every row in view: the grids are short and never scroll.
    int height = horizontalHeader()->sizeHint().height() + 2 * frameWidth();
    for (int row = 0; row < rowCount(); ++row) {
        height += rowHeight(row);
    }
    setFixedHeight(height);
}

void CodeGrid::setChoiceEditor(int column, QComboBox* combo) {
    choice_ = combo;
    choiceColumn_ = column;
    combo->setParent(viewport());
    combo->installEventFilter(this);
    combo->hide();
    connect(combo, &QComboBox::activated, this, [this] {
        if (open_ == choice_) {
            setText(editRow_, editColumn_, choice_->currentText());
        }
    });
}

QString CodeGrid::text(int row, int column) const {
    return item(row, column)->text();
}

void CodeGrid::setText(int row, int column, const QString& text) {
    item(row, column)->setText(text);
}

void CodeGrid::openEditor(int row, int column, char first) {
    commitPendingEdit();
    if (rules_.editorColumn) {
        column = rules_.editorColumn(row, column);
    }
    setCurrentCell(row, column);
    editRow_ = row;
    editColumn_ = column;
    previous_ = text(row, column);
    scrollTo(model()->index(row, column));
    const QRect cell = visualRect(model()->index(row, column));
    if (column == choiceColumn_ && choice_) {
        open_ = choice_;
        const int found = choice_->findText(previous_);
        choice_->setCurrentIndex(found >= 0 ? found : 0);
        choice_->setGeometry(cell);
    } else {
        open_ = text_;
        text_->setMaxLength(rules_.maxLength ? rules_.maxLength(column) : 32767);
        const char taken = first && rules_.key ? rules_.key(column, first) : first;
        text_->setText(taken ? QString(QChar::fromLatin1(taken)) : previous_);
        text_->setGeometry(cell);
        if (!taken) {
            text_->selectAll();
        }
    }
    open_->show();
    open_->setFocus(Qt::OtherFocusReason);
}

QString CodeGrid::editorText() const {
    return open_ == choice_ ? choice_->currentText() : text_->text();
}

void CodeGrid::closeEditor(bool take) {
    if (!open_ || closing_) {
        return;
    }
    closing_ = true;
    QWidget* editor = open_;
    const QString typed = editorText();
    open_ = nullptr;
    if (editor->hasFocus()) {
        setFocus(Qt::OtherFocusReason);
    }
    editor->hide();
    if (take && typed != previous_) {
        if (rules_.commit) {
            rules_.commit(editRow_, editColumn_, typed);
        } else {
            setText(editRow_, editColumn_, typed);
        }
    } else if (!take) {
        setText(editRow_, editColumn_, previous_);
    }
    closing_ = false;
}

bool CodeGrid::commitPendingEdit() {
    const bool wasOpen = open_ != nullptr;
    closeEditor(true);
    return wasOpen;
}

void CodeGrid::cancelEdit() {
    closeEditor(false);
}

void CodeGrid::moveToRow(int row, int column) {
    if (row >= rowCount()) {
        emit leftLastRow();
        return;
    }
    setCurrentCell(row, column);
    scrollTo(model()->index(row, column));
}

void CodeGrid::moveOn(int row, int column) {
    if (column + 1 < columnCount()) {
        setCurrentCell(row, column + 1);
        return;
    }
    moveToRow(row + 1, 1);
}

void CodeGrid::keyPressEvent(QKeyEvent* event) {
    const int row = currentRow() < 0 ? 0 : currentRow();
    const int column = currentColumn() < 1 ? 1 : currentColumn();
    if (IsEnter(event)) {
        moveToRow(row + 1, column);
        return;
    }
    const QString typed = event->text();
    if (typed.size() == 1 && rules_.openKey && !(event->modifiers() & Qt::ControlModifier)) {
        if (const char first = rules_.openKey(typed[0].unicode())) {
            openEditor(row, column, first);
            return;
        }
    }
    QTableWidget::keyPressEvent(event);
}

void CodeGrid::mouseReleaseEvent(QMouseEvent* event) {
    QTableWidget::mouseReleaseEvent(event);
    if (event->button() != Qt::LeftButton) {
        return;
    }
    const QModelIndex index = indexAt(event->position().toPoint());
    if (index.isValid() && index.column() >= 1) {
        openEditor(index.row(), index.column());
    }
}

bool CodeGrid::eventFilter(QObject* watched, QEvent* event) {
    if (watched != text_ && watched != choice_) {
        return QTableWidget::eventFilter(watched, event);
    }
    if (event->type() == QEvent::FocusOut) {
        // Clicking elsewhere takes the text, as Enter does; a list's own popup does not.
        if (static_cast<QFocusEvent*>(event)->reason() != Qt::PopupFocusReason) {
            closeEditor(true);
        }
        return false;
    }
    if (event->type() != QEvent::KeyPress) {
        return false;
    }
    auto* key = static_cast<QKeyEvent*>(event);
    if (key->key() == Qt::Key_Escape) {
        cancelEdit();
        return true;
    }
    if (IsEnter(key)) {
        if (watched == choice_ && choice_->view()->isVisible()) {
            return false; // Enter picks from the open list first
        }
        const int row = editRow_;
        const int column = editColumn_;
        closeEditor(true);
        moveOn(row, column);
        return true;
    }
    return false;
}

} // namespace r57::ui
