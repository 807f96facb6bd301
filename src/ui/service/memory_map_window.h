// `frmMemoryMap`: the whole image as a table of hexadecimal bytes (`msgMemory`), any
// byte editable through the box `txtMemory`. The window works on a copy; OK stores
// every byte into the image (through the main window), Cancel nothing.
#pragma once

#include "core/image.h"

#include <QDialog>
#include <QStyledItemDelegate>
#include <QTableView>

#include <QPointer>

namespace r57::ui {

class MainWindow;
class MemoryMapModel;

// The edit box `txtMemory` over one cell: hexadecimal digits only, two at most.
// Enter takes the text and moves on, Escape gives it up, leaving the box takes it.
class HexCellDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                          const QModelIndex& index) const override;
    void destroyEditor(QWidget* editor, const QModelIndex& index) const override;
    void setEditorData(QWidget* editor, const QModelIndex& index) const override;
    void setModelData(QWidget* editor, QAbstractItemModel* model,
                      const QModelIndex& index) const override;
    QWidget* openEditor() const { return open_; }

signals:
    // Enter took the box's text: the cursor moves on.
    void entered();

protected:
    bool eventFilter(QObject* editor, QEvent* event) override;

private:
    mutable QPointer<QWidget> open_;
};

// `msgMemory`: Enter, a left click or a typed hexadecimal digit opens the box on the
// current cell (a digit replaces the cell's text); scrolling gives up an open box.
class MemoryMapView : public QTableView {
    Q_OBJECT
public:
    explicit MemoryMapView(QWidget* parent);

    // Takes over an open box's text, as leaving it does.
    void commitEdit();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void startEdit(const QModelIndex& index, QKeyEvent* typed);
    void abandonEdit();
    void moveAfterEnter();
    void fitColumns();

    HexCellDelegate* delegate_;
};

class MemoryMapWindow : public QDialog {
    Q_OBJECT
public:
    MemoryMapWindow(MainWindow& main, QWidget* parent);

    MemoryMapModel* model() const { return model_; }
    MemoryMapView* grid() const { return view_; }

    // OK: every byte of the copy into the image, then the window closes.
    void accept() override;
    // Escape and the close box: with bytes typed, "Data has been changed,Save?" first.
    void reject() override;
    // Cancel (and the opening gesture again): closes storing nothing, without asking.
    void cancel();

private:
    MainWindow& main_;
    bool cancelling_ = false;
    MemoryMapModel* model_;
    MemoryMapView* view_;
    CodeplugImage opened_; // the copy as the window opened
};

} // namespace r57::ui
