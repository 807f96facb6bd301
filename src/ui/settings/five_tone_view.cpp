// Page 4, "5-Tone".
#include "ui/settings/settings_views.h"

#include "ui/main/main_window_items.h"
#include "ui/main/prompts.h"
#include "ui/main/ui_text.h"
#include "ui/settings/code_grid.h"
#include "ui/settings/settings_widgets.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>

namespace r57::ui {

using settings::FiveTonePage;
using settings::ListKind;
using settings::ListTexts;

namespace {

constexpr OwnText kToneFrame{"5-Tone Standard", "五音标准"};
constexpr OwnText kCodeCount{"Code Count must be %1!", "代码个数必须为%1！"};
constexpr int kCodeCaptions[3][2] = {{1401, 1149}, {1402, 1149}, {1419, 0}};

QString CodeCaption(int code, int language) {
    QString text = Tr(kCodeCaptions[code][0], language);
    if (kCodeCaptions[code][1]) {
        text += (language == kChinese ? "" : " ") + Tr(kCodeCaptions[code][1], language);
    }
    return text;
}

} // namespace

FiveToneView::FiveToneView(FiveTonePage& page, const ViewContext& context, QWidget* parent)
    : PageView(kFiveTonePage, context, parent), page_(page) {
    const int language = context.language;
    auto* top = new QGridLayout;
    // Lbl5Tone 0, 1 and 3 name the lists; Lbl5Tone 2 names the ID list below.
    const QString captions[] = {Tr(1416, language), Tr(1417, language), "ID", Tr(1418, language)};
    std::array<QLabel*, 4> labels{};
    for (int i = 0; i < 4; ++i) {
        labels[i] = MakeLabel(this, QString("Lbl5Tone_%1").arg(i), captions[i]);
    }
    const ListKind kinds[] = {ListKind::FiveToneStandard, ListKind::RespondTime,
                              ListKind::FixDigit};
    const int labelOf[] = {0, 1, 3};
    for (int i = 0; i < 3; ++i) {
        lists_[i] = MakeCombo(this, QString("Cbo5Tone_%1").arg(i), ListTexts(kinds[i], language));
        top->addWidget(labels[labelOf[i]], i, 0);
        top->addWidget(lists_[i], i, 1);
    }
    top->setColumnStretch(2, 1);

    auto* left = new QVBoxLayout;
    left->addLayout(top);
    left->addWidget(buildCodes());
    left->addWidget(labels[2]);
    QStringList rows;
    for (int row = 0; row < FiveTonePage::kIds; ++row) {
        rows << QString::number(row + 1);
    }
    grid_ = new CodeGrid("Grid5Tone", {Tr(1160, language), Tr(1416, language), "ID"}, rows, this);
    grid_->textEditor()->setObjectName("Txt5T");
    auto* standards = MakeCombo(nullptr, "Cbo5T", ListTexts(ListKind::FiveToneStandard, language));
    grid_->setChoiceEditor(1, standards);
    CodeGrid::Rules rules;
    rules.openKey = settings::FiveToneKey;
    rules.key = [](int, char32_t c) {
        return settings::FiveToneKey(c);
    };
    rules.maxLength = [](int) {
        return static_cast<int>(FiveTonePage::kIdLength);
    };
    rules.editorColumn = [](int, int column) {
        return column;
    };
    rules.commit = [this](int row, int column, const QString& text) {
        FiveTonePage::IdRow& r = page_.ids[row];
        if (column == 1) {
            const int found = lists_[0]->findText(text);
            r.standard = found >= 0 ? found : r.standard;
        } else {
            r.id = FiveTonePage::SettleId(text.toStdString());
            page_.completeIdRow(row);
        }
        showRow(row);
    };
    grid_->setRules(rules);
    connect(grid_, &CodeGrid::leftLastRow, context.save,
            [this] { context_.save->setFocus(Qt::TabFocusReason); });
    left->addWidget(grid_);
    left->addStretch(1);

    auto* layout = new QHBoxLayout(this);
    layout->addLayout(left, 1);
    layout->addWidget(buildToneTable(), 0, Qt::AlignTop);

    connect(lists_[0], &QComboBox::currentIndexChanged, this, [this](int s) { showStandard(s); });
    InstallEnterMovesOn(this);
}

QWidget* FiveToneView::buildCodes() {
    auto* codes = new QWidget(this);
    auto* grid = new QGridLayout(codes);
    grid->setContentsMargins(0, 6, 0, 6);
    for (int i = 0; i < FiveTonePage::kCodes; ++i) {
        grid->addWidget(
            MakeLabel(codes, QString("Lbl5Tone2_%1").arg(i), CodeCaption(i, context_.language)), i,
            0);
        codes_[i] = MakeBox(codes, QString("Txt5Tone2_%1").arg(i),
                            static_cast<int>(FiveTonePage::kCodeLength));
        codes_[i]->setFixedWidth(codes_[i]->fontMetrics().horizontalAdvance("00000000") + 12);
        SetKeyRule(codes_[i], settings::FiveToneKey, static_cast<int>(FiveTonePage::kCodeLength));
        BoxKeys keys;
        keys.escapeRestores = true;
        InstallBoxKeys(codes_[i], keys);
        grid->addWidget(codes_[i], i, 1);
    }
    grid->setColumnStretch(2, 1);
    return codes;
}

QWidget* FiveToneView::buildToneTable() {
    auto* frame = new QGroupBox(Tr(kToneFrame, context_.language), this);
    frame->setObjectName("fraTone");
    auto* grid = new QGridLayout(frame);
    for (int digit = 0; digit < 16; ++digit) {
        auto* label = new QLabel(QString::number(digit, 16).toUpper(), frame);
        tones_[digit] = MakeBox(frame, QString("txtTone_%1").arg(digit), 6);
        tones_[digit]->setFixedWidth(tones_[digit]->fontMetrics().horizontalAdvance("00000.0") + 8);
        SetInUse(tones_[digit], false, palette().color(QPalette::Window));
        grid->addWidget(label, digit % 8, (digit / 8) * 2);
        grid->addWidget(tones_[digit], digit % 8, (digit / 8) * 2 + 1);
    }
    auto* upDown = new UpDown("updTone", frame);
    upDown->setEnabled(false);
    grid->addWidget(upDown, 8, 3, Qt::AlignRight);
    return frame;
}

void FiveToneView::showStandard(int standard) {
    for (int digit = 0; digit < 16; ++digit) {
        tones_[digit]->setText(QString::fromStdString(FiveTonePage::ToneText(standard, digit)));
    }
}

void FiveToneView::showRow(int row) {
    const FiveTonePage::IdRow& r = page_.ids[row];
    grid_->setText(row, 1, r.standard < 0 ? QString() : lists_[0]->itemText(r.standard));
    grid_->setText(row, 2, QString::fromStdString(r.id));
}

void FiveToneView::fill() {
    grid_->cancelEdit();
    lists_[0]->setCurrentIndex(0);
    showStandard(0);
    lists_[1]->setCurrentIndex(page_.respond);
    lists_[2]->setCurrentIndex(page_.fixDigit);
    for (int i = 0; i < FiveTonePage::kCodes; ++i) {
        codes_[i]->setText(QString::fromStdString(page_.codes[i]));
    }
    for (int row = 0; row < FiveTonePage::kIds; ++row) {
        showRow(row);
    }
}

void FiveToneView::take() {
    page_.respond = lists_[1]->currentIndex();
    page_.fixDigit = lists_[2]->currentIndex();
    for (int i = 0; i < FiveTonePage::kCodes; ++i) {
        page_.codes[i] = codes_[i]->text().toStdString();
    }
}

void FiveToneView::closeEditors() {
    grid_->commitPendingEdit();
}

bool FiveToneView::checkCodes() {
    take();
    const int code = page_.shortCode();
    if (code < 0) {
        return true;
    }
    const QString text = Tr(kCodeCount, context_.language).arg(FiveTonePage::kCodeLength);
    context_.prompts.message(this, items::kModelName, text, Icon::Warning, Buttons::Ok, Answer::Ok);
    codes_[code]->setFocus(Qt::OtherFocusReason);
    return false;
}

void FiveToneView::mousePressEvent(QMouseEvent* event) {
    grid_->commitPendingEdit(); // a click beside the grid closes its editor
    PageView::mousePressEvent(event);
}

} // namespace r57::ui
