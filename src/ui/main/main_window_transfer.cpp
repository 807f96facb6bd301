// The Transfer menu: reading the image from the radio and writing it back through
// the clone window, and decoding the image once a read has ended.
#include "ui/main/main_window.h"

#include "ui/main/accessibility.h"

#include "core/band_limits.h"
#include "core/message_ids.h"
#include "core/session.h"
#include "core/strings.h"
#include "link/backups.h"
#include "ui/main/channel_grid.h"
#include "ui/main/clone_window.h"
#include "ui/main/main_window_items.h"
#include "ui/main/prompts.h"
#include "ui/main/ui_text.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QLabel>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QShortcut>
#include <QStatusBar>
#include <QTextCursor>
#include <QTimer>
#include <QToolBar>

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
    // The names moved in the grid belong to the image the read replaces (undo brings
    // that image back).
    sheets_[s.currentBank]->rewriteNames();
    // What the radio sends counts as unsaved. When the port did not even open, the image
    // is untouched and the user's own unsaved edits must stay marked as unsaved; a read
    // that ends without storing anything gives them their mark back when it ends.
    if (startTransfer(link::TransferKind::Read)) {
        s.takeSavedCopyForRead();
    }
    updateTitle();
}

bool MainWindow::readRadioCopy(std::function<void(const CodeplugImage&)> done) {
    commitPendingEdit();
    if (transferRunning() || !Confirm(prompts_, this, kMsgReadTitle, session_->language)) {
        return false;
    }
    // The read-back a verify makes: the same frames as a read, stored aside.
    radioCopy_ = std::move(done);
    if (!startTransfer(link::TransferKind::Verify)) {
        radioCopy_ = nullptr;
        return false;
    }
    return true;
}

void MainWindow::writeToRadio() {
    txtStatus_->setFocus();
    commitPendingEdit();
    Session& s = *session_;
    sheets_[s.currentBank]->rewriteNames();
    const auto keepOld = confirmWrite(Tr(kMsgWriteTitle, s.language) + "\n" + Tr(1320, s.language));
    if (!keepOld) {
        return;
    }
    s.transferDirection = 1;
    try {
        startWriteRound(*keepOld);
    } catch (const std::exception&) {
        prompts_.message(this, items::kModelName, Tr(kMsgCannotOpenPort, s.language),
                         Icon::Critical, Buttons::Ok, Answer::Ok);
    }
}

namespace {

const OwnText kCancelledLine{"Transfer cancelled.", "传输已取消。"};

// How long the program waits, when it ends, for a cancelled transfer to send its "E"
// and close the port (it takes a fifth of a second).
constexpr int kQuitWaitMs = 1500;

// Runs `before` when the application is told to quit, before the quit closes any
// window (a window still busy would refuse to close and keep the program running).
class QuitWatcher : public QObject {
public:
    QuitWatcher(QObject* parent, std::function<void()> before)
        : QObject(parent), before_(std::move(before)) {}
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Quit && watched == QCoreApplication::instance()) {
            before_();
        }
        return false;
    }

private:
    std::function<void()> before_;
};

} // namespace

void MainWindow::watchForQuit() {
    QCoreApplication* app = QCoreApplication::instance();
    app->installEventFilter(new QuitWatcher(this, [this] { endTransferBeforeQuit(); }));
    // Told to exit outright (a termination signal) or the desktop session ending.
    connect(app, &QCoreApplication::aboutToQuit, this, &MainWindow::endTransferBeforeQuit);
    if (auto* gui = qobject_cast<QGuiApplication*>(app)) {
        connect(gui, &QGuiApplication::commitDataRequest, this,
                [this] { endTransferBeforeQuit(); });
    }
}

void MainWindow::endTransferBeforeQuit() {
    QElapsedTimer clock;
    clock.start();
    // A write that has just ended may start its verify read: that one ends too.
    while (transferRunning() && clock.elapsed() < kQuitWaitMs) {
        QEventLoop wait;
        connect(clone_.data(), &CloneWindow::transferEnded, &wait, &QEventLoop::quit);
        connect(clone_.data(), &CloneWindow::roundEnded, &wait, &QEventLoop::quit);
        QTimer::singleShot(kQuitWaitMs, &wait, &QEventLoop::quit);
        cancelTransfer();
        if (transferRunning()) {
            wait.exec(QEventLoop::ExcludeUserInputEvents);
        }
    }
}

void MainWindow::buildTransferProgress() {
    prgTransfer_ = new QProgressBar(statusBar());
    prgTransfer_->setObjectName("prgTransfer");
    prgTransfer_->setMaximumWidth(220);
    prgTransfer_->setTextVisible(true);
    cmdCancelTransfer_ = new QPushButton(statusBar());
    cmdCancelTransfer_->setObjectName("cmdCancelTransfer");
    statusBar()->addPermanentWidget(prgTransfer_);
    statusBar()->addPermanentWidget(cmdCancelTransfer_);
    prgTransfer_->hide();
    cmdCancelTransfer_->hide();
    connect(cmdCancelTransfer_, &QPushButton::clicked, this, &MainWindow::cancelTransfer);
    keyCancelTransfer_ = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    keyCancelTransfer_->setObjectName("keyCancelTransfer");
    keyCancelTransfer_->setEnabled(false);
    connect(keyCancelTransfer_, &QShortcut::activated, this, &MainWindow::cancelTransfer);
}

