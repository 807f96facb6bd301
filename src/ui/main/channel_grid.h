// The grid of one bank (`ChannelGrid` for bank A, `ChannelGridB` for bank B) with its
// three in-cell editors (`txtMemChannel`, `cboQtDqt`, `cboPowerScan`, bank B's with a
// trailing "B"). It shows the bank sheet's texts and sends every committed edit to the
// sheet's field rules; the whole-channel commands are the main window's.
#pragma once

#include "model/sheet/grid_rules.h"

#include <QTableWidget>

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
    // A committed edit changed the record (and maybe the name) of this row.
    void channelEdited(int row);
    // The field rules put something else in place of what was typed (a frequency
    // outside the band limits), or refused it (a tone not in the list): a line for the
    // status log, in the session's language.
    void entryReplaced(const QString& line);

protected:
    bool event(QEvent* e) override;
    bool eventFilter(QObject* watched, QEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;
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
    void writeCommitted(OpenEditor which, const std::string& text);
    // Tells entryReplaced() when a committed entry did not stand as typed.
    void reportReplacement(OpenEditor which, const std::string& typed, bool toneMatched);
    // A closed drop-down editor: the wheel scrolls the grid instead of changing it.
    bool wheelOverEditor(QEvent* e);
    RowState rowState(int row) const;
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
};

} // namespace r57::ui
