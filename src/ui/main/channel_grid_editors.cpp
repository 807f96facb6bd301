// The three in-cell editors of a bank grid: `txtMemChannel` for the frequencies and
// the name, `cboQtDqt` for the decode and encode tones, `cboPowerScan` for the choice
// columns. An editor opens over one cell, and its value goes through the sheet's
// field rules when it is committed (Enter, or the focus leaving it).
#include "ui/main/cell_editor_focus.h"
#include "ui/main/channel_grid.h"
#include "ui/main/column_text_validator.h"

#include "core/channel.h"
#include "core/codecs.h"
#include "core/session.h"
#include "model/sheet/bank_sheet.h"
#include "model/sheet/block_commands.h"
#include "ui/main/block_notes.h"
#include "ui/main/ui_text.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QFocusEvent>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QStyleOptionComboBox>
#include <QStyleOptionHeader>
#include <QStylePainter>
#include <QValidator>

#include <algorithm>

namespace r57::ui {

namespace {

BankRow RowOf(const BankSheet& sheet, int row) {
    BankRow cells;
    for (int c = kColLabel; c < kColumnCount; ++c) {
        cells[c] = sheet.cell(row, c);
    }
    return cells;
}

bool IsCommandChord(const QKeyEvent* e) {
    return (e->modifiers() & ~Qt::KeypadModifier) == Qt::ControlModifier &&
           (e->key() == Qt::Key_C || e->key() == Qt::Key_V || e->key() == Qt::Key_D);
}

void PaintCornerCaption(QAbstractButton* corner) {
    // The corner button is disabled (it would select the whole bank); its caption is
    // drawn like the other column captions all the same.
    QStyleOptionHeader opt;
    opt.initFrom(corner);
    opt.palette.setCurrentColorGroup(QPalette::Active);
    opt.state |= QStyle::State_Enabled | QStyle::State_Raised | QStyle::State_Horizontal;
    opt.rect = corner->rect();
    opt.text = corner->text();
    opt.textAlignment = Qt::AlignCenter;
    opt.position = QStyleOptionHeader::OnlyOneSection;
    QStylePainter painter(corner);
    painter.drawControl(QStyle::CE_Header, opt);
}

} // namespace

void ChannelGrid::createEditors() {
    const QString suffix = bank_ == kBankB ? QStringLiteral("B") : QString();

    text_ = new QLineEdit(viewport());
    text_->setObjectName(QStringLiteral("txtMemChannel") + suffix);
    text_->setFrame(false);
    text_->setAlignment(Qt::AlignCenter);
    text_->setValidator(new ColumnTextValidator(kColRx, text_));
    // No context menu: the right button would otherwise offer paste and undo of
    // texts that bypass the field's rules.
    text_->setContextMenuPolicy(Qt::NoContextMenu);
    text_->setAcceptDrops(false);
    text_->setAttribute(Qt::WA_InputMethodEnabled, false);

    tone_ = new QComboBox(viewport());
    tone_->setObjectName(QStringLiteral("cboQtDqt") + suffix);
    // Editable so a tone can be typed ("88.5", "D023N"); the text is matched against
    // the list when it is committed.
    tone_->setEditable(true);
    tone_->setInsertPolicy(QComboBox::NoInsert);
    tone_->setMaxVisibleItems(20);
    tone_->lineEdit()->setAlignment(Qt::AlignCenter);
    tone_->lineEdit()->setContextMenuPolicy(Qt::NoContextMenu);
    tone_->lineEdit()->setAcceptDrops(false);

    choice_ = new QComboBox(viewport());
    choice_->setObjectName(QStringLiteral("cboPowerScan") + suffix);

    for (QWidget* w : {static_cast<QWidget*>(text_), static_cast<QWidget*>(tone_),
                       static_cast<QWidget*>(tone_->lineEdit()), static_cast<QWidget*>(choice_)}) {
        w->installEventFilter(this);
    }
    text_->hide();
    tone_->hide();
    choice_->hide();

    // The user typed or chose a value, not merely opened the editor and confirmed it.
    auto typed = [this] {
        if (open_ != OpenEditor::None) {
            typedAnew_ = true;
        }
    };
    connect(text_, &QLineEdit::textEdited, this, typed);
    connect(tone_->lineEdit(), &QLineEdit::textEdited, this, typed);
    connect(tone_, &QComboBox::activated, this, typed);
    connect(choice_, &QComboBox::activated, this, typed);
}

QWidget* ChannelGrid::openWidget() const {
    switch (open_) {
    case OpenEditor::Text:
        return text_;
    case OpenEditor::Tone:
        return tone_;
    case OpenEditor::Choice:
        return choice_;
    case OpenEditor::None:
        break;
    }
    return nullptr;
}

void ChannelGrid::placeEditor(QWidget* editor, int row, int column) {
    QRect rect = cellRect(row, column);
    if (editor == tone_) {
        // Wide enough for the longest code, "D754I", beside the drop-down arrow; its
        // list at least as wide.
        QStyleOptionComboBox opt;
        opt.initFrom(tone_);
        opt.editable = true;
        const QSize text(fontMetrics().horizontalAdvance(QStringLiteral("D754I")) + 8,
                         rect.height());
        const int wide = style()->sizeFromContents(QStyle::CT_ComboBox, &opt, text, tone_).width();
        rect.setWidth(std::max(rect.width(), wide));
        tone_->view()->setMinimumWidth(rect.width());
    }
    editor->setGeometry(rect);
    editor->raise();
}

void ChannelGrid::openEditor(int row, int column, const QString* firstChar) {
    commitPendingEdit(); // one editor per grid at a time
    const EditorKind kind = EditorFor(column);
    if (kind == EditorKind::None || row < 1 || row > kChannelRows || !columnVisible(column)) {
        return;
    }
    scrollTo(model()->index(row - 1, column - 1));
    editRow_ = row;
    editColumn_ = column;
    previous_ = sheet_.cell(row, column);
    typedAnew_ = firstChar != nullptr; // a key typed on the grid starts the value anew
    const QString cell = QString::fromStdString(previous_);

    QWidget* editor = nullptr;
    switch (kind) {
    case EditorKind::Text:
        static_cast<ColumnTextValidator*>(const_cast<QValidator*>(text_->validator()))
            ->setColumn(column);
        text_->setMaxLength(EditorMaxLength(column));
        if (firstChar != nullptr) {
            text_->setText(*firstChar); // caret after the typed character
        } else {
            text_->setText(cell);
            text_->selectAll();
        }
        open_ = OpenEditor::Text;
        editor = text_;
        break;
    case EditorKind::Tone:
        tone_->setCurrentIndex(tone_->findText(cell));
        tone_->setEditText(cell);
        tone_->lineEdit()->selectAll();
        open_ = OpenEditor::Tone;
        editor = tone_;
        break;
    case EditorKind::Choice:
        choice_->clear();
        for (const std::string& c : ColumnChoices(column, session_.language)) {
            choice_->addItem(QString::fromStdString(c));
        }
        choice_->setCurrentIndex(choice_->findText(cell));
        open_ = OpenEditor::Choice;
        editor = choice_;
        break;
    case EditorKind::None:
        return;
    }
    placeEditor(editor, row, column);
    editor->show();
    editor->setFocus(Qt::OtherFocusReason);
}

bool ChannelGrid::commitPendingEdit() {
    QWidget* editor = openWidget();
    if (editor == nullptr) {
        return false;
    }
    const OpenEditor which = open_;
    open_ = OpenEditor::None; // before any focus moves, so leaving it commits only once
    std::string value;
    if (which == OpenEditor::Text) {
        value = text_->text().toStdString();
    } else if (which == OpenEditor::Tone) {
        value = tone_->currentText().toStdString();
    } else {
        value = choice_->currentText().toStdString();
    }
    QWidget* focus = QApplication::focusWidget();
    if (focus == editor || editor->isAncestorOf(focus)) {
        setFocus(Qt::OtherFocusReason);
    }
    editor->hide();
    if (which == OpenEditor::Choice && choice_->currentIndex() < 0) {
        return true; // nothing chosen: nothing to write
    }
    writeCommitted(value);
    return true;
}

void ChannelGrid::writeCommitted(const std::string& value) {
    const int row = editRow_;
    const int column = editColumn_;
    const BankRow before = RowOf(sheet_, row);
    // The one path every value of a channel takes; an unchanged text writes nothing, so
    // a field shown as a default (an option value the radio does not know, say) stays as
    // stored until the user really edits it.
    const std::optional<CellNote> note = CommitAsTyped(sheet_, row, column, value);
    const bool wrote = RowOf(sheet_, row) != before;
    showRow(row);
    if (note) {
        for (const QString& line : NoteLines({*note}, bank_, session_.language)) {
            emit entryReplaced(line);
        }
    }
    // With a block selected, the value goes to that column of every selected row, but
    // only a value the user changed or typed anew: Enter on an unchanged cell fills
    // nothing. A refused value fills nothing either, and an emptied receive frequency
    // never goes to other rows (it would delete them).
    const bool refused =
        note && note->kind != CellNote::kOutOfBand && note->kind != CellNote::kShortened;
    const bool emptiedRx = column == kColRx && TrimBlanks(value).empty();
    const bool filling =
        (wrote || typedAnew_) && !refused && !emptiedRx && selectedRows().size() > 1;
    if (filling) {
        fillBlock(row, column, value);
    }
    if (wrote || filling) {
        emit channelEdited(row);
    }
}

bool ChannelGrid::wheelOverEditor(QEvent* e) {
    auto* combo = open_ == OpenEditor::Tone     ? tone_
                  : open_ == OpenEditor::Choice ? choice_
                                                : nullptr;
    if (combo == nullptr || combo->view()->isVisible()) {
        return false; // an open list scrolls itself
    }
    // The grid scrolls, which takes the edit over; the value stays as it was chosen.
    commitPendingEdit();
    QCoreApplication::sendEvent(viewport(), e);
    return true;
}

void ChannelGrid::commitAndMove() {
    const OpenEditor which = open_;
    const int row = editRow_;
    const int column = editColumn_;
    commitPendingEdit();
    setFocus(Qt::OtherFocusReason);
    const ColumnVisibility visible = visibility();
    switch (which) {
    case OpenEditor::Text:
        keepingBlock([&] { setCursor(row, TextEnterColumn(column, visible)); });
        break;
    case OpenEditor::Tone:
        keepingBlock(
            [&] { setCursor(row, ToneEnterColumn(column, rowState(row).hasTx, visible)); });
        break;
    case OpenEditor::Choice: {
        const GridCell next = ChoiceEnterCell(row, column, visible);
        keepingBlock([&] { setCursor(next.row, next.column); });
        break;
    }
    case OpenEditor::None:
        break;
    }
}

void ChannelGrid::cancelEdit() {
    QWidget* editor = openWidget();
    if (editor == nullptr) {
        return;
    }
    open_ = OpenEditor::None;
    QWidget* focus = QApplication::focusWidget();
    if (focus == editor || editor->isAncestorOf(focus)) {
        setFocus(Qt::OtherFocusReason);
    }
    editor->hide();
    showRow(editRow_); // the cell shows its previous text; nothing was written
}

bool ChannelGrid::editorKeyPress(QKeyEvent* e) {
    if (commandKey(e)) {
        return true;
    }
    const int key = e->key();
    if (key == Qt::Key_Return || key == Qt::Key_Enter) {
        commitAndMove();
        return true;
    }
    if (key == Qt::Key_Escape) {
        cancelEdit();
        return true;
    }
    if (open_ != OpenEditor::Text) {
        return false; // the lists handle their own keys
    }
    if (key == Qt::Key_Backspace || key == Qt::Key_Insert) {
        // Backspace edits; Insert is dropped, as Shift+Insert would paste.
        return key == Qt::Key_Insert;
    }
    const Qt::KeyboardModifiers chord =
        e->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier);
    const QString text = e->text();
    if (chord != 0) {
        // Ctrl+A, Ctrl+X, Ctrl+Z and friends are control characters here; keys
        // without a character (Ctrl+Left and the like) still move the caret.
        return !text.isEmpty() || (key >= Qt::Key_A && key <= Qt::Key_Z);
    }
    if (text.isEmpty()) {
        return false; // caret keys, Delete
    }
    return std::any_of(text.begin(), text.end(),
                       [this](QChar ch) { return !EditorAcceptsChar(editColumn_, ch.unicode()); });
}

