// The grid of one bank (`ChannelGrid` for bank A, `ChannelGridB` for bank B) with its
// three in-cell editors (`txtMemChannel`, `cboQtDqt`, `cboPowerScan`, bank B's with a
// trailing "B"). It shows the bank sheet's texts and sends every committed edit to the
// sheet's field rules; the whole-channel commands are the main window's.
#pragma once

#include <QTableWidget>

namespace r57 {
class Session;
class BankSheet;
} // namespace r57

namespace r57::ui {

class ChannelGrid : public QTableWidget {
    Q_OBJECT
public:
    ChannelGrid(Session& session, BankSheet& sheet, int bank, QWidget* parent = nullptr);

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

signals:
    // Column 14 ("More") clicked or entered: open the alternate channel panel.
    void alternatePanelRequested();
    // Ctrl+C, Ctrl+V, Ctrl+D in the grid or an editor.
    void copyRequested();
    void pasteRequested();
    void clearRequested();
};

} // namespace r57::ui
