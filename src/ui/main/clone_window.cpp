#include "ui/main/clone_window.h"

#include "core/message_ids.h"
#include "core/session.h"
#include "core/strings.h"
#include "ui/main/prompts.h"
#include "ui/main/ui_text.h"

#include <QLabel>
#include <QPlainTextEdit>
#include <QPointer>
#include <QProgressBar>
#include <QStringList>
#include <QTextCursor>
#include <QVBoxLayout>

namespace r57::ui {

namespace {

constexpr int kReadBlocks = 214;  // handshake steps, 208 blocks and the end
constexpr int kWriteBlocks = 207; // the same for the 204 blocks of a write

} // namespace

struct CloneWindow::Impl {
    Impl(Session& s, Prompts& p, QWidget* main) : session(s), prompts(p), mainWindow(main) {}

    Session& session;
    Prompts& prompts;
    QPointer<QWidget> mainWindow;
    link::TransferDriver* driver = nullptr;
    link::WriteRound* round = nullptr;
    bool inRound = false;
    QProgressBar* bar = nullptr;
    QLabel* percent = nullptr;
    QPlainTextEdit* text1 = nullptr;
    QString shownLog; // what Text1 holds, so a growing log is appended, not redrawn
    link::TransferKind kind = link::TransferKind::Read;
    bool active = false;
    std::function<void(bool)> lock;

    QString text(int id) const { return Tr(id, session.language); }

    // A transfer begins: an empty log, the main window locked, and this window usable
    // (the trace view, and the parent of the transfer's message boxes), shown in trace
    // mode.
    void beginShowing(QWidget* self) {
        text1->clear();
        shownLog.clear();
        enableMainWindow(false);
        self->setEnabled(true);
        if (session.traceMode) {
            self->show();
            self->raise();
        }
    }

    void enableMainWindow(bool enable) {
        if (lock) {
            lock(!enable);
        } else if (mainWindow) {
            mainWindow->setEnabled(enable);
        }
    }

    // Message boxes stand over the window the user sees: this one in trace mode,
    // otherwise the main window (a hidden parent would put them in a screen corner).
    QWidget* boxParent(QWidget* self) const {
        return self->isVisible() || !mainWindow ? self : mainWindow.data();
    }

    // "Cannot Open Communication Port." and the device, the system's reason and, for a
    // busy port, who holds it.
    QString portMessage(const QString& reason) const {
        QStringList lines{text(kMsgCannotOpenPort)};
        if (const auto& failure = driver->portFailure()) {
            for (const std::string& line : link::PortFailureLines(*failure, session.language)) {
                lines << QString::fromStdString(line);
            }
        } else if (!reason.isEmpty()) {
            lines << reason;
        }
        return lines.join('\n');
    }

