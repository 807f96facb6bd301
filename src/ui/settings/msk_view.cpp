// Page 2, "MSK".
#include "ui/settings/settings_views.h"

#include "ui/main/ui_text.h"
#include "ui/settings/code_grid.h"
#include "ui/settings/settings_widgets.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace r57::ui {

using settings::MskPage;

MskView::MskView(MskPage& page, const ViewContext& context, QWidget* parent)
    : PageView(kMskPage, context, parent), page_(page) {
    const int language = context.language;
    const int length = static_cast<int>(MskPage::kCodeLength);
    auto* idRow = new QHBoxLayout;
    idRow->addWidget(MakeLabel(this, "LblMSK", "ID " + Tr(1149, language)));
    ownId_ = MakeBox(this, "TxtMSK_0", length);
    ownId_->setFixedWidth(ownId_->fontMetrics().horizontalAdvance("00000") + 12);
    SetKeyRule(ownId_, settings::MskKey, length);
    InstallBoxKeys(ownId_, BoxKeys{});
    idRow->addWidget(ownId_);
    idRow->addStretch(1);

    auto* frame = new QGroupBox(Tr(1412, language), this);
    frame->setObjectName("FraMSK");
    QStringList labels;
    for (int n = 0; n < MskPage::kCalls; ++n) {
        labels << QString::number(n);
    }
    grid_ = new CodeGrid("GridMSK", {Tr(1160, language), Tr(1412, language)}, labels, frame);
    grid_->textEditor()->setObjectName("TxtMSK_1");
    CodeGrid::Rules rules;
    rules.openKey = settings::HexKey;
    rules.key = [](int, char32_t c) {
        return settings::MskKey(c);
    };
    rules.maxLength = [length](int) {
        return length;
    };
    grid_->setRules(rules);
    connect(grid_, &CodeGrid::leftLastRow, context.save,
            [this] { context_.save->setFocus(Qt::TabFocusReason); });
    auto* inFrame = new QVBoxLayout(frame);
    inFrame->addWidget(grid_);
    frame->setMaximumWidth(320);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(idRow);
    layout->addWidget(frame);
    layout->addStretch(1);
}

void MskView::fill() {
    grid_->cancelEdit();
    ownId_->setText(QString::fromStdString(page_.ownId));
    for (int n = 0; n < MskPage::kCalls; ++n) {
        grid_->setText(n, 1, QString::fromStdString(page_.calls[n]));
    }
}

void MskView::take() {
    page_.ownId = ownId_->text().toStdString();
    for (int n = 0; n < MskPage::kCalls; ++n) {
        page_.calls[n] = grid_->text(n, 1).toStdString();
    }
}

void MskView::closeEditors() {
    grid_->commitPendingEdit();
}

} // namespace r57::ui
