// Page 0, "Common Set", and what every page view shares.
#include "ui/settings/settings_views.h"

#include "ui/main/ui_text.h"
#include "ui/settings/settings_widgets.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace r57::ui {

using settings::CommonSetPage;
using settings::ListKind;
using settings::ListTexts;

PageView::PageView(int page, const ViewContext& context, QWidget* parent)
    : QFrame(parent), context_(context) {
    setObjectName(QString("FraOp_%1").arg(page));
}

CommonSetView::CommonSetView(CommonSetPage& page, const ViewContext& context, QWidget* parent)
    : PageView(kCommonSetPage, context, parent), page_(page) {
    const int language = context.language;
    auto* layout = new QGridLayout(this);
    sideTone_ = new QCheckBox(Tr(1398, language), this);
    sideTone_->setObjectName("ChkOPSet");
    layout->addWidget(sideTone_, 0, 0, 1, 3);

    const int captions[] = {1399, 1151};
    for (int box = 0; box < 2; ++box) {
        layout->addWidget(
            MakeLabel(this, QString("LblOPSet_%1").arg(box), Tr(captions[box], language)), box + 1,
            0);
        boxes_[box] = MakeBox(this, QString("TxtOPSet_%1").arg(box), 4);
        boxes_[box]->setFixedWidth(boxes_[box]->fontMetrics().horizontalAdvance("00000") + 12);
        SetKeyRule(boxes_[box], settings::DigitKey, 4);
        BoxKeys keys;
        keys.settle = [this, box] {
            settle(box);
        };
        keys.step = [this, box](int s) {
            step(box, s);
        };
        keys.enterTarget = box == 1 ? context.save : nullptr;
        InstallBoxKeys(boxes_[box], keys);
        auto* upDown = new UpDown(QString("UDOpSet_%1").arg(box), this);
        connect(upDown, &UpDown::stepped, this, [this, box](int s) { step(box, s); });
        auto* row = new QHBoxLayout;
        row->setSpacing(1);
        row->addWidget(boxes_[box]);
        row->addWidget(upDown);
        row->addStretch(1);
        layout->addLayout(row, box + 1, 1);
    }
    layout->addWidget(MakeLabel(this, "LblOPSet_2", Tr(1400, language)), 3, 0);
    deadBeat_ = MakeCombo(this, "CboOPSet", ListTexts(ListKind::DeadBeat, language));
    layout->addWidget(deadBeat_, 3, 1);
    layout->setColumnStretch(2, 1);
    layout->setRowStretch(4, 1);
    layout->setHorizontalSpacing(12);
    layout->setVerticalSpacing(10);
    InstallEnterMovesOn(this);
}

QString CommonSetView::offText() const {
    return Tr(1113, context_.language);
}

void CommonSetView::settle(int box) {
    const std::string text = boxes_[box]->text().toStdString();
    if (box == 0) {
        boxes_[0]->setText(QString::number(CommonSetPage::SettleDigitDelay(text)));
        return;
    }
    const std::string off = offText().toStdString();
    const int seconds = CommonSetPage::SettleAutoReset(text, off);
    boxes_[1]->setText(QString::fromStdString(CommonSetPage::AutoResetText(seconds, off)));
}

void CommonSetView::step(int box, int step) {
    const std::string text = boxes_[box]->text().toStdString();
    if (box == 0) {
        const int ms = CommonSetPage::StepDigitDelay(CommonSetPage::SettleDigitDelay(text), step);
        boxes_[0]->setText(QString::number(ms));
        return;
    }
    const std::string off = offText().toStdString();
    const int seconds =
        CommonSetPage::StepAutoReset(CommonSetPage::SettleAutoReset(text, off), step);
    boxes_[1]->setText(QString::fromStdString(CommonSetPage::AutoResetText(seconds, off)));
}

void CommonSetView::fill() {
    sideTone_->setChecked(page_.sideTone);
    boxes_[0]->setText(QString::number(page_.digitDelayMs));
    boxes_[1]->setText(QString::fromStdString(
        CommonSetPage::AutoResetText(page_.autoResetSeconds, offText().toStdString())));
    deadBeat_->setCurrentIndex(page_.deadBeat);
}

void CommonSetView::take() {
    settle(0);
    settle(1);
    page_.sideTone = sideTone_->isChecked();
    page_.digitDelayMs = CommonSetPage::SettleDigitDelay(boxes_[0]->text().toStdString());
    page_.autoResetSeconds =
        CommonSetPage::SettleAutoReset(boxes_[1]->text().toStdString(), offText().toStdString());
    page_.deadBeat = deadBeat_->currentIndex();
}

} // namespace r57::ui
