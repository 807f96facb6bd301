// Page 3, "2-Tone": the encode and decode lists on two tabs.
#include "ui/settings/settings_views.h"

#include "ui/main/ui_text.h"
#include "ui/settings/code_grid.h"
#include "ui/settings/settings_widgets.h"

#include <QAction>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

namespace r57::ui {

using settings::TwoTonePage;

namespace {

constexpr OwnText kNoTone{"No tone (-)", "无音 (-)"};

} // namespace

TwoToneView::TwoToneView(TwoTonePage& page, const ViewContext& context, QWidget* parent)
    : PageView(kTwoTonePage, context, parent), page_(page) {
    auto* tabs = new QTabWidget(this);
    tabs->setObjectName("Tab2T");
    tabs->addTab(buildGrid(TwoTonePage::kEncode), Tr(1139, context.language));
    tabs->addTab(buildGrid(TwoTonePage::kDecode), Tr(1140, context.language));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(tabs);
    layout->addStretch(1);
}

CodeGrid* TwoToneView::buildGrid(int list) {
    const int language = context_.language;
    const QString hz = "[Hz]";
    const QStringList headers = {
        Tr(1160, language), "A" + Tr(1413, language) + hz, "B" + Tr(1413, language) + hz,
        list == TwoTonePage::kEncode ? Tr(1414, language) : Tr(1415, language) + hz};
    QStringList labels;
    for (int r = 0; r < TwoTonePage::kRows[list]; ++r) {
        labels << QString::number(r + 1);
    }
    auto* grid = new CodeGrid(QString("Grid2Tone_%1").arg(list), headers, labels);
    grid->textEditor()->setObjectName("Txt2T");
    grids_[list] = grid;

    CodeGrid::Rules rules;
    rules.openKey = [list](char32_t c) {
        return TwoTonePage::EditorKey(list, 1, c);
    };
    rules.key = [list](int column, char32_t c) {
        return TwoTonePage::EditorKey(list, column - 1, c);
    };
    rules.maxLength = [list](int column) {
        return static_cast<int>(TwoTonePage::EditorMaxLength(list, column - 1));
    };
    rules.editorColumn = [this, list](int row, int column) {
        return page_.editorColumn(list, row, column - 1) + 1;
    };
    rules.commit = [this, list](int row, int column, const QString& text) {
        auto& cells = page_.row(list, row);
        cells[column - 1] = TwoTonePage::SettleCell(list, column - 1, text.toStdString());
        page_.completeRow(list, row, column - 1);
        showRow(list, row);
    };
    grid->setRules(rules);
    connect(grid, &CodeGrid::leftLastRow, context_.save,
            [this] { context_.save->setFocus(Qt::TabFocusReason); });

    if (list == TwoTonePage::kDecode) {
        // "-" (no tone) can be typed into a decode cell, or set from the context menu.
        auto* noTone = new QAction(Tr(kNoTone, language), grid);
        noTone->setObjectName("actNoTone");
        grid->setContextMenuPolicy(Qt::ActionsContextMenu);
        grid->addAction(noTone);
        connect(noTone, &QAction::triggered, this, [grid] {
            const int row = grid->currentRow();
            const int column = grid->currentColumn();
            if (row >= 0 && column >= 1) {
                grid->openEditor(row, column);
                if (grid->editorOpen()) {
                    grid->textEditor()->setText("-");
                    grid->commitPendingEdit();
                }
            }
        });
    }
    return grid;
}

void TwoToneView::showRow(int list, int row) {
    for (int column = 0; column < TwoTonePage::kColumns; ++column) {
        grids_[list]->setText(row, column + 1,
                              QString::fromStdString(page_.row(list, row)[column]));
    }
}

void TwoToneView::fill() {
    for (int list : {TwoTonePage::kEncode, TwoTonePage::kDecode}) {
        grids_[list]->cancelEdit();
        for (int row = 0; row < TwoTonePage::kRows[list]; ++row) {
            showRow(list, row);
        }
    }
}

void TwoToneView::take() {
    // The page class is the grids' model: every committed cell is already in it.
}

void TwoToneView::closeEditors() {
    for (CodeGrid* grid : grids_) {
        grid->commitPendingEdit();
    }
}

} // namespace r57::ui
