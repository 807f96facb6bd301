// The small grids of the service pages: a table of text cells with a fixed header row
// (and optionally a header column), edited through one named text box laid over the
// current cell. The box takes only the characters `accepted` matches, at most
// `maxLength`; a digit typed on a cell starts the box with it, Enter or a double click
// starts it with the cell's text. When the box is left (Enter, or the focus going
// elsewhere) its text goes to `commit`; Escape gives it up.
#pragma once

#include <QPointer>
#include <QRegularExpression>
#include <QStyledItemDelegate>
#include <QTableWidget>

#include <functional>

namespace r57::ui {

class CellEditorDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    using Commit = std::function<void(int row, int column, const QString& text)>;

    CellEditorDelegate(QString editorName, const QString& accepted, int maxLength, Commit commit,
                       QObject* parent);

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                          const QModelIndex& index) const override;
    void destroyEditor(QWidget* editor, const QModelIndex& index) const override;
    void setEditorData(QWidget* editor, const QModelIndex& index) const override;
    void setModelData(QWidget* editor, QAbstractItemModel* model,
                      const QModelIndex& index) const override;

    // The box while it is open, otherwise null.
    QWidget* openEditor() const { return open_; }

protected:
    // Enter takes the text at once; Escape and leaving the box as any item editor.
    bool eventFilter(QObject* editor, QEvent* event) override;

private:
    mutable QPointer<QWidget> open_;
    QString editorName_;
    QRegularExpression accepted_;
    int maxLength_;
    Commit commit_;
};

class CellGrid : public QTableWidget {
    Q_OBJECT
public:
    // A grid of `rows` x `columns` cells under the header texts `columnLabels`.
    CellGrid(const QString& name, int rows, const QStringList& columnLabels, QWidget* parent);

    // Edits go through a box named `editorName` (for example "TxtTun").
    void setEditor(const QString& editorName, const QString& accepted, int maxLength,
                   CellEditorDelegate::Commit commit);
    void setRowLabels(const QStringList& labels); // the header column; hidden when unset
    // Sets a cell's text; cells never made editable stay read-only.
    void setCell(int row, int column, const QString& text, bool editable = true);
    QString cell(int row, int column) const;
    // Width and height that show every cell without scrolling, each column at least
    // `cellWidth` wide.
    void fitToCells(int cellWidth = 0);
    // An open box is closed with its text taken, as if it had been left.
    void commitEdit();

protected:
    void keyPressEvent(QKeyEvent* event) override;
};

} // namespace r57::ui
