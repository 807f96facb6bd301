#include "ui/accessory/radio_dialog.h"

#include "model/sheet/grid_rules.h"
#include "ui/main/prompts.h"
#include "ui/main/ui_text.h"

#include "core/session.h"

#include <QApplication>
#include <QComboBox>
#include <QFocusEvent>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QTableWidget>
#include <QVBoxLayout>

namespace r57::ui {

namespace {

constexpr int kRows = 10;
constexpr int kColumns = 6;
constexpr int kOutOfRange = 1106;

bool IsDigitKey(const QKeyEvent* key) {
    return key->text().size() == 1 && key->text()[0].isDigit() &&
           (key->modifiers() & (Qt::ControlModifier | Qt::AltModifier)) == 0;
}

} // namespace

RadioDialog::RadioDialog(const Session& session, Prompts& prompts, QWidget* parent)
    : QDialog(parent), session_(session), prompts_(prompts) {
    setObjectName("frmRadio");
    const int language = session.language;
    setWindowTitle(Tr(1445, language));
    CodeplugImage image = session.image;
    page_.load(image);

    buildGrid();

    auto* frame = new QGroupBox(this);
    frame->setObjectName("Frame1");
    auto* frameLayout = new QHBoxLayout(frame);
    auto* label = new QLabel(Tr(1054, language), frame);
    label->setObjectName("Label1");
    start_ = new QComboBox(frame);
    start_->setObjectName("cboRadioCh");
    for (int i = 0; i < FmChannelsPage::kChannels; ++i) {
        start_->addItem(QString::fromStdString(FmChannelsPage::ChannelText(i, language)));
    }
    start_->setCurrentIndex(page_.startChannel());
    frameLayout->addWidget(label);
    frameLayout->addWidget(start_);
    frameLayout->addStretch(1);

    ok_ = new QPushButton(Tr(1058, language), this);
    ok_->setObjectName("Command1");
    cancel_ = new QPushButton(Tr(1059, language), this);
    cancel_->setObjectName("Command2");
    // Enter belongs to the channel editor, never to a default button.
    for (QPushButton* b : {ok_, cancel_}) {
        b->setAutoDefault(false);
        b->setDefault(false);
    }
    connect(ok_, &QPushButton::clicked, this, &RadioDialog::accept);
    connect(cancel_, &QPushButton::clicked, this, &RadioDialog::reject);

    auto* bottom = new QHBoxLayout;
    bottom->addWidget(frame, 1);
    bottom->addWidget(ok_);
    bottom->addWidget(cancel_);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(grid_);
    layout->addLayout(bottom);
}

int RadioDialog::RowOf(int channel) {
    return (channel - 1) % kRows;
}

int RadioDialog::ColumnOf(int channel) {
    return 2 * ((channel - 1) / kRows) + 1;
}

int RadioDialog::ChannelAt(int row, int column) {
    if (row < 0 || row >= kRows || column < 0 || column >= kColumns || column % 2 == 0) {
        return 0;
    }
    const int channel = (column / 2) * kRows + row + 1;
    return channel <= FmChannelsPage::kChannels ? channel : 0;
}

void RadioDialog::buildGrid() {
    const int language = session_.language;
    grid_ = new QTableWidget(kRows, kColumns, this);
    grid_->setObjectName("MSRadioGrid");
    grid_->verticalHeader()->hide();
    grid_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grid_->setSelectionMode(QAbstractItemView::SingleSelection);
    grid_->horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    grid_->horizontalHeader()->setHighlightSections(false);
    grid_->verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 10);
    const QString frequency = Tr(1057, language) + "(MHz)";
    const int valueWidth =
        std::max(TwipsToPixels(1400), fontMetrics().horizontalAdvance(frequency) + 24);
    for (int c = 0; c < kColumns; ++c) {
        const bool labels = c % 2 == 0;
        grid_->setHorizontalHeaderItem(
            c, new QTableWidgetItem(labels ? Tr(1345, language) : frequency));
        grid_->setColumnWidth(c, labels ? TwipsToPixels(1000) : valueWidth);
        for (int r = 0; r < kRows; ++r) {
            auto* item = new QTableWidgetItem;
            item->setTextAlignment(Qt::AlignCenter);
            const int channel = labels ? ChannelAt(r, c + 1) : ChannelAt(r, c);
            if (labels) {
                // Labels in the button face, as fixed cells are drawn.
                item->setBackground(palette().button());
                item->setFlags(Qt::ItemIsEnabled);
                if (channel != 0) {
                    item->setText(QString::number(channel));
                }
            } else if (channel != 0) {
                item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
            } else {
                // Rows 6-10 of the last pair hold no channel.
                item->setFlags(Qt::NoItemFlags);
                item->setBackground(palette().window());
            }
            grid_->setItem(r, c, item);
        }
    }
    for (int k = 1; k <= FmChannelsPage::kChannels; ++k) {
        showChannel(k);
    }
    int width = 2;
    for (int c = 0; c < kColumns; ++c) {
        width += grid_->columnWidth(c);
    }
    int height = grid_->horizontalHeader()->sizeHint().height() + 2;
    for (int r = 0; r < kRows; ++r) {
        height += grid_->rowHeight(r);
    }
    grid_->setFixedSize(width + 2 * grid_->frameWidth(), height + 2 * grid_->frameWidth());
    grid_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    grid_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    grid_->setCurrentCell(RowOf(1), ColumnOf(1));
    grid_->installEventFilter(this);