    void showLog(const QString& log) {
        if (log.startsWith(shownLog)) {
            QTextCursor end(text1->document());
            end.movePosition(QTextCursor::End);
            end.insertText(log.mid(shownLog.size()));
        } else {
            text1->setPlainText(log);
        }
        shownLog = log;
        text1->moveCursor(QTextCursor::End);
    }
};

CloneWindow::CloneWindow(Session& session, Prompts& prompts, QWidget* mainWindow)
    : QDialog(mainWindow), d(std::make_unique<Impl>(session, prompts, mainWindow)) {
    setObjectName("frmClone");
    setModal(false);
    resize(520, 380);

    d->bar = new QProgressBar(this);
    d->bar->setObjectName("ProgressBar1");
    d->bar->setTextVisible(false);
    d->percent = new QLabel(this);
    d->percent->setObjectName("Label1");
    d->text1 = new QPlainTextEdit(this);
    d->text1->setObjectName("Text1");
    d->text1->setReadOnly(true);
    d->text1->setLineWrapMode(QPlainTextEdit::NoWrap);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(d->bar);
    layout->addWidget(d->percent);
    layout->addWidget(d->text1, 1);

    d->driver = new link::TransferDriver(session, this);
    d->round = new link::WriteRound(*d->driver, session, this);
    d->round->setAsker([this](link::Question question, const QString& text) {
        QString title;
        QString message = text;
        Buttons buttons = Buttons::OkCancel;
        Answer yes = Answer::Ok;
        switch (question) {
        case link::Question::BandLimitsChanged:
            title = d->text(kMsgWarning);
            if (message.isEmpty()) {
                message = d->text(kMsgBandChanged);
            }
            break;
        case link::Question::ServiceBandLimitsChanged:
            title = "Warning";
            if (message.isEmpty()) {
                message = d->text(kMsgServiceBandChanged);
            }
            break;
        case link::Question::RetryOrCancel:
            title = "Error";
            if (message.isEmpty()) {
                message = d->text(kMsgRetryOrCancel);
            }
            buttons = Buttons::RetryCancel;
            yes = Answer::Retry;
            break;
        case link::Question::PortLost:
            // What the device said, then the usual question; Retry opens it again.
            title = "Error";
            message = text + "\n\n" + d->text(kMsgRetryOrCancel).trimmed();
            buttons = Buttons::RetryCancel;
            yes = Answer::Retry;
            break;
        }
        return d->prompts.message(d->boxParent(this), title, message, Icon::Critical, buttons,
                                  yes) == yes;
    });
    d->round->setNotifier([this](int messageId, const QString& text) {
        if (messageId == kMsgWrongModel) {
            d->prompts.message(d->boxParent(this), d->text(kMsgWarning),
                               text.isEmpty() ? d->text(kMsgWrongModel) : text, Icon::Critical,
                               Buttons::Ok, Answer::Ok);
            return;
        }
        // A port that cannot be opened: what, and the system's own description of why.
        QString message = messageId == 0   ? d->portMessage(text)
                          : text.isEmpty() ? d->text(messageId)
                                           : text;
        d->prompts.message(d->boxParent(this), "R57", message, Icon::Warning, Buttons::Ok,
                           Answer::Ok);
    });

    connect(d->driver, &link::TransferDriver::logChanged, this, [this](const QString& log) {
        d->showLog(log);
        emit logChanged(log);
    });
    connect(d->driver, &link::TransferDriver::statusChanged, this, &CloneWindow::statusChanged);
    connect(d->driver, &link::TransferDriver::progressChanged, this,
            [this](int value, int maximum, const QString& label) {
                d->bar->setMaximum(maximum);
                d->bar->setValue(value);
                d->percent->setText(label);
                emit progressChanged(value, maximum, label);
            });
    connect(d->round, &link::WriteRound::stageChanged, this, [this](link::RoundStage stage) {
        setWindowTitle(d->text(stage == link::RoundStage::Write ? kMsgWriteTitle : kMsgReadTitle));
        d->text1->clear();
        d->shownLog.clear();
        emit roundStageChanged(stage);
    });
    connect(d->round, &link::WriteRound::finished, this, [this](const link::WriteOutcome& outcome) {
        d->active = d->inRound = false;
        d->enableMainWindow(true);
        if (!d->session.traceMode) {
            hide();
        }
        emit roundEnded(outcome);
    });
    connect(d->driver, &link::TransferDriver::finished, this, [this](bool success) {
        if (!d->active || d->inRound) {
            return; // a start that failed has been dealt with in transferDatas
        }
        d->active = false;
        d->enableMainWindow(true);
        if (!d->session.traceMode) {
            hide();
        }
        emit transferEnded(d->kind, success);
    });
}

CloneWindow::~CloneWindow() {
    // The driver goes first, while the state its signals reach still exists.
    d->driver->disconnect(this);
    d->round->disconnect(this);
    delete d->round;
    delete d->driver;
    if (d->active) {
        d->enableMainWindow(true);
    }
}

bool CloneWindow::transferDatas(link::TransferKind kind) {
    if (d->active) {
        return false; // one transfer at a time: the port is in use
    }
    d->kind = kind;
    setWindowTitle(d->text(link::IsRead(kind) ? kMsgReadTitle : kMsgWriteTitle));
    d->bar->setMaximum(link::IsRead(kind) ? kReadBlocks : kWriteBlocks);
    d->bar->setValue(0);
    d->percent->setText(d->text(kMsgPercentage) + ":  0%");
    // The service-data transfers are too short for a progress bar; only the trace shows.
    const bool wholeImage = kind == link::TransferKind::Read || kind == link::TransferKind::Write ||
                            kind == link::TransferKind::Verify;
    d->bar->setVisible(wholeImage);
    d->percent->setVisible(wholeImage);
    d->beginShowing(this);
    if (!d->driver->start(kind)) {
        d->enableMainWindow(true);
        hide();
        return false;
    }
    d->active = true;
    return true;
}

bool CloneWindow::writeRound(link::WriteRoundOptions options) {
    if (d->active) {
        return false;
    }
    d->kind = link::TransferKind::Write;
    d->bar->setValue(0);
    d->bar->setVisible(true);
    d->percent->setVisible(true);
    d->beginShowing(this);
    d->active = d->inRound = true;
    d->round->start(std::move(options));
    return true;
}

link::WriteRound& CloneWindow::round() {
    return *d->round;
}

bool CloneWindow::isRunning() const {
    return d->active;
}

void CloneWindow::cancel() {
    if (d->inRound) {
        d->round->cancel();
    } else if (d->active) {
        d->driver->cancel();
    }
}

const CodeplugImage& CloneWindow::readBack() const {
    return d->driver->readBack();
}

void CloneWindow::setWindowLock(std::function<void(bool)> lock) {
    d->lock = std::move(lock);
}

} // namespace r57::ui
