// Page 7, "PowerOn Logo": the picture, Load and Edit.
#include "ui/settings/settings_views.h"

#include "ui/accessory/draw_window.h"
#include "ui/accessory/logo_files.h"
#include "ui/accessory/logo_grid.h"
#include "ui/main/ui_text.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

namespace r57::ui {

namespace {

constexpr OwnText kLoad{"Load", "载入"};
constexpr OwnText kEdit{"Edit", "编辑"};
constexpr int kCellSize = 4;
constexpr int kEditorPauseMs = 20; // lets the double click finish before the editor opens

} // namespace

LogoView::LogoView(settings::LogoPage& page, const ViewContext& context, QWidget* parent)
    : PageView(kLogoPage, context, parent), page_(page) {
    grid_ = new LogoGrid(page.pixels(), kCellSize, this);
    connect(grid_, &LogoGrid::doubleClicked, this,
            [this] { QTimer::singleShot(kEditorPauseMs, this, [this] { openEditor(); }); });

    auto* buttons = new QHBoxLayout;
    const OwnText captions[] = {kLoad, kEdit};
    for (int i = 0; i < 2; ++i) {
        auto* button = new QPushButton(Tr(captions[i], context.language), this);
        button->setObjectName(QString("CmdPowOn_%1").arg(i));
        button->setAutoDefault(false);
        buttons->addWidget(button);
        if (i == 0) {
            connect(button, &QPushButton::clicked, this, [this] { load(); });
        } else {
            connect(button, &QPushButton::clicked, this,
                    [this] { QTimer::singleShot(kEditorPauseMs, this, [this] { openEditor(); }); });
        }
    }
    buttons->addStretch(1);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(grid_, 0, Qt::AlignLeft);
    layout->addLayout(buttons);
    layout->addStretch(1);
}

void LogoView::fill() {
    grid_->update();
}

void LogoView::load() {
    if (AskAndReadLogo(window(), context_.prompts, page_.pixels(), context_.language)) {
        grid_->update();
    }
}

void LogoView::openEditor() {
    if (window()->findChild<DrawWindow*>()) {
        return; // already open
    }
    auto* editor = new DrawWindow(page_.pixels(), context_.prompts, context_.language, window());
    editor->setAttribute(Qt::WA_DeleteOnClose);
    connect(editor, &QDialog::finished, grid_, qOverload<>(&QWidget::update));
    editor->open();
}

} // namespace r57::ui
