// The Transfer menu: reading the image from the radio and writing it back through
// the clone window, and decoding the image once a read has ended.
#include "main_window.h"

#include "channel_grid.h"
#include "clone_window.h"
#include "core/band_limits.h"
#include "core/message_ids.h"
#include "core/session.h"
#include "core/strings.h"
#include "main_window_items.h"
#include "prompts.h"
#include "ui_text.h"

#include <QLabel>
#include <QPlainTextEdit>
#include <QTextCursor>

#include <exception>

namespace r57::ui {

namespace {

// "Read data from radio" / "Write data to radio", a line break, "Do you wish to continue?"
bool Confirm(Prompts& prompts, QWidget* parent, int titleId, int language) {
    QString text = Tr(titleId, language) + "\n" + Tr(1320, language);
    return prompts.message(parent, items::kModelName, text, Icon::Question, Buttons::OkCancel,
                           Answer::Ok) == Answer::Ok;
}

} // namespace

void MainWindow::readFromRadio() {
    commitPendingEdit();
    Session& s = *session_;
    if (!Confirm(prompts_, this, kMsgReadTitle, s.language)) {
        return;
    }
    s.transferDirection = 0;
    // What the radio sends counts as unsaved. When the port did not even open, the image
    // is untouched and the user's own unsaved edits must stay marked as unsaved.
    if (startTransfer(link::TransferKind::Read)) {
        s.takeSavedCopy();
    }
    updateTitle();
}

void MainWindow::writeToRadio() {
    txtStatus_->setFocus();
    commitPendingEdit();
    Session& s = *session_;
    sheets_[s.currentBank]->rewriteNames();
    if (!Confirm(prompts_, this, kMsgWriteTitle, s.language)) {
        return;
    }
    s.transferDirection = 1;
    try {
        startTransfer(link::TransferKind::Write);
    } catch (const std::exception&) {
        prompts_.message(this, items::kModelName, Tr(kMsgCannotOpenPort, s.language),
                         Icon::Critical, Buttons::Ok, Answer::Ok);
    }
}

bool MainWindow::startTransfer(link::TransferKind kind) {
    releaseCloneWindow(); // one left open by an earlier transfer in trace mode
    clone_ = new CloneWindow(*session_, prompts_, this);
    connect(clone_, &CloneWindow::logChanged, this, [this](const QString& log) {
        txtStatus_->setPlainText(log);
        txtStatus_->moveCursor(QTextCursor::End);
        txtStatus_->ensureCursorVisible();
    });
    connect(clone_, &CloneWindow::statusChanged, staComStatus_, &QLabel::setText);
    connect(clone_, &CloneWindow::transferEnded, this,
            [this](link::TransferKind ended, bool success) {
                runGuarded([&] { onTransferEnded(ended, success); });
            });
    bool started = clone_->transferDatas(kind);
    if (!started) {
        releaseCloneWindow();
    }
    return started;
}

void MainWindow::onTransferEnded(link::TransferKind kind, bool success) {
    Q_UNUSED(success); // a failed read still shows the blocks that did arrive
    if (kind == link::TransferKind::Read) {
        Session& s = *session_;
        s.bands = DecodeBandLimits(s.image);
        refreshShownBank(); // also the model buttons and the Manual mark
    }
    updateTitle();
    if (!session_->traceMode) {
        releaseCloneWindow();
    }
}

CloneWindow* MainWindow::cloneWindow() const {
    return clone_.data();
}

void MainWindow::releaseCloneWindow() {
    if (clone_ && !clone_->isRunning()) {
        clone_->hide();
        clone_->deleteLater();
        clone_ = nullptr;
    }
}

} // namespace r57::ui