bool ChannelGrid::eventFilter(QObject* watched, QEvent* e) {
    if (closing_) {
        return false;
    }
    if (watched == corner_ && e->type() == QEvent::Paint) {
        PaintCornerCaption(corner_);
        return true;
    }
    if (watched == verticalHeader()->viewport()) {
        switch (e->type()) {
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonDblClick:
        case QEvent::MouseMove:
        case QEvent::MouseButtonRelease:
            return labelMouse(e);
        default:
            return QTableWidget::eventFilter(watched, e);
        }
    }
    const bool editor = watched == text_ || watched == tone_ || watched == choice_ ||
                        (tone_ != nullptr && watched == tone_->lineEdit());
    if (!editor || open_ == OpenEditor::None) {
        return QTableWidget::eventFilter(watched, e);
    }
    switch (e->type()) {
    case QEvent::ShortcutOverride:
        if (IsCommandChord(static_cast<QKeyEvent*>(e))) {
            e->accept();
            return true;
        }
        break;
    case QEvent::KeyPress:
        return editorKeyPress(static_cast<QKeyEvent*>(e));
    case QEvent::Wheel:
        return wheelOverEditor(e);
    case QEvent::FocusOut: {
        // A drop-down list opening takes the focus only for a moment.
        QComboBox* list = open_ == OpenEditor::Tone     ? tone_
                          : open_ == OpenEditor::Choice ? choice_
                                                        : nullptr;
        if (!LeavesCellEditor(static_cast<QFocusEvent*>(e), list)) {
            break;
        }
        QWidget* open = openWidget();
        QWidget* focus = QApplication::focusWidget();
        if (focus != open && !open->isAncestorOf(focus)) {
            commitPendingEdit();
        }
        break;
    }
    default:
        break;
    }
    return QTableWidget::eventFilter(watched, e);
}

} // namespace r57::ui
