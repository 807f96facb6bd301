#include "ui/service/cell_grid.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QRegularExpressionValidator>

#include <algorithm>

namespace r57::ui {

CellEditorDelegate::CellEditorDelegate(QString editorName, const QString& accepted, int maxLength,
                                       Commit commit, QObject* parent)
    : QStyledItemDelegate(parent), editorName_(std::move(editorName)),
      accepted_(QRegularExpression::anchoredPattern(accepted)), maxLength_(maxLength),
      commit_(std::move(commit)) {}

QWidget* CellEditorDelegate::createEditor(QWidget* parent, const QStyleOptionViewItem&,
                                          const QModelIndex&) const {
    auto* box = new QLineEdit(parent);
    box->setObjectName(editorName_);
    box->setMaxLength(maxLength_);
    box->setAlignment(Qt::AlignCenter);
    box->setFrame(false);
    box->setValidator(new QRegularExpressionValidator(accepted_, box));
    open_ = box;
    return box;
}

void CellEditorDelegate::setEditorData(QWidget* editor, const QModelIndex& index) const {
    static_cast<QLineEdit*>(editor)->setText(index.data(Qt::EditRole).toString());
}

void CellEditorDelegate::setModelData(QWidget* editor, QAbstractItemModel*,
                                      const QModelIndex& index) const {
    if (commit_) {
        commit_(index.row(), index.column(), static_cast<QLineEdit*>(editor)->text());
    }
}

void CellEditorDelegate::destroyEditor(QWidget* editor, const QModelIndex& index) const {
    if (open_ == editor) {
        open_ = nullptr;
    }
    QStyledItemDelegate::destroyEditor(editor, index);
}

bool CellEditorDelegate::eventFilter(QObject* object, QEvent* event) {
    auto* editor = qobject_cast<QWidget*>(object);
    if (editor && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            emit commitData(editor);
            emit closeEditor(editor, QAbstractItemDelegate::NoHint);
            return true;
        }
    }
    return QStyledItemDelegate::eventFilter(object, event);
}

CellGrid::CellGrid(const QString& name, int rows, const QStringList& columnLabels, QWidget* parent)
    : QTableWidget(rows, static_cast<int>(columnLabels.size()), parent) {
    setObjectName(name);
    setHorizontalHeaderLabels(columnLabels);
    verticalHeader()->hide();
    horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    horizontalHeader()->setHighlightSections(false);
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setHighlightSections(false);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                    QAbstractItemView::AnyKeyPressed);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setWordWrap(false);
    for (int r = 0; r < rows; ++r) {
        for (int c = 0; c < columnCount(); ++c) {
            setCell(r, c, QString(), false);
        }
    }
}

void CellGrid::setEditor(const QString& editorName, const QString& accepted, int maxLength,
                         CellEditorDelegate::Commit commit) {
    setItemDelegate(
        new CellEditorDelegate(editorName, accepted, maxLength, std::move(commit), this));
}

void CellGrid::setRowLabels(const QStringList& labels) {
    setVerticalHeaderLabels(labels);
    verticalHeader()->show();
}

void CellGrid::setCell(int row, int column, const QString& text, bool editable) {
    QTableWidgetItem* it = item(row, column);
    if (!it) {
        it = new QTableWidgetItem;
        it->setTextAlignment(Qt::AlignCenter);
        setItem(row, column, it);
    }
    it->setText(text);
    Qt::ItemFlags flags = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
    if (editable) {
        flags |= Qt::ItemIsEditable;
    }
    it->setFlags(flags);
}

QString CellGrid::cell(int row, int column) const {
    const QTableWidgetItem* it = item(row, column);
    return it ? it->text() : QString();
}

void CellGrid::fitToCells(int cellWidth) {
    int height = horizontalHeader()->sizeHint().height() + 2 * frameWidth();
    for (int r = 0; r < rowCount(); ++r) {
        height += rowHeight(r);
    }
    setFixedHeight(height);
    int width = 2 * frameWidth() +
                (verticalHeader()->isVisible() ? verticalHeader()->sizeHint().width() : 0);
    for (int c = 0; c < columnCount(); ++c) {
        width += std::max(horizontalHeader()->sectionSizeHint(c), cellWidth);
    }
    setMinimumWidth(width);
}

void CellGrid::commitEdit() {
    auto* delegate = qobject_cast<CellEditorDelegate*>(itemDelegate());
    if (QWidget* editor = delegate ? delegate->openEditor() : nullptr) {
        commitData(editor);
        closeEditor(editor, QAbstractItemDelegate::NoHint);
    }
}

void CellGrid::keyPressEvent(QKeyEvent* event) {
    // Enter on a cell opens its box with the cell's text, as a double click does.
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    if (enter && state() != QAbstractItemView::EditingState && currentIndex().isValid() &&
        (currentIndex().flags() & Qt::ItemIsEditable)) {
        edit(currentIndex());
        return;
    }
    QTableWidget::keyPressEvent(event);
}

} // namespace r57::ui
