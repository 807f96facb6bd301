// The alternate channel panel's controls, their layout and captions, and the rule each
// control is wired to.
#include "ui/main/alternate_panel.h"

#include "ui/main/channel_grid.h"
#include "ui/main/column_text_validator.h"
#include "ui/main/ui_text.h"

#include "core/channel.h"
#include "core/codecs.h"
#include "core/message_ids.h"
#include "core/session.h"
#include "model/sheet/alternate_panel_rules.h"
#include "model/sheet/bank_sheet.h"
#include "model/sheet/grid_rules.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QSpinBox>
#include <QVBoxLayout>

#include <functional>

namespace r57::ui {

namespace {

constexpr char kCaptionId[] = "captionId"; // property: the grid column a caption names

constexpr OwnText kIdCodeCaption{"ID Code", "ID 码"};
constexpr OwnText kCloseTip{"Back to the channel grids", "返回信道表格"};

// The panel's fields in the grid's column order, with their control names.
struct ChoiceControl {
    const char* name;
    int column;
};
constexpr ChoiceControl kChoiceControls[] = {
    {"CboTxPowerGUI", kColPower}, {"CboWNGUI", kColWidth},
    {"CboScanGUI", kColScan},     {"CboBCLGUI", kColBcl},
    {"CboVoxGUI", kColVox},       {"CboPttIDGUI", kColPttId},
    {"CboOptionGUI", kColOption}, {"CboSCRGroupGUI", kColScrambler},
};

// Digits only, and no longer than the radio's limit unless a longer stored code is
// being shortened. The limit is read when the user types, so it follows the image.
class IdCodeValidator : public QValidator {
public:
    IdCodeValidator(QLineEdit* edit, std::function<int()> limit)
        : QValidator(edit), edit_(edit), limit_(std::move(limit)) {}
    State validate(QString& input, int&) const override {
        return IdCodeEditAllowed(edit_->text().toStdString(), input.toStdString(), limit_())
                   ? Acceptable
                   : Invalid;
    }

private:
    QLineEdit* edit_;
    std::function<int()> limit_;
};

QLineEdit* NewEdit(const char* name, QWidget* parent) {
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(name);
    edit->setContextMenuPolicy(Qt::NoContextMenu);
    edit->setAcceptDrops(false);
    return edit;
}

QComboBox* NewList(const char* name, QWidget* parent) {
    auto* box = new QComboBox(parent);
    box->setObjectName(name);
    box->setMaxVisibleItems(16);
    box->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    box->setMinimumContentsLength(6);
    return box;
}

// A caption that names a grid column; applyLanguage() gives it the column's caption.
QLabel* NewCaption(int column, QWidget* parent, std::vector<QLabel*>& captions) {
    auto* label = new QLabel(parent);
    label->setProperty(kCaptionId, column);
    captions.push_back(label);
    return label;
}

// Keeps the place of a control that comes and goes with the signalling type.
void KeepPlace(QWidget* w) {
    QSizePolicy policy = w->sizePolicy();
    policy.setRetainSizeWhenHidden(true);
    w->setSizePolicy(policy);
}

} // namespace

AlternatePanel::AlternatePanel(Session& session, std::array<BankSheet*, 2> sheets,
                               std::array<ChannelGrid*, 2> grids, QWidget* parent)
    : QFrame(parent), session_(session), sheets_(sheets), grids_(grids) {
    setObjectName("PicGUI");
    setFrameShape(QFrame::StyledPanel);
    buildControls();
    setFocusProxy(rx_); // opening the panel puts the caret into the receive frequency
    applyLanguage();
}

AlternatePanel::~AlternatePanel() {
    pending_ = nullptr;
    filling_ = true; // widgets going away must not commit into the sheets
}

void AlternatePanel::buildControls() {
    auto* form = new QGridLayout;
    form->setHorizontalSpacing(8);
    form->setVerticalSpacing(6);
    auto caption = [this](int column, const char* name) {
        QLabel* label = NewCaption(column, this, captions_);
        label->setObjectName(name);
        return label;
    };

    form->addWidget(caption(kColLabel, "LblChannelGUI"), 0, 0);
    form->addWidget(buildChannelRow(), 0, 1, 1, 3);

    rx_ = NewEdit("TxtRxFreqGUI", this);
    tx_ = NewEdit("TxtTxFreqGUI", this);
    name_ = NewEdit("TxtChNameGUI", this);
    for (auto [edit, column] : {std::pair{rx_, int(kColRx)}, std::pair{tx_, int(kColTx)},
                                std::pair{name_, int(kColName)}}) {
        edit->setValidator(new ColumnTextValidator(column, edit));
        edit->setMaxLength(EditorMaxLength(column));
    }
    addTextField(rx_, "Rx", [this](const QString& t) { commitRx(t); });
    addTextField(tx_, "Tx", [this](const QString& t) { commitTx(t); });
    addTextField(name_, "Name", [this](const QString& t) { commitName(t); });
    form->addWidget(caption(kColRx, "LblRxFreqGUI"), 1, 0);
    form->addWidget(rx_, 1, 1, 1, 3);
    form->addWidget(caption(kColTx, "LblTxFreqGUI"), 2, 0);
    form->addWidget(tx_, 2, 1, 1, 3);
    form->addWidget(buildToneFrame(), 3, 0, 1, 4);
    form->addWidget(caption(kColName, "LblChNameGUI"), 4, 0);
    form->addWidget(name_, 4, 1, 1, 3);

    // The choice fields two to a row, in the grid's order.
    int index = 0;
    for (const ChoiceControl& control : kChoiceControls) {
        ChoiceField field;
        field.box = NewList(control.name, this);
        field.label =
            caption(control.column, (QString("Lbl") + (control.name + 3)).toLatin1().data());
        field.column = control.column;
        choices_.push_back(field);
        const int r = 5 + index / 2;
        const int c = (index % 2) * 2;
        form->addWidget(field.label, r, c);
        form->addWidget(field.box, r, c + 1);
        ++index;
    }
    for (ChoiceField& field : choices_) {
        connect(field.box, &QComboBox::activated, this, [this, &field] { choiceActivated(field); });
    }
    form->setColumnStretch(1, 1);
    form->setColumnStretch(3, 1);

    clear_ = new QPushButton(this);
    clear_->setObjectName("CmdClearGUI");
    connect(clear_, &QPushButton::clicked, this, [this] {
        sheets_[bank()]->clearChannel(row());
        showEditedRow();
        fill();
        emit channelEdited();
    });
    close_ = new QPushButton(">>", this);
    close_->setObjectName("CmdCloseGUI");
    close_->setFixedWidth(48);
    connect(close_, &QPushButton::clicked, this, [this] { emit closeRequested(); });
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(clear_);
    buttons->addStretch(1);
    buttons->addWidget(close_);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(10, 10, 10, 10);
    layout->addLayout(form);
    layout->addWidget(buildSignalFrame());
    layout->addStretch(1);
    layout->addLayout(buttons);
}

QWidget* AlternatePanel::buildChannelRow() {
    auto* row = new QWidget(this);
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    udChannel_ = new QSpinBox(row);
    udChannel_->setObjectName("UDChannelGUI");
    udChannel_->setRange(1, kPanelChannels);
    udChannel_->setWrapping(true);
    udChannel_->setKeyboardTracking(false); // a typed number counts when it is left
    udChannel_->setContextMenuPolicy(Qt::NoContextMenu);
    QLineEdit* number = udChannel_->findChild<QLineEdit*>();
    number->setObjectName("TxtChannelGUI");
    number->setContextMenuPolicy(Qt::NoContextMenu);
    addTextField(number, "Channel", [this](const QString&) { udChannel_->interpretText(); });
    connect(udChannel_, &QSpinBox::valueChanged, this, [this](int index) {
        if (!filling_) {
            selectChannel(index);
        }
    });
    connect(number, &QLineEdit::textEdited, this, [this](const QString& text) {
        text1_->setText(QString::fromStdString(
            PanelLabel(PanelIndexFromDigits(text.toStdString(), channelIndex()))));
    });

    text1_ = NewEdit("Text1", row);
    text1_->setMaxLength(4);
    text1_->setFixedWidth(fontMetrics().horizontalAdvance("B1288") + 16);
    text1_->setValidator(
        new QRegularExpressionValidator(QRegularExpression("[AB]?[0-9]{0,3}"), text1_));
    addTextField(text1_, "Channel", [this](const QString& t) { commitLabel(t); });

    layout->addWidget(udChannel_, 1);
    layout->addWidget(text1_);
    return row;
}

QGroupBox* AlternatePanel::buildToneFrame() {
    toneFrame_ = new QGroupBox("QT/DQT", this);
    toneFrame_->setObjectName("FraQTDQTGUI");
    auto* layout = new QGridLayout(toneFrame_);
    decode_ = NewList("CboDecodeGUI", toneFrame_);
    encode_ = NewList("CboEncodeGUI", toneFrame_);
    QLabel* decodeCaption = NewCaption(kColDecode, toneFrame_, captions_);
    decodeCaption->setObjectName("LblDecodeGUI");
    QLabel* encodeCaption = NewCaption(kColEncode, toneFrame_, captions_);
    encodeCaption->setObjectName("LblEncodeGUI");
    layout->addWidget(decodeCaption, 0, 0);
    layout->addWidget(decode_, 0, 1);
    layout->addWidget(encodeCaption, 0, 2);
    layout->addWidget(encode_, 0, 3);
    layout->setColumnStretch(1, 1);
    layout->setColumnStretch(3, 1);
    connect(decode_, &QComboBox::activated, this, [this] { toneActivated(decode_, kColDecode); });
    connect(encode_, &QComboBox::activated, this, [this] { toneActivated(encode_, kColEncode); });
    return toneFrame_;
}

QGroupBox* AlternatePanel::buildSignalFrame() {
    signalFrame_ = new QGroupBox(this);
    signalFrame_->setObjectName("fraSignalGUI");
    auto* layout = new QGridLayout(signalFrame_);
    for (int i = 0; i < 5; ++i) {
        signalLabels_[i] = new QLabel(signalFrame_);
        signalLabels_[i]->setObjectName(QString("LblSignalGUI_%1").arg(i));
        KeepPlace(signalLabels_[i]);
    }
    for (int i = 0; i < 3; ++i) {
        signal_[i] = NewList(QString("CboSignalGUI_%1").arg(i).toLatin1().data(), signalFrame_);
        KeepPlace(signal_[i]);
    }
    signalLabels_[1]->hide(); // "Encode" belongs to no signalling control
    for (int code = 0; code < 8; ++code) {
        signal_[2]->addItem(QString::number(code));
    }
    idCode_ = NewEdit("TxtSignalGUI", signalFrame_);
    idCode_->setValidator(
        new IdCodeValidator(idCode_, [this] { return IdCodeLimit(session_.image); }));
    KeepPlace(idCode_);
    addTextField(idCode_, "Code", [this](const QString& t) { commitIdCode(t); });

    layout->addWidget(signalLabels_[0], 0, 0);
    layout->addWidget(signal_[0], 0, 1, 1, 3);
    layout->addWidget(signalLabels_[2], 1, 0);
    layout->addWidget(signal_[2], 1, 1);
    layout->addWidget(signalLabels_[3], 1, 2);
    layout->addWidget(signal_[1], 1, 3);
    layout->addWidget(signalLabels_[4], 2, 0);
    layout->addWidget(idCode_, 2, 1, 1, 3);
    layout->setColumnStretch(1, 1);
    layout->setColumnStretch(3, 1);

    connect(signal_[0], &QComboBox::activated, this,
            [this](int index) { signalTypeActivated(index); });
    connect(signal_[1], &QComboBox::activated, this, [this](int index) {
        WriteAutoResponse(session_.image, bank(), row(), index == 1);
        fill();
        emit channelEdited();
    });
    connect(signal_[2], &QComboBox::activated, this, [this](int index) {
        WriteDecodeCode(session_.image, bank(), row(), index);
        fill();
        emit channelEdited();
    });
    return signalFrame_;
}

void AlternatePanel::addTextField(QLineEdit* edit, const char* pendingName,
                                  std::function<void(const QString&)> commit) {
    TextField field;
    field.edit = edit;
    field.pendingName = pendingName;
    field.commit = std::move(commit);
    fields_.push_back(std::move(field));
    edit->installEventFilter(this);
    connect(edit, &QLineEdit::textEdited, this, [this, edit] {
        if (!filling_) {
            pending_ = fieldOf(edit);
        }
    });
}

void AlternatePanel::applyLanguage() {
    const int language = session_.language;
    for (QLabel* label : captions_) {
        label->setText(
            QString::fromStdString(ColumnCaption(label->property(kCaptionId).toInt(), language)));
    }
    signalFrame_->setTitle(Tr(1353, language));
    const int signalCaptions[4] = {1354, 1139, 1140, 1355};
    for (int i = 0; i < 4; ++i) {
        signalLabels_[i]->setText(Tr(signalCaptions[i], language));
    }
    signalLabels_[4]->setText(Tr(kIdCodeCaption, language));
    clear_->setText(Tr(1325, language));
    close_->setToolTip(Tr(kCloseTip, language));

    for (ChoiceField& field : choices_) {
        field.box->clear();
        for (const std::string& text : ColumnChoices(field.column, language)) {
            field.box->addItem(QString::fromStdString(text));
        }
    }
    QStringList tones;
    for (const std::string& tone : BuildToneList(language)) {
        tones << QString::fromStdString(tone);
    }
    for (QComboBox* box : {decode_, encode_}) {
        box->clear();
        box->addItems(tones);
    }
    signal_[1]->clear();
    signal_[1]->addItems({Tr(kTextOff, language), Tr(kTextOn, language)});
    fill();
}

} // namespace r57::ui
