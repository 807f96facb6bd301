// Page 1, "DTMF".
#include "ui/settings/settings_views.h"

#include "ui/main/ui_text.h"
#include "ui/settings/code_grid.h"
#include "ui/settings/settings_widgets.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace r57::ui {

using settings::DtmfPage;
using settings::ListKind;
using settings::ListTexts;

namespace {

constexpr OwnText kDtmfFunction{"DTMF Function", "DTMF 功能"};
constexpr OwnText kDecodeResume{"Decode-Resum Time", "解码恢复时间"};
const QColor kGreyed(128, 128, 128);

// Two captions as one: a space between the words in English, none in Chinese.
QString Joined(int first, int second, int language) {
    return Tr(first, language) + (language == kChinese ? "" : " ") + Tr(second, language);
}

} // namespace

DtmfView::DtmfView(DtmfPage& page, const ViewContext& context, QWidget* parent)
    : PageView(kDtmfPage, context, parent), page_(page) {
    auto* layout = new QHBoxLayout(this);
    layout->addWidget(buildEncode(), 1);
    layout->addWidget(buildDecode(), 1);
    InstallEnterMovesOn(this);
}

QWidget* DtmfView::buildEncode() {
    const int language = context_.language;
    auto* frame = new QGroupBox(Tr(1139, language), this);
    frame->setObjectName("FraDTMF_0");
    QStringList labels;
    for (int n = 0; n < DtmfPage::kFastCalls; ++n) {
        labels << QString::number(n);
    }
    grid_ = new CodeGrid("GridDTMF", {Tr(1160, language), Tr(1406, language)}, labels, frame);
    grid_->textEditor()->setObjectName("TxtDTMF");
    CodeGrid::Rules rules;
    rules.openKey = settings::DtmfKey;
    rules.key = [](int, char32_t c) {
        return settings::DtmfKey(c);
    };
    rules.maxLength = [](int) {
        return static_cast<int>(DtmfPage::kFastCallLength);
    };
    grid_->setRules(rules);
    connect(grid_, &CodeGrid::leftLastRow, context_.save,
            [this] { context_.save->setFocus(Qt::TabFocusReason); });

    // Timing of the DTMF encoder: the codeplug has no place for these, so they are
    // shown out of use rather than taking values that would be lost.
    auto* timing = new QGridLayout;
    const int captions[] = {1404, 1405, 1143};
    for (int i = 0; i < 3; ++i) {
        timing->addWidget(MakeLabel(frame, QString("LblDTMF_%1").arg(i), Tr(captions[i], language)),
                          i, 0);
        auto* box = MakeBox(frame, QString("TxtDT_%1").arg(i), 3);
        box->setFixedWidth(box->fontMetrics().horizontalAdvance("0000") + 12);
        box->setEnabled(false);
        auto* upDown = new UpDown(QString("UDDtmf_%1").arg(i), frame);
        upDown->setEnabled(false);
        auto* row = new QHBoxLayout;
        row->setSpacing(1);
        row->addWidget(box);
        row->addWidget(upDown);
        row->addStretch(1);
        timing->addLayout(row, i, 1);
    }
    auto* column = new QVBoxLayout(frame);
    column->addWidget(grid_);
    column->addLayout(timing);
    column->addStretch(1);
    return frame;
}

QWidget* DtmfView::buildDecode() {
    const int language = context_.language;
    auto* frame = new QGroupBox(Tr(1140, language), this);
    frame->setObjectName("FraDTMF_1");
    auto* grid = new QGridLayout(frame);
    auto* function = new QCheckBox(Tr(kDtmfFunction, language), frame);
    function->setObjectName("chkDTMF");
    function->setEnabled(false); // not kept in the codeplug
    grid->addWidget(function, 0, 0, 1, 2);

    const QString captions[] = {Tr(1408, language),           Tr(1409, language),
                                Tr(1150, language),           Joined(1402, 1149, language),
                                Joined(1401, 1149, language), Tr(kDecodeResume, language)};
    for (int i = 0; i < 6; ++i) {
        grid->addWidget(MakeLabel(frame, QString("lblDTMFd_%1").arg(i), captions[i]), i + 1, 0);
    }
    const ListKind kinds[] = {ListKind::DecodeMode, ListKind::IntermediateCode, ListKind::GroupCode,
                              ListKind::DecodeResume};
    const int rows[] = {1, 2, 3, 6};
    for (int i = 0; i < 4; ++i) {
        lists_[i] = MakeCombo(frame, QString("CboDTMFd_%1").arg(i), ListTexts(kinds[i], language));
        grid->addWidget(lists_[i], rows[i], 1);
    }
    lists_[3]->setEnabled(false); // not kept in the codeplug
    for (int i = 0; i < 2; ++i) {
        inhibit_[i] = MakeBox(frame, QString("TxtDTMFd_%1").arg(i),
                              static_cast<int>(DtmfPage::kInhibitLength));
        SetKeyRule(inhibit_[i], settings::DtmfKey, DtmfPage::kInhibitLength);
        BoxKeys keys;
        keys.escapeRestores = true;
        keys.enterTarget = i == 1 ? context_.save : nullptr;
        InstallBoxKeys(inhibit_[i], keys);
        grid->addWidget(inhibit_[i], 4 + i, 1);
    }
    grid->setRowStretch(7, 1);
    connect(lists_[0], &QComboBox::currentIndexChanged, this, [this] { showDecodeMode(); });
    return frame;
}

void DtmfView::showDecodeMode() {
    SetInUse(lists_[1], lists_[0]->currentIndex() == DtmfPage::kSelectiveCall, kGreyed);
}

void DtmfView::fill() {
    grid_->cancelEdit();
    for (int n = 0; n < DtmfPage::kFastCalls; ++n) {
        grid_->setText(n, 1, QString::fromStdString(page_.fastCalls[n]));
    }
    lists_[0]->setCurrentIndex(page_.decodeMode);
    lists_[1]->setCurrentIndex(page_.intermediate);
    lists_[2]->setCurrentIndex(page_.group);
    inhibit_[0]->setText(QString::fromStdString(page_.transmitInhibit));
    inhibit_[1]->setText(QString::fromStdString(page_.transceiverInhibit));
    showDecodeMode();
}

void DtmfView::take() {
    for (int n = 0; n < DtmfPage::kFastCalls; ++n) {
        page_.fastCalls[n] = grid_->text(n, 1).toStdString();
    }
    page_.decodeMode = lists_[0]->currentIndex();
    page_.intermediate = lists_[1]->currentIndex();
    page_.group = lists_[2]->currentIndex();
    page_.transmitInhibit = inhibit_[0]->text().toStdString();
    page_.transceiverInhibit = inhibit_[1]->text().toStdString();
}

void DtmfView::closeEditors() {
    grid_->commitPendingEdit();
}

} // namespace r57::ui