    editor_ = new QLineEdit(grid_->viewport());
    editor_->setObjectName("txtRadio");
    editor_->setAlignment(Qt::AlignCenter);
    editor_->setFrame(false);
    editor_->setContextMenuPolicy(Qt::NoContextMenu);
    editor_->setValidator(new QRegularExpressionValidator(QRegularExpression("[0-9.,]*"), editor_));
    editor_->setMaxLength(12);
    editor_->installEventFilter(this);
    editor_->hide();

    connect(grid_, &QTableWidget::cellClicked, this, [this](int row, int column) {
        if (const int channel = ChannelAt(row, column)) {
            openEditor(channel);
        }
    });
}

void RadioDialog::showChannel(int channel) {
    grid_->item(RowOf(channel), ColumnOf(channel))
        ->setText(QString::fromStdString(page_.frequency(channel)));
}

void RadioDialog::openEditor(int channel, const QString* first) {
    commitEditor();
    editing_ = channel;
    QTableWidgetItem* cell = grid_->item(RowOf(channel), ColumnOf(channel));
    grid_->setCurrentItem(cell);
    entry_ = cell->text();
    editor_->setGeometry(grid_->visualItemRect(cell));
    if (first != nullptr) {
        editor_->setText(*first); // the typed digit, caret after it
    } else {
        editor_->setText(entry_);
        editor_->selectAll();
    }
    editor_->show();
    editor_->setFocus(Qt::OtherFocusReason);
}

void RadioDialog::closeEditor() {
    editing_ = 0;
    const bool hadFocus = editor_->hasFocus();
    editor_->hide();
    if (hadFocus) {
        grid_->setFocus(Qt::OtherFocusReason);
    }
}

bool RadioDialog::commitEditor() {
    const int channel = editing_;
    if (channel == 0) {
        return false;
    }
    const QString typed = editor_->text();
    closeEditor();
    const FmEntry entry = page_.setFrequency(channel, typed.toStdString());
    showChannel(channel);
    if (entry.outOfRange) {
        prompts_.message(this, "R57", Tr(kOutOfRange, session_.language), Icon::Warning,
                         Buttons::Ok, Answer::Ok);
    }
    return entry.outOfRange;
}

void RadioDialog::accept() {
    // A frequency that had to be corrected is shown before anything is kept.
    if (commitEditor()) {
        return;
    }
    page_.setStartChannel(start_->currentIndex());
    QDialog::accept();
}

bool RadioDialog::eventFilter(QObject* watched, QEvent* event) {
    if (watched == editor_ && editing_ != 0) {
        if (event->type() == QEvent::FocusOut) {
            // OK takes the edit over itself (and stays open on a correction); Cancel
            // drops it. Any other way out of the editor commits it.
            QWidget* next = QApplication::focusWidget();
            const auto reason = static_cast<QFocusEvent*>(event)->reason();
            if (reason != Qt::PopupFocusReason && reason != Qt::ActiveWindowFocusReason &&
                next != ok_ && next != cancel_) {
                commitEditor();
            }
        } else if (event->type() == QEvent::KeyPress) {
            auto* key = static_cast<QKeyEvent*>(event);
            if (key->key() == Qt::Key_Escape) {
                editor_->setText(entry_);
                closeEditor();
                return true;
            }
            if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
                const int next = FmNextChannel(editing_);
                commitEditor();
                grid_->setCurrentCell(RowOf(next), ColumnOf(next));
                return true;
            }
        }
    } else if (watched == grid_ && event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        const int channel = ChannelAt(grid_->currentRow(), grid_->currentColumn());
        if (channel != 0 && IsDigitKey(key)) {
            const QString first = key->text();
            openEditor(channel, &first);
            return true;
        }
        if (channel != 0 && (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter ||
                             key->key() == Qt::Key_F2)) {
            openEditor(channel);
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

} // namespace r57::ui
