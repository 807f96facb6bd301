#include "ui/service/frequency_page_widget.h"

#include "ui/main/ui_text.h"
#include "ui/service/cell_grid.h"

#include "core/session.h"

#include <QHeaderView>
#include <QVBoxLayout>

namespace r57::ui {

namespace {

constexpr int kBandId = 1275; // "Band"
constexpr int kMinId = 1368;  // "MIN"
constexpr int kMaxId = 1367;  // "MAX"

} // namespace

FrequencyPageWidget::FrequencyPageWidget(Session& session, QWidget* parent)
    : ServicePage(session, parent) {
    setObjectName("fraFreq");
    const int language = session.language;
    grid_ = new CellGrid(
        "GridFreqSet", service::FrequencyRangePage::kRows,
        {Tr(kBandId, language), Tr(kMinId, language) + "(MHz)", Tr(kMaxId, language) + "(MHz)"},
        this);
    grid_->verticalHeader()->setDefaultSectionSize(28);
    grid_->setEditor("TxtFreqSet", "[0-9.]*", 6, [this](int row, int column, const QString& text) {
        if (page_.edit(row, column, text.toStdString())) {
            emit edited();
        }
        showValues();
    });
    for (int row = 0; row < service::FrequencyRangePage::kRows; ++row) {
        grid_->setCell(row, 0, QString::fromStdString(page_.RowLabel(row, language)), false);
        grid_->item(row, 0)->setFlags(Qt::ItemIsEnabled); // a label, drawn like the header
        grid_->item(row, 0)->setBackground(palette().button());
    }
    grid_->setCurrentCell(0, service::FrequencyRangePage::kLower);
    grid_->fitToCells();
    grid_->setMinimumWidth(420);
    grid_->setMaximumWidth(560);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(grid_);
    layout->addStretch(1);
}

void FrequencyPageWidget::refresh() {
    page_.load(session_.image);
    showValues();
}

void FrequencyPageWidget::store(CodeplugImage& image) const {
    page_.write(image);
}

void FrequencyPageWidget::commitEdits() {
    grid_->commitEdit();
}

void FrequencyPageWidget::showValues() {
    using Page = service::FrequencyRangePage;
    for (int row = 0; row < Page::kRows; ++row) {
        for (int column : {Page::kLower, Page::kUpper}) {
            grid_->setCell(row, column, QString::fromStdString(page_.text(row, column)));
        }
    }
}

} // namespace r57::ui
