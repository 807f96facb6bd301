#include "ui/accessory/draw_window.h"

#include "ui/accessory/logo_files.h"
#include "ui/accessory/logo_grid.h"
#include "ui/main/close_question.h"
#include "ui/main/ui_text.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include <functional>

namespace r57::ui {

namespace {

constexpr OwnText kCaption{"PictureEdit", "图片编辑"};
constexpr OwnText kDraw{"Draw", "画笔"};
constexpr OwnText kEraser{"Eraser", "橡皮擦"};
constexpr OwnText kGridDisplay{"Grid display", "显示网格"};
constexpr OwnText kSize{"(Rows  ： Cols)", "(行  ： 列)"};
constexpr int kToolCaptions[] = {1062, 1063, 1064}; // New, Open, Save
constexpr int kOk = 1058;
constexpr int kCancel = 1059;
constexpr int kCellSize = 6;

} // namespace

DrawWindow::DrawWindow(LogoPixels& buffer, Prompts& prompts, int language, QWidget* parent)
    : QDialog(parent), buffer_(buffer), prompts_(prompts), language_(language), picture_(buffer) {
    setObjectName("frmDraw");
    setWindowTitle(Tr(kCaption, language));
    setModal(true);

    grid_ = new LogoGrid(picture_, kCellSize, this);
    grid_->setDrawingEnabled(true);
    grid_->setGridLines(true);

    auto* tools = new QHBoxLayout;
    const OwnText toolTexts[] = {kDraw, kEraser};
    for (int i = 0; i < 2; ++i) {
        tools_[i] = new QRadioButton(Tr(toolTexts[i], language), this);
        tools_[i]->setObjectName(QString("OptTool_%1").arg(i));
        connect(tools_[i], &QRadioButton::toggled, this, [this, i](bool on) {
            if (on) {
                grid_->setPenDark(i == 0);
            }
        });
        tools->addWidget(tools_[i]);
    }
    auto* lines = new QCheckBox(Tr(kGridDisplay, language), this);
    lines->setObjectName("chkTool");
    lines->setChecked(true);
    connect(lines, &QCheckBox::toggled, grid_, &LogoGrid::setGridLines);
    tools->addSpacing(16);
    tools->addWidget(lines);
    tools->addStretch(1);
    auto* size =
        new QLabel(Tr(kSize, language) +
                       QString("  %1 ： %2").arg(LogoPixels::kHeight).arg(LogoPixels::kWidth),
                   this);
    size->setObjectName("Label1");
    tools->addWidget(size);

    auto* buttons = new QHBoxLayout;
    const std::function<void()> commands[] = {[this] { newPicture(); }, [this] { openFile(); },
                                              [this] {
                                                  saveFile();
                                              }};
    for (int i = 0; i < 3; ++i) {
        auto* button = new QPushButton(Tr(kToolCaptions[i], language), this);
        button->setObjectName(QString("CmdTool_%1").arg(i));
        button->setAutoDefault(false);
        connect(button, &QPushButton::clicked, this, commands[i]);
        buttons->addWidget(button);
    }
    buttons->addStretch(1);
    for (int i = 0; i < 2; ++i) {
        auto* button = new QPushButton(Tr(i == 0 ? kOk : kCancel, language), this);
        button->setObjectName(QString("Command1_%1").arg(i));
        button->setAutoDefault(false);
        if (i == 0) {
            connect(button, &QPushButton::clicked, this, &QDialog::accept);
        } else {
            connect(button, &QPushButton::clicked, this, [this] {
                cancelling_ = true;
                reject();
                cancelling_ = false;
            });
        }
        buttons->addWidget(button);
    }

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(tools);
    layout->addWidget(grid_, 0, Qt::AlignCenter);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    connect(this, &QDialog::accepted, this, [this] { buffer_ = picture_; });
    selectTool(0);
}

void DrawWindow::selectTool(int tool) {
    tools_[tool]->setChecked(true);
    grid_->setPenDark(tool == 0);
}

void DrawWindow::newPicture() {
    picture_.clear();
    grid_->update();
    selectTool(0);
}

void DrawWindow::openFile() {
    if (AskAndReadLogo(this, prompts_, buffer_, language_)) {
        picture_ = buffer_;
        grid_->update();
    }
}

void DrawWindow::reject() {
    const bool edited = !cancelling_ && !(picture_ == buffer_);
    if (ConfirmClose(prompts_, this, language_, edited, [this] {
            accept();
            return false; // closed by accept()
        })) {
        QDialog::reject();
    }
}

void DrawWindow::saveFile() {
    buffer_ = picture_;
    AskAndWriteLogo(this, prompts_, buffer_);
}

} // namespace r57::ui
