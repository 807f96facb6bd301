// The grid itself: its shape, the texts it shows, the cursor, and the keys and clicks
// that move it or open an editor. The editors live in channel_grid_editors.cpp.
#include "ui/main/channel_grid.h"

#include "core/channel.h"
#include "core/codecs.h"
#include "core/session.h"
#include "model/sheet/bank_sheet.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QScrollBar>

#include <algorithm>

namespace r57::ui {

namespace {

// A cell as a screen reader names it: "A3, RX Freq, 446.00625". Made when asked, so
// showing the bank costs nothing more.
class CellItem : public QTableWidgetItem {
public:
    QVariant data(int role) const override {
        const QTableWidget* table = tableWidget();
        if (role != Qt::AccessibleTextRole || table == nullptr) {
            return QTableWidgetItem::data(role);
        }
        const int r = row();
        const int c = column();
        QStringList parts{table->verticalHeaderItem(r)->text(),
                          table->horizontalHeaderItem(c)->text()};
        if (!text().trimmed().isEmpty()) {
            parts << text().trimmed();
        }
        return parts.join(", ");
    }
};

} // namespace

namespace {

constexpr int kQtColumns = kColumnCount - 1; // column 0 is the vertical header

bool IsNavigationKey(int key) {
    switch (key) {
    case Qt::Key_Left:
    case Qt::Key_Right:
    case Qt::Key_Up:
    case Qt::Key_Down:
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
    case Qt::Key_Home:
    case Qt::Key_End:
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
        return true;
    default:
        return false;
    }
}

} // namespace

ChannelGrid::ChannelGrid(Session& session, BankSheet& sheet, int bank, QWidget* parent)
    : QTableWidget(kChannelRows, kQtColumns, parent), session_(session), sheet_(sheet),
      bank_(bank) {
    setObjectName(bank_ == kBankB ? QStringLiteral("ChannelGridB") : QStringLiteral("ChannelGrid"));
    shapeGrid();
    createEditors();

    connect(this, &QTableWidget::currentCellChanged, this,
            [this](int row, int column, int, int) { onCellEntered(row, column); });
    connect(this, &QAbstractItemView::clicked, this,
            [this](const QModelIndex& index) { onCellClicked(index, false); });
    connect(this, &QAbstractItemView::doubleClicked, this,
            [this](const QModelIndex& index) { onCellClicked(index, true); });
    // The editors sit over one cell; once the cells move, the edit is taken over.
    connect(verticalScrollBar(), &QScrollBar::valueChanged, this, [this] { commitPendingEdit(); });
    connect(horizontalScrollBar(), &QScrollBar::valueChanged, this,
            [this] { commitPendingEdit(); });
    // A click on a channel label selects the whole channel, as the channel commands do.
    connect(verticalHeader(), &QHeaderView::sectionClicked, this, [this](int qtRow) {
        setCursor(qtRow + 1, cursorColumn());
        selectCursorRow();
    });

    // Channel labels select and drag blocks of rows (channel_grid_block.cpp).
    verticalHeader()->viewport()->installEventFilter(this);

    applyLanguage();
    setCursor(1, kColRx);
}

ChannelGrid::~ChannelGrid() {
    closing_ = true;
}

void ChannelGrid::shapeGrid() {
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setSelectionBehavior(QAbstractItemView::SelectItems);
    setWordWrap(false);
    setCornerButtonEnabled(false);
    setTabKeyNavigation(true);

    QHeaderView* top = horizontalHeader();
    top->setSectionResizeMode(QHeaderView::Fixed);
    top->setDefaultAlignment(Qt::AlignCenter);
    top->setHighlightSections(false);
    QHeaderView* left = verticalHeader();
    left->setSectionResizeMode(QHeaderView::Fixed);
    left->setDefaultAlignment(Qt::AlignCenter);
    left->setFixedWidth(TwipsToPixels(ColumnWidthTwips(kColLabel)));
    // Room for the text and for a drop-down editor laid over a cell.
    left->setDefaultSectionSize(fontMetrics().height() + 8);

    for (int c = kColRx; c < kColumnCount; ++c) {
        setColumnWidth(c - 1, TwipsToPixels(ColumnWidthTwips(c)));
        setHorizontalHeaderItem(c - 1, new QTableWidgetItem);
    }
    for (int row = 1; row <= kChannelRows; ++row) {
        setVerticalHeaderItem(
            row - 1, new QTableWidgetItem(QString::fromStdString(ChannelLabel(bank_, row))));
        for (int c = kColRx; c < kColumnCount; ++c) {
            auto* item = new CellItem;
            item->setTextAlignment(Qt::AlignCenter);
            item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
            setItem(row - 1, c - 1, item);
        }
    }

    // The selected cell stays visible while an editor or another window has the focus.
    QPalette pal = palette();
    for (QPalette::ColorRole role : {QPalette::Highlight, QPalette::HighlightedText}) {
        pal.setColor(QPalette::Inactive, role, pal.color(QPalette::Active, role));
    }
    setPalette(pal);

    // The corner above the labels carries the caption of the label column ("CH").
    corner_ = findChild<QAbstractButton*>(QString(), Qt::FindDirectChildrenOnly);
    if (corner_ != nullptr) {
        corner_->installEventFilter(this);
    }
}

void ChannelGrid::applyLanguage() {
    // An edit still open belongs to the texts of the old language; the caller commits
    // before switching, so whatever is left here is dropped rather than misread.
    if (open_ != OpenEditor::None) {
        cancelEdit();
    }
    const int lang = session_.language;
    for (int c = kColRx; c < kColumnCount; ++c) {
        horizontalHeaderItem(c - 1)->setText(QString::fromStdString(ColumnCaption(c, lang)));
    }
    if (corner_ != nullptr) {
        corner_->setText(QString::fromStdString(ColumnCaption(kColLabel, lang)));
        corner_->update();
    }
    toneList_ = BuildToneList(lang);
    tone_->clear();
    for (const std::string& t : toneList_) {
        tone_->addItem(QString::fromStdString(t));
    }
    showSheet();
}

void ChannelGrid::showSheet() {
    // The sheet may hold another image now (New, Open, a read); an edit still open
    // would write its old value into it.
    if (open_ != OpenEditor::None) {
        cancelEdit();
    }
    for (int row = 1; row <= kChannelRows; ++row) {
        showRow(row);
    }
}

void ChannelGrid::showRow(int row) {
    if (row < 1 || row > kChannelRows) {
        return;
    }
    for (int c = kColRx; c < kColumnCount; ++c) {
        QTableWidgetItem* it = item(row - 1, c - 1);
        const QString text = QString::fromStdString(sheet_.cell(row, c));
        if (it->text() != text) {
            it->setText(text);
        }
    }
}

QString ChannelGrid::cellText(int row, int column) const {
    if (row < 1 || row > kChannelRows || column < 0 || column >= kColumnCount) {
        return {};
    }
    if (column == kColLabel) {
        return verticalHeaderItem(row - 1)->text();
    }
    return item(row - 1, column - 1)->text();
}

QRect ChannelGrid::cellRect(int row, int column) const {
    if (row < 1 || row > kChannelRows || column < kColRx || column >= kColumnCount) {
        return {};
    }
    return visualRect(model()->index(row - 1, column - 1));
}

int ChannelGrid::cursorRow() const {
    const int r = currentRow();
    return r >= 0 ? r + 1 : session_.currentChannel[bank_];
}

int ChannelGrid::cursorColumn() const {
    const int c = currentColumn();
    return c >= 0 ? c + 1 : session_.currentColumn[bank_];
}

void ChannelGrid::setCursor(int row, int column) {
    commitPendingEdit();
    row = std::clamp(row, 1, kChannelRows);
    // The label column cannot hold the cursor; the channel's first field stands for it.
    column = std::clamp(column, static_cast<int>(kColRx), kColumnCount - 1);
    setCurrentCell(row - 1, column - 1);
    onCellEntered(row - 1, column - 1);
}

void ChannelGrid::selectCursorRow() {
    const int r = cursorRow() - 1;
    selectionModel()->select(
        QItemSelection(model()->index(r, 0), model()->index(r, kQtColumns - 1)),
        QItemSelectionModel::ClearAndSelect);
    setFocus(Qt::OtherFocusReason);
}

void ChannelGrid::setColumnVisible(int column, bool visible) {
    if (column < 0 || column >= kColumnCount) {
        return;
    }
    commitPendingEdit();
    if (column == kColLabel) {
        verticalHeader()->setVisible(visible);
        return;
    }
    setColumnHidden(column - 1, !visible);
    if (visible) {
        setColumnWidth(column - 1, TwipsToPixels(ColumnWidthTwips(column)));
    } else if (cursorColumn() == column) {
        setCursor(cursorRow(), kColRx);
    }
    fillWidth();
}

void ChannelGrid::fillWidth() {
    // The last visible column takes what is left of the width, so no blank band
    // follows it; every other column keeps its own width.
    int last = -1;
    int used = 0;
    for (int c = kColRx; c < kColumnCount; ++c) {
        if (!isColumnHidden(c - 1)) {
            last = c;
            used += TwipsToPixels(ColumnWidthTwips(c));
        }
    }
    for (int c = kColRx; c < kColumnCount; ++c) {
        if (isColumnHidden(c - 1)) {
            continue;
        }
        int width = TwipsToPixels(ColumnWidthTwips(c));
        if (c == last) {
            width = std::max(width, width + viewport()->width() - used);
        }
        if (columnWidth(c - 1) != width) {
            setColumnWidth(c - 1, width);
        }
    }
}

void ChannelGrid::resizeEvent(QResizeEvent* e) {
    QTableWidget::resizeEvent(e);
    fillWidth();
}

bool ChannelGrid::columnVisible(int column) const {
    if (column == kColLabel) {
        return !verticalHeader()->isHidden();
    }
    if (column < 0 || column >= kColumnCount) {
        return false;
    }
    return !isColumnHidden(column - 1) && columnWidth(column - 1) > 0;
}

RowState ChannelGrid::rowState(int row) const {
    return {!sheet_.cell(row, kColRx).empty(), !sheet_.cell(row, kColTx).empty()};
}

ColumnVisibility ChannelGrid::visibility() const {
    ColumnVisibility v;
    for (int c = 0; c < kColumnCount; ++c) {
        v[c] = columnVisible(c);
    }
    return v;
}

void ChannelGrid::onCellEntered(int qtRow, int qtColumn) {
    if (qtRow < 0 || qtColumn < 0) {
        return;
    }
    session_.currentChannel[bank_] = qtRow + 1;
    session_.currentColumn[bank_] = qtColumn + 1;
    if (!extending_) {
        anchorRow_ = qtRow + 1;
    }
}

void ChannelGrid::onCellClicked(const QModelIndex& index, bool doubleClick) {
    if (pressedButton_ != Qt::LeftButton || modifiedPress_ || !index.isValid()) {
        return; // a Shift or Ctrl click selects rows
    }
    // A single click edits when single-click editing is on, a double click otherwise.
    if (doubleClick == session_.singleClickEditing) {
        return;
    }
    openFromUser(index.row() + 1, index.column() + 1);
}

void ChannelGrid::openFromUser(int row, int column) {
    const OpenDecision d = DecideOpen(column, rowState(row), visibility());
    switch (d.action) {
    case OpenDecision::kNothing:
        return;
    case OpenDecision::kAlternatePanel:
        commitPendingEdit();
        setCursor(row, d.column);
        emit alternatePanelRequested();
        return;
    case OpenDecision::kEditor:
        keepingBlock([&] { setCursor(row, d.column); });
        openEditor(row, d.column);
        return;
    }
}

bool ChannelGrid::commandKey(QKeyEvent* e) {
    // Ctrl alone (the numeric pad flag aside) with C, V or D runs a channel command.
    if ((e->modifiers() & ~Qt::KeypadModifier) != Qt::ControlModifier) {
        return false;
    }
    switch (e->key()) {
    case Qt::Key_C:
        emit copyRequested();
        return true;
    case Qt::Key_V:
        emit pasteRequested();
        return true;
    case Qt::Key_D:
        emit clearRequested();
        return true;
    default:
        return false;
    }
}

bool ChannelGrid::event(QEvent* e) {
    // Ctrl+C/V/D reach keyPressEvent even where a window has shortcuts on them.
    if (e->type() == QEvent::ShortcutOverride) {
        auto* key = static_cast<QKeyEvent*>(e);
        const bool ctrlOnly = (key->modifiers() & ~Qt::KeypadModifier) == Qt::ControlModifier;
        if (ctrlOnly &&
            (key->key() == Qt::Key_C || key->key() == Qt::Key_V || key->key() == Qt::Key_D)) {
            e->accept();
            return true;
        }
    }
    return QTableWidget::event(e);
}

void ChannelGrid::keyPressEvent(QKeyEvent* e) {
    if (commandKey(e) || blockKey(e)) {
        e->accept();
        return;
    }
    const int key = e->key();
    if (key == Qt::Key_Return || key == Qt::Key_Enter) {
        openFromUser(cursorRow(), cursorColumn());
        e->accept();
        return;
    }
    if (IsNavigationKey(key)) {
        QTableWidget::keyPressEvent(e);
        return;
    }
    TypedKey typed;
    // Qt's codes for the printable keys are their characters, letters in capitals.
    typed.code = (key >= Qt::Key_Space && key <= Qt::Key_AsciiTilde) ? key : 0;
    typed.keypadDecimal =
        (e->modifiers() & Qt::KeypadModifier) && (key == Qt::Key_Period || key == Qt::Key_Comma);
    typed.withCtrlOrAlt =
        (e->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)) != 0;
    if (typed.code == 0 && !typed.keypadDecimal) {
        e->ignore(); // function keys and the like belong to the window
        return;
    }
    const int row = cursorRow();
    const KeyDecision d = DecideTypedKey(cursorColumn(), rowState(row), typed, visibility());
    if (d.startEditor) {
        const QString first(QChar::fromLatin1(d.first));
        keepingBlock([&] { setCursor(row, d.column); });
        openEditor(row, d.column, &first);
    }
    e->accept(); // keys a cell does not take are dropped silently
}

} // namespace r57::ui
