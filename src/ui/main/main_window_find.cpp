// The find bar `picFind` under the grid: a text matched against the channel names and
// frequencies of both banks, the next or previous match shown with its bank's tab.
#include "ui/main/main_window.h"

#include "core/session.h"
#include "ui/main/channel_grid.h"
#include "ui/main/ui_text.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStyle>
#include <QTabWidget>

namespace r57::ui {

namespace {

constexpr OwnText kFindLabel{"Find:", "查找："};
constexpr OwnText kFindPlaceholder{"name or frequency", "名称或频率"};
constexpr OwnText kFindNext{"Next", "下一个"};
constexpr OwnText kFindPrevious{"Previous", "上一个"};
constexpr OwnText kFindClose{"Close (Esc)", "关闭 (Esc)"};
constexpr OwnText kNotFound{"No channel matches.", "没有匹配的信道。"};

} // namespace

QWidget* MainWindow::buildFindBar(QWidget* parent) {
    picFind_ = new QWidget(parent);
    picFind_->setObjectName("picFind");
    auto* layout = new QHBoxLayout(picFind_);
    layout->setContentsMargins(2, 0, 2, 0);
    lblFind_ = new QLabel(picFind_);
    lblFind_->setObjectName("lblFind");
    txtFind_ = new QLineEdit(picFind_);
    txtFind_->setObjectName("txtFind");
    txtFind_->setClearButtonEnabled(true);
    txtFind_->setMinimumWidth(200);
    txtFind_->installEventFilter(this); // Escape closes the bar
    lblFind_->setBuddy(txtFind_);
    layout->addWidget(lblFind_);
    layout->addWidget(txtFind_);
    const char* names[] = {"cmdFindNext", "cmdFindPrevious", "cmdFindClose"};
    for (int i = 0; i < 3; ++i) {
        auto* button = new QPushButton(picFind_);
        button->setObjectName(names[i]);
        button->setFocusPolicy(Qt::NoFocus); // the typing stays in the text
        findButtons_[i] = button;
    }
    findButtons_[0]->setIcon(style()->standardIcon(QStyle::SP_ArrowDown));
    findButtons_[1]->setIcon(style()->standardIcon(QStyle::SP_ArrowUp));
    findButtons_[2]->setIcon(style()->standardIcon(QStyle::SP_DialogCloseButton));
    layout->addWidget(findButtons_[0]);
    layout->addWidget(findButtons_[1]);
    lblFindResult_ = new QLabel(picFind_);
    lblFindResult_->setObjectName("lblFindResult");
    layout->addWidget(lblFindResult_, 1);
    layout->addWidget(findButtons_[2]);

    auto guarded = [this](bool forward) {
        return [this, forward] {
            runGuarded([this, forward] { findChannel(forward); });
        };
    };
    connect(txtFind_, &QLineEdit::returnPressed, this, guarded(true));
    connect(findButtons_[0], &QPushButton::clicked, this, guarded(true));
    connect(findButtons_[1], &QPushButton::clicked, this, guarded(false));
    connect(findButtons_[2], &QPushButton::clicked, this, [this] { closeFindBar(); });
    connect(txtFind_, &QLineEdit::textEdited, lblFindResult_, &QLabel::clear);
    picFind_->hide();
    return picFind_;
}

void MainWindow::applyFindLanguage() {
    const int language = session_->language;
    lblFind_->setText(Tr(kFindLabel, language));
    txtFind_->setPlaceholderText(Tr(kFindPlaceholder, language));
    findButtons_[0]->setText(Tr(kFindNext, language));
    findButtons_[1]->setText(Tr(kFindPrevious, language));
    findButtons_[2]->setToolTip(Tr(kFindClose, language));
    lblFindResult_->clear();
}

void MainWindow::openFindBar() {
    picFind_->show();
    txtFind_->setFocus(Qt::ShortcutFocusReason);
    txtFind_->selectAll();
}

void MainWindow::closeFindBar() {
    picFind_->hide();
    lblFindResult_->clear();
    shownGrid()->setFocus(Qt::OtherFocusReason);
}

void MainWindow::findChannel(bool forward) {
    const std::string text = txtFind_->text().trimmed().toStdString();
    if (!picFind_->isVisible() || text.empty()) {
        openFindBar(); // F3 with nothing to look for asks for the text first
        if (text.empty()) {
            return;
        }
    }
    commitPendingEdit();
    Session& s = *session_;
    // Both banks as the grids show them (the shown bank's names as it holds them).
    CodeplugImage image = shownImage();
    const std::array<BankTexts, 2> banks{DecodeBank(image, kBankA, s.language),
                                         DecodeBank(image, kBankB, s.language)};
    const ChannelPlace from{s.currentBank, shownGrid()->cursorRow()};
    const std::optional<ChannelPlace> hit = FindChannel(banks, text, from, forward);
    if (!hit) {
        lblFindResult_->setText(Tr(kNotFound, s.language));
        return;
    }
    if (hit->bank != s.currentBank) {
        tabs_->setCurrentIndex(hit->bank); // the tab follows the match
    }
    ChannelGrid* grid = grids_[hit->bank];
    grid->setCursor(hit->row, grid->cursorColumn());
    grid->selectRows({hit->row});
    lblFindResult_->setText(QString::fromStdString(ChannelLabel(hit->bank, hit->row)));
}

} // namespace r57::ui