void MainWindow::lockForTransfer(bool locked) {
    for (QWidget* part :
         {static_cast<QWidget*>(menuBar()), static_cast<QWidget*>(toolBar_), centralWidget()}) {
        part->setEnabled(!locked);
    }
    cmdCancelTransfer_->setText(Tr(1059, session_->language)); // "&Cancel"
    prgTransfer_->setValue(0);
    prgTransfer_->setVisible(locked);
    cmdCancelTransfer_->setVisible(locked);
    cmdCancelTransfer_->setEnabled(locked);
    keyCancelTransfer_->setEnabled(locked);
    if (!locked) {
        shownGrid()->setFocus();
    }
}

void MainWindow::cancelTransfer() {
    if (clone_ && clone_->isRunning()) {
        transferCancelled_ = true;
        cmdCancelTransfer_->setEnabled(false); // once is enough; the "E" is on its way
        clone_->cancel();
    }
}

bool MainWindow::transferRunning() const {
    return clone_ && clone_->isRunning();
}

void MainWindow::appendStatusLine(const QString& line) {
    // Every line of the log ends with its line break, as the transfer's lines do.
    const QString text = txtStatus_->toPlainText();
    txtStatus_->moveCursor(QTextCursor::End);
    txtStatus_->insertPlainText((text.isEmpty() || text.endsWith('\n') ? "" : "\n") + line + "\n");
    txtStatus_->moveCursor(QTextCursor::End);
    txtStatus_->ensureCursorVisible();
    AnnounceAppended(txtStatus_, line);
}

bool MainWindow::startTransfer(link::TransferKind kind, const QString& logAbove) {
    makeCloneWindow();
    logAbove_ = logAbove;
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

void MainWindow::startWriteRound(bool keepOld) {
    makeCloneWindow();
    logAbove_.clear();
    backupsShown_ = 0;
    connect(clone_, &CloneWindow::roundStageChanged, this,
            [this](link::RoundStage stage) { onWriteStage(stage); });
    connect(clone_, &CloneWindow::roundEnded, this, [this](const link::WriteOutcome& outcome) {
        runGuarded([&] {
            const bool stopped = outcome.why == link::WriteWhy::Cancelled ||
                                 outcome.why == link::WriteWhy::WriteStopped;
            if (stopped && transferCancelled_) {
                appendStatusLine(Tr(kCancelledLine, session_->language));
            }
            afterWriteKept(outcome);
            onWriteRoundEnded(outcome);
        });
    });
    link::WriteRoundOptions options;
    options.verify = verifyAfterWrite();
    addKeepOptions(options, keepOld, true);
    if (!clone_->writeRound(std::move(options))) {
        session_->image.write(0x0EE0, fileGain_.data(), fileGain_.size());
    }
}

void MainWindow::makeCloneWindow() {
    releaseCloneWindow(); // one left open by an earlier transfer in trace mode
    transferCancelled_ = false;
    clone_ = new CloneWindow(*session_, prompts_, this);
    clone_->setWindowLock([this](bool locked) { lockForTransfer(locked); });
    connect(clone_, &CloneWindow::progressChanged, prgTransfer_,
            [this](int value, int maximum, const QString&) {
                prgTransfer_->setMaximum(maximum);
                prgTransfer_->setValue(value);
            });
    connect(clone_, &CloneWindow::logChanged, this, [this](const QString& log) {
        txtStatus_->setPlainText(logAbove_ + log);
        txtStatus_->moveCursor(QTextCursor::End);
        txtStatus_->ensureCursorVisible();
    });
    connect(clone_, &CloneWindow::statusChanged, staComStatus_, &QLabel::setText);
}

void MainWindow::onTransferEnded(link::TransferKind kind, bool success) {
    // A failed read still shows the blocks that did arrive.
    if (!success && transferCancelled_) {
        appendStatusLine(Tr(kCancelledLine, session_->language));
    }
    if (kind == link::TransferKind::Verify && radioCopy_) {
        const auto done = std::move(radioCopy_);
        radioCopy_ = nullptr;
        const CodeplugImage read = clone_ ? clone_->readBack() : CodeplugImage();
        if (!session_->traceMode) {
            releaseCloneWindow();
        }
        if (success) {
            keepBackup(link::BackupKind::Read, read);
            done(read);
        }
        return;
    }
    // The backup holds the bytes as they came, before the grid repairs what it cannot
    // show.
    if (const auto backup = link::BackupAfter(kind); backup && success) {
        keepBackup(*backup, session_->image);
    }
    if (kind == link::TransferKind::Read) {
        Session& s = *session_;
        s.followReadLaunch(); // a read that stored nothing saved nothing
        s.bands = DecodeBandLimits(s.image);
        refreshShownBank();             // also the model buttons and the Manual mark
        checkpoint("mnuTransfer_Read"); // also a failed read: undo brings back what it overwrote
        readFromRadioSinceStart_ = readFromRadioSinceStart_ || success;
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
