// The small grids of the signalling pages (`GridDTMF`, `GridMSK`, `Grid2Tone`,
// `Grid5Tone`): column 0 numbers the rows, the other columns hold codes or tones and
// are edited through an in-cell text box (and, for one column, a list). The page's
// rules decide which keys open the editor, what it takes, which cell it really opens
// on, and what a changed text becomes.
#pragma once

#include <QTableWidget>

#include <functional>

class QComboBox;
class QLineEdit;

namespace r57::ui {

class CodeGrid : public QTableWidget {
    Q_OBJECT
public:
    struct Rules {
        // The character a key typed on the grid starts the editor with, or 0.
        std::function<char(char32_t)> openKey;
        // The characters the editor takes in a column.
        std::function<char(int column, char32_t)> key;
        std::function<int(int column)> maxLength;
        // The cell a click or key really opens (the same column when unset).
        std::function<int(int row, int column)> editorColumn;
        // A changed text is done; the page takes it and shows the row again. Unset:
        // the cell shows the text as it is.
        std::function<void(int row, int column, const QString& text)> commit;
    };

    // `rows` rows below the header; `labels` fills column 0.
    CodeGrid(const QString& name, const QStringList& headers, const QStringList& labels,
             QWidget* parent = nullptr);

    void setRules(Rules rules) { rules_ = std::move(rules); }
    // The in-cell text box (named by the page) and the list opened on `column` instead.
    QLineEdit* textEditor() const { return text_; }
    void setChoiceEditor(int column, QComboBox* combo);

    int rows() const { return rowCount(); }
    QString text(int row, int column) const;
    void setText(int row, int column, const QString& text);

    void openEditor(int row, int column, char first = 0);
    // Closes an open editor with its text taken (Enter, leaving it); true if one was open.
    bool commitPendingEdit();
    // Closes an open editor and keeps the cell's text (Escape).
    void cancelEdit();
    bool editorOpen() const { return open_ != nullptr; }

signals:
    // Enter on the last row: the page sends the focus on (to Save).
    void leftLastRow();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void fitHeight();
    QString editorText() const;
    void closeEditor(bool take);
    // Enter in an editor: the next cell of the row, or the next row, or leftLastRow.
    void moveOn(int row, int column);
    void moveToRow(int row, int column);

    Rules rules_;
    QLineEdit* text_ = nullptr;
    QComboBox* choice_ = nullptr;
    int choiceColumn_ = -1;
    QWidget* open_ = nullptr;
    int editRow_ = 0;
    int editColumn_ = 1;
    QString previous_;
    bool closing_ = false;
};

} // namespace r57::ui
