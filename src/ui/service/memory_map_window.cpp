#include "ui/service/memory_map_window.h"

#include "model/service/memory_map_rules.h"
#include "ui/main/close_question.h"
#include "ui/main/main_window.h"
#include "ui/main/ui_text.h"
#include "ui/service/memory_map_model.h"

#include "core/session.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QVBoxLayout>
#include <QValidator>

#include <algorithm>

namespace r57::ui {

namespace {

namespace hexmap = service::hexmap;

constexpr OwnText kTitle{"Memory Map", "存储器映像"};
constexpr int kOkId = 1058;      // "&OK"
constexpr int kCancelId = 1059;  // "&Cancel"
constexpr int kColumnUnits = 18; // the row labels take two units, each byte one
constexpr int kRowHeight = 20;

// Whatever reaches the box (typing, a paste) must be hexadecimal digits; a-f are
// taken as A-F.
class HexValidator : public QValidator {
public:
    using QValidator::QValidator;

    State validate(QString& input, int&) const override {
        for (QChar& ch : input) {
            const char digit =
                ch.unicode() < 128 ? hexmap::AcceptedDigit(static_cast<char>(ch.unicode())) : 0;
            if (!digit) {
                return Invalid;
            }
            ch = QChar(digit);
        }
        return Acceptable;
    }
};

bool IsEnter(const QKeyEvent* key) {
    return key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
}

} // namespace

QWidget* HexCellDelegate::createEditor(QWidget* parent, const QStyleOptionViewItem&,
                                       const QModelIndex&) const {
    auto* box = new QLineEdit(parent);
    box->setObjectName("txtMemory");
    box->setMaxLength(hexmap::kMaxDigits);
    box->setAlignment(Qt::AlignCenter);
    box->setFrame(false);
    box->setValidator(new HexValidator(box));
    open_ = box;
    return box;
}

void HexCellDelegate::setEditorData(QWidget* editor, const QModelIndex& index) const {
    static_cast<QLineEdit*>(editor)->setText(index.data(Qt::EditRole).toString());
}

void HexCellDelegate::setModelData(QWidget* editor, QAbstractItemModel* model,
                                   const QModelIndex& index) const {
    model->setData(index, static_cast<QLineEdit*>(editor)->text(), Qt::EditRole);
}

void HexCellDelegate::destroyEditor(QWidget* editor, const QModelIndex& index) const {
    if (open_ == editor) {
        open_ = nullptr;
    }
    QStyledItemDelegate::destroyEditor(editor, index);
}

bool HexCellDelegate::eventFilter(QObject* object, QEvent* event) {
    auto* editor = qobject_cast<QWidget*>(object);
    if (editor && event->type() == QEvent::KeyPress && IsEnter(static_cast<QKeyEvent*>(event))) {
        emit commitData(editor);
        emit closeEditor(editor, QAbstractItemDelegate::NoHint);
        emit entered();
        return true;
    }
    // Escape (given up) and leaving the box (taken) as every item editor does.
    return QStyledItemDelegate::eventFilter(object, event);
}

MemoryMapView::MemoryMapView(QWidget* parent)
    : QTableView(parent), delegate_(new HexCellDelegate(this)) {
    setObjectName("msgMemory");
    setItemDelegate(delegate_);
    setSelectionMode(QAbstractItemView::SingleSelection);
    // Only a hexadecimal digit opens the box by typing (see keyPressEvent).
    setEditTriggers(QAbstractItemView::AnyKeyPressed);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setWordWrap(false);
    horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    horizontalHeader()->setHighlightSections(false);
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setDefaultSectionSize(kRowHeight);
    verticalHeader()->setDefaultAlignment(Qt::AlignCenter);
    verticalHeader()->setHighlightSections(false);
    connect(delegate_, &HexCellDelegate::entered, this, &MemoryMapView::moveAfterEnter);
    connect(this, &QAbstractItemView::clicked, this,
            [this](const QModelIndex& index) { startEdit(index, nullptr); });
    // The user scrolling (wheel, arrows, page, drag); not the view following its cursor.
    for (QScrollBar* bar : {verticalScrollBar(), horizontalScrollBar()}) {
        connect(bar, &QScrollBar::actionTriggered, this, &MemoryMapView::abandonEdit);
    }
}

void MemoryMapView::keyPressEvent(QKeyEvent* event) {
    if (state() == QAbstractItemView::EditingState) {
        QTableView::keyPressEvent(event);
        return;
    }
    if (IsEnter(event)) {
        startEdit(currentIndex(), nullptr);
        return;
    }
    const QString text = event->text();
    const bool modified = event->modifiers() & (Qt::ControlModifier | Qt::AltModifier);
    if (!modified && text.size() == 1 && text[0].isPrint()) {
        // A hexadecimal digit (also from the keypad) opens the box with it; any other
        // character does nothing.
        if (text[0].unicode() < 128 &&
            hexmap::AcceptedDigit(static_cast<char>(text[0].unicode()))) {
            startEdit(currentIndex(), event);
        }
        return;
    }
    QTableView::keyPressEvent(event);
}

void MemoryMapView::startEdit(const QModelIndex& index, QKeyEvent* typed) {
    if (!index.isValid()) {
        return;
    }
    scrollTo(index); // a box over a cell out of view would stay hidden
    if (typed) {
        edit(index, QAbstractItemView::AnyKeyPressed, typed);
    } else {
        edit(index);
    }
}

void MemoryMapView::abandonEdit() {
    if (QWidget* editor = delegate_->openEditor()) {
        closeEditor(editor, QAbstractItemDelegate::RevertModelCache);
    }
}

void MemoryMapView::commitEdit() {
    if (QWidget* editor = delegate_->openEditor()) {
        commitData(editor);
        closeEditor(editor, QAbstractItemDelegate::NoHint);
    }
}

void MemoryMapView::moveAfterEnter() {
    const hexmap::Cell next = hexmap::AfterEnter({currentIndex().row(), currentIndex().column()});
    setCurrentIndex(model()->index(next.row, next.column));
    setFocus();
}

void MemoryMapView::resizeEvent(QResizeEvent* event) {
    QTableView::resizeEvent(event);
    fitColumns();
}

void MemoryMapView::fitColumns() {
    const int scroll = verticalScrollBar()->sizeHint().width(); // always shown
    const int unit = std::max(24, (width() - 2 * frameWidth() - scroll) / kColumnUnits);
    verticalHeader()->setFixedWidth(2 * unit);
    horizontalHeader()->setDefaultSectionSize(unit);
}

MemoryMapWindow::MemoryMapWindow(MainWindow& main, QWidget* parent) : QDialog(parent), main_(main) {
    setObjectName("frmMemoryMap");
    const int language = main.session().language;
    setWindowTitle(Tr(kTitle, language));
    setModal(true);

    model_ = new MemoryMapModel(main.session().image, this);
    view_ = new MemoryMapView(this);
    view_->setModel(model_);
    view_->setCurrentIndex(model_->index(0, 0));
    opened_ = model_->image();

    auto* ok = new QPushButton(Tr(kOkId, language), this);
    ok->setObjectName("CmdOk");
    auto* cancel = new QPushButton(Tr(kCancelId, language), this);
    cancel->setObjectName("CmdCancel");
    // Enter belongs to the grid's edit box, never to a default button.
    ok->setAutoDefault(false);
    cancel->setAutoDefault(false);
    connect(ok, &QPushButton::clicked, this, &MemoryMapWindow::accept);
    connect(cancel, &QPushButton::clicked, this, &MemoryMapWindow::cancel);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(view_, 1);
    layout->addLayout(buttons);
    resize(660, 560);
    view_->setFocus();
}

void MemoryMapWindow::cancel() {
    cancelling_ = true;
    reject();
    cancelling_ = false;
}

void MemoryMapWindow::reject() {
    if (!cancelling_) {
        view_->commitEdit(); // an open box is taken, as leaving it does
        const bool edited = model_->image() != opened_;
        if (!ConfirmClose(main_.prompts(), this, main_.session().language, edited, [this] {
                accept();
                return false; // accept() has closed the window
            })) {
            return;
        }
    }
    QDialog::reject();
}

void MemoryMapWindow::accept() {
    view_->commitEdit();
    Session& session = main_.session();
    main_.applyWindowChange([&] { session.image = model_->image(); });
    QDialog::accept();
}

} // namespace r57::ui
