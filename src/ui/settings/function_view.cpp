// Page 5, "Function Setting", and page 6, "PTT ID Setting": both show the one
// function-settings page class.
#include "ui/settings/settings_views.h"

#include "core/session.h"
#include "ui/main/ui_text.h"
#include "ui/settings/settings_widgets.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include <algorithm>

namespace r57::ui {

using settings::FunctionSettingPage;
using settings::ListKind;
using settings::ListTexts;

namespace {

QString LabelText(const settings::FieldCaption& caption, int language) {
    return QString::fromStdString(settings::CaptionText(caption, language));
}

struct ChoiceControl {
    const char* name;
    const char* label;
};
// In the order of FunctionSettingPage::Choice.
constexpr ChoiceControl kChoiceControls[] = {
    {"cboSqLevel", "Label1_0"},    {"cboTot", "Label1_1"},       {"cboScanModes", "Label2_1"},
    {"cboVoxLevel", "Label2_2"},   {"cboVoxDelay", "Label2_3"},  {"cboBattSave", "Label3_0"},
    {"cboBeepTone", "Label3_1"},   {"cboRogerTone", "Label3_2"}, {"cboLamp", "Label3_3"},
    {"cboLocalRoger", "Label3_4"}, {"cboCh1", "Label3_5"},       {"cboChDis", "Label3_9"},
    {"CboChord", "Label2_6"},      {"cboMsgMode", "Label3_13"},
};
// In the order of FunctionSettingPage::Flag.
constexpr const char* kFlagControls[] = {
    "ChkRelay", "ChkManual", "ChkTOTPenalty", "chkRecStop",
    "chkOp",    "chkTime",   "chkSet_0",      "chkSet_1",
};
// The lists of the page's two columns, outside the VOX and Power On frames.
constexpr FunctionSettingPage::Choice kLeftColumn[] = {
    FunctionSettingPage::kSquelch,    FunctionSettingPage::kTimeOut,
    FunctionSettingPage::kScanResume, FunctionSettingPage::kBatterySave,
    FunctionSettingPage::kBeepTone,   FunctionSettingPage::kRogerTone,
    FunctionSettingPage::kLocalRoger,
};
constexpr FunctionSettingPage::Choice kRightColumn[] = {
    FunctionSettingPage::kLamp,
    FunctionSettingPage::kAlarmDelay,
    FunctionSettingPage::kChannelDisplay,
    FunctionSettingPage::kChord,
};

constexpr OwnText kPttIdPrefix{"PTT ID ", "PTT ID "};

} // namespace

FunctionView::FunctionView(FunctionSettingPage& page, const ViewContext& context, QWidget* parent)
    : PageView(kFunctionPage, context, parent), page_(page) {
    for (int i = 0; i < FunctionSettingPage::kChoiceCount; ++i) {
        choices_[i] =
            MakeCombo(this, kChoiceControls[i].name,
                      ListTexts(FunctionSettingPage::Choices()[i].list, context.language));
    }
    for (int i = 0; i < FunctionSettingPage::kFlagCount; ++i) {
        flags_[i] = new QCheckBox(
            LabelText(FunctionSettingPage::FlagCaptions()[i], context.language), this);
        flags_[i]->setObjectName(kFlagControls[i]);
    }

    // Two columns of lists; the VOX and Power On frames stand under the right one.
    int listWidth = 0;
    for (QComboBox* combo : choices_) {
        listWidth = std::max(listWidth, combo->sizeHint().width());
    }
    for (QComboBox* combo : choices_) {
        combo->setMinimumWidth(listWidth);
    }
    auto column = [&](const auto& choices) {
        auto* grid = new QGridLayout;
        grid->setHorizontalSpacing(10);
        int row = 0;
        for (FunctionSettingPage::Choice c : choices) {
            grid->addWidget(
                MakeLabel(this, kChoiceControls[c].label,
                          LabelText(FunctionSettingPage::ChoiceCaptions()[c], context.language)),
                row, 0);
            grid->addWidget(choices_[c], row++, 1);
        }
        grid->setColumnStretch(2, 1);
        return grid;
    };
    auto* left = new QVBoxLayout;
    left->addLayout(column(kLeftColumn));
    left->addStretch(1);
    auto* right = new QVBoxLayout;
    right->addLayout(column(kRightColumn));
    right->addWidget(buildVox());
    right->addWidget(buildPowerOn());
    right->addStretch(1);
    auto* lists = new QHBoxLayout;
    lists->addLayout(left, 1);
    lists->addSpacing(16);
    lists->addLayout(right, 1);

    auto* checks = new QGridLayout;
    for (int i = 0; i < FunctionSettingPage::kFlagCount; ++i) {
        checks->addWidget(flags_[i], i / 2, i % 2);
    }

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(lists);
    layout->addSpacing(6);
    layout->addLayout(checks);
    layout->addStretch(1);

    connect(choices_[FunctionSettingPage::kMessageMode], &QComboBox::currentIndexChanged, this,
            [this](int mode) {
                showMessageMode(mode);
                if (mode == FunctionSettingPage::kMessageModeText) {
                    message_->setText(
                        Latin1(FunctionSettingPage::MessageFromImage(context_.session.image)));
                }
            });
    InstallEnterMovesOn(this);
}

QWidget* FunctionView::buildVox() {
    auto* frame = new QGroupBox(Tr(1350, context_.language), this);
    frame->setObjectName("Frame3");
    auto* grid = new QGridLayout(frame);
    int row = 0;
    for (auto c : {FunctionSettingPage::kVoxLevel, FunctionSettingPage::kVoxDelay}) {
        grid->addWidget(
            MakeLabel(frame, kChoiceControls[c].label,
                      LabelText(FunctionSettingPage::ChoiceCaptions()[c], context_.language)),
            row, 0);
        grid->addWidget(choices_[c], row++, 1);
    }
    // Shown as the radio's front panel has it; the codeplug keeps no bit for it.
    grid->addWidget(MakeLabel(frame, "Label2_4", Tr(1091, context_.language)), row, 0);
    auto* inhibit = new QCheckBox(frame);
    inhibit->setObjectName("chkVoxInhibit");
    inhibit->setEnabled(false);
    grid->addWidget(inhibit, row, 1);
    grid->setColumnStretch(2, 1);
    return frame;
}

QWidget* FunctionView::buildPowerOn() {
    auto* frame = new QGroupBox(Tr(1430, context_.language), this);
    frame->setObjectName("Frame4");
    auto* grid = new QGridLayout(frame);
    const auto mode = FunctionSettingPage::kMessageMode;
    grid->addWidget(
        MakeLabel(frame, kChoiceControls[mode].label,
                  LabelText(FunctionSettingPage::ChoiceCaptions()[mode], context_.language)),
        0, 0);
    grid->addWidget(choices_[mode], 0, 1);
    grid->addWidget(MakeLabel(frame, "Label3_10", Tr(1428, context_.language)), 1, 0);
    message_ = MakeBox(frame, "txtPoweronmsg", FunctionSettingPage::kMessageLength);
    SetKeyRule(message_, settings::MessageKey, FunctionSettingPage::kMessageLength);
    message_->setFixedWidth(message_->fontMetrics().horizontalAdvance("WWWWWWW") + 12);
    BoxKeys keys;
    keys.enterTarget = flags_[FunctionSettingPage::kCancelSquelch];
    InstallBoxKeys(message_, keys);
    SetInUse(message_, false, palette().color(QPalette::Button));
    grid->addWidget(message_, 1, 1);
    grid->setColumnStretch(2, 1);
    return frame;
}

void FunctionView::showMessageMode(int mode) {
    SetInUse(message_, mode == FunctionSettingPage::kMessageModeText);
}

void FunctionView::fill() {
    for (int i = 0; i < FunctionSettingPage::kChoiceCount; ++i) {
        choices_[i]->setCurrentIndex(page_.choices[i]);
    }
    for (int i = 0; i < FunctionSettingPage::kFlagCount; ++i) {
        flags_[i]->setChecked(page_.flags[i]);
    }
    message_->setText(Latin1(page_.powerOnMessage));
    showMessageMode(page_.choices[FunctionSettingPage::kMessageMode]);
}

void FunctionView::take() {
    for (int i = 0; i < FunctionSettingPage::kChoiceCount; ++i) {
        page_.choices[i] = choices_[i]->currentIndex();
    }
    for (int i = 0; i < FunctionSettingPage::kFlagCount; ++i) {
        page_.flags[i] = flags_[i]->isChecked();
    }
    page_.powerOnMessage = message_->text().toLatin1().toStdString();
}

PttIdView::PttIdView(FunctionSettingPage& page, const ViewContext& context, QWidget* parent)
    : PageView(kPttIdPage, context, parent), page_(page) {
    const int language = context.language;
    auto* grid = new QGridLayout(this);
    grid->addWidget(MakeLabel(this, "LblPTTID_1", Tr(kPttIdPrefix, language) + Tr(1354, language)),
                    0, 0);
    type_ = MakeCombo(this, "CboPttID", ListTexts(ListKind::PttIdType, language));
    grid->addWidget(type_, 0, 1);
    const int captions[] = {1103, 1104};
    for (int box = 0; box < 2; ++box) {
        grid->addWidget(
            MakeLabel(this, QString("LblPTTID_%1").arg(box + 2), Tr(captions[box], language)),
            box + 1, 0);
        boxes_[box] = MakeBox(this, QString("TxtPtt%1").arg(box + 1), 7);
        boxes_[box]->setFixedWidth(boxes_[box]->fontMetrics().horizontalAdvance("WWWWWWW") + 12);
        grid->addWidget(boxes_[box], box + 1, 1);
        BoxKeys keys;
        keys.enterTarget = box == 1 ? context.save : nullptr;
        InstallBoxKeys(boxes_[box], keys);
    }
    ani_ = new QCheckBox(Tr(1438, language), this);
    ani_->setObjectName("ChkPTTID");
    grid->addWidget(ani_, 3, 0, 1, 2);
    grid->setColumnStretch(2, 1);
    grid->setRowStretch(4, 1);
    grid->setHorizontalSpacing(12);
    grid->setVerticalSpacing(10);

    // Choosing the other type starts both codes afresh; the type already shown, picked
    // again, keeps them.
    connect(type_, &QComboBox::activated, this, [this](int type) {
        if (type == shownType_) {
            return;
        }
        boxes_[0]->clear();
        boxes_[1]->clear();
        applyType(type);
    });
    InstallEnterMovesOn(this);
}

void PttIdView::applyType(int type) {
    shownType_ = type;
    for (int box = 0; box < 2; ++box) {
        SetKeyRule(boxes_[box], FunctionSettingPage::PttRule(type, box + 1),
                   static_cast<int>(FunctionSettingPage::PttMaxLength(type, box + 1)));
    }
}

void PttIdView::fill() {
    type_->setCurrentIndex(page_.pttType);
    applyType(page_.pttType);
    ani_->setChecked(page_.ani);
    boxes_[0]->setText(Latin1(page_.ptt1));
    boxes_[1]->setText(Latin1(page_.ptt2));
}

void PttIdView::take() {
    page_.setPttType(type_->currentIndex());
    page_.ani = ani_->isChecked();
    page_.ptt1 = boxes_[0]->text().toLatin1().toStdString();
    page_.ptt2 = boxes_[1]->text().toLatin1().toStdString();
}

} // namespace r57::ui
