// The grid of one bank (`ChannelGrid` for bank A, `ChannelGridB` for bank B) with its
// three in-cell editors (`txtMemChannel`, `cboQtDqt`, `cboPowerScan`, bank B's with a
// trailing "B"). It shows the bank sheet's texts and sends every committed edit to the
// sheet's field rules; the whole-channel commands are the main window's.
#pragma once

#include "model/sheet/grid_rules.h"

#include <QTableWidget>

#include <functional>
#include <string>
#include <vector>

class QAbstractButton;
class QComboBox;
class QLineEdit;

namespace r57 {
class Session;
class BankSheet;
} // namespace r57

namespace r57::ui {

class ChannelGrid : public QTableWidget {
    Q_OBJECT
public:
    ChannelGrid(Session& session, BankSheet& sheet, int bank, QWidget* parent = nullptr);
    ~ChannelGrid() override;

    // Header captions, the editors' choice lists and cell texts in the session's language.
    void applyLanguage();
    // Shows every cell of the sheet again (after a refresh, New, Open or a command).
    void showSheet();
    // Shows one row of the sheet again.
    void showRow(int row);

    // Closes an open editor with its value taken over; true if one was open.
    bool commitPendingEdit();

    // Cursor of the bank, row 1..128 and column 0..14; keeps the session's cursor in step.
    int cursorRow() const;
    int cursorColumn() const;
    void setCursor(int row, int column);
    // Selects the whole cursor row and takes the focus (after a channel command).
    void selectCursorRow();

    // The block: rows 1..128 with a selected cell, in order; the cursor row alone when
    // nothing is selected. Shift+click (cell or label), Shift+Up/Down/Page Up/Page Down
    // and Ctrl+A select a run of rows, Ctrl+click adds or removes one.
    std::vector<int> selectedRows() const;
    // Selects these whole rows; the cursor stays where it is.
    void selectRows(const std::vector<int>& rows);

    // Hides (width 0) or shows a column; hidden columns are skipped by the editors and
    // by Enter.
    void setColumnVisible(int column, bool visible);
    bool columnVisible(int column) const;

    // The text a cell shows (row 1..128, column 0..14) and where it lies in the viewport.
    QString cellText(int row, int column) const;
    QRect cellRect(int row, int column) const;
    // True while one of the three in-cell editors is open.
    bool editorOpen() const { return open_ != OpenEditor::None; }

signals:
    // Column 14 ("More") clicked or entered: open the alternate channel panel.
    void alternatePanelRequested();
    // Ctrl+C, Ctrl+V, Ctrl+D in the grid or an editor.
    void copyRequested();
    void pasteRequested();
    void clearRequested();
    // A committed edit changed the record (and maybe the name) of this row, and with a
    // block selected, that column of every selected row.
    void channelEdited(int row);
    // Ctrl+Shift+Up (-1) and Ctrl+Shift+Down (+1): move the block one row.
    void blockMoveRequested(int step);
    // Channel labels dragged and let go over this grid: the rows go before `before`
    // (1..129).
    void rowsDropped(const std::vector<int>& rows, int before);
    // ... let go elsewhere (the other bank's tab, say), at a point on the screen.
    void rowsDraggedAway(const std::vector<int>& rows, const QPoint& globalPos);
    // The field rules put something else in place of what was typed (a frequency
    // outside the band limits), or refused it (a tone not in the list), here or in a
    // row the value was filled into: a line for the status log, in the session's language.
    void entryReplaced(const QString& line);

protected:
    bool event(QEvent* e) override;
    bool eventFilter(QObject* watched, QEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;

private:
    enum class OpenEditor { None, Text, Tone, Choice };

    void shapeGrid();
    void fillWidth();
    void createEditors();
    void onCellEntered(int qtRow, int qtColumn);
    void onCellClicked(const QModelIndex& index, bool doubleClick);
    // A click, double click or Enter on a cell: the editor, the alternate panel or nothing.
    void openFromUser(int row, int column);
    void openEditor(int row, int column, const QString* firstChar = nullptr);
    void placeEditor(QWidget* editor, int row, int column);
    QWidget* openWidget() const;
    // Commits and moves the cursor as Enter does in the open editor.
    void commitAndMove();
    // Esc: closes the editor and writes nothing.
    void cancelEdit();
    bool editorKeyPress(QKeyEvent* e);
    bool commandKey(QKeyEvent* e);
    // The editor's value through the sheet's one edit path, and on to the block.
    void writeCommitted(const std::string& value);
    // A closed drop-down editor: the wheel scrolls the grid instead of changing it.
    bool wheelOverEditor(QEvent* e);
    RowState rowState(int row) const;
    // Block selection (channel_grid_block.cpp).
    void selectRowRange(int from, int to);
    // Runs `move` (which puts the cursor elsewhere) and keeps the block selected when the
    // cursor stays inside it, so an editor opened there fills the block.
    void keepingBlock(const std::function<void()>& move);
    bool blockKey(QKeyEvent* e);
    bool labelMouse(QEvent* e);
    void fillBlock(int row, int column, const std::string& value);
    ColumnVisibility visibility() const;

    Session& session_;
    BankSheet& sheet_;
    int bank_;
    QLineEdit* text_ = nullptr;   // `txtMemChannel`
    QComboBox* tone_ = nullptr;   // `cboQtDqt`
    QComboBox* choice_ = nullptr; // `cboPowerScan`
    OpenEditor open_ = OpenEditor::None;
    int editRow_ = 1;
    int editColumn_ = 1;
    std::string previous_; // the cell's text when the editor opened
    std::vector<std::string> toneList_;
    QAbstractButton* corner_ = nullptr; // shows the caption of column 0
    Qt::MouseButton pressedButton_ = Qt::NoButton;
    bool closing_ = false;
    int anchorRow_ = 1;      // where a Shift selection starts
    bool extending_ = false; // the cursor moves by a Shift selection
    bool modifiedPress_ = false;
    std::vector<int> pressRows_; // the rows a Shift or Ctrl click selected
    bool typedAnew_ = false;     // the user typed or chose in the open editor
    std::vector<int> dragRows_;  // channel labels pressed, maybe to be dragged
    QPoint dragFrom_;
    bool dragging_ = false;
};

} // namespace r57::ui
