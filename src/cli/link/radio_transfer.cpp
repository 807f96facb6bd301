#include "cli/link/radio_transfer.h"

#include "interrupt_watch.h"

#include "core/band_limits.h"
#include "core/message_ids.h"
#include "core/strings.h"
#include "link/backups.h"
#include "link/port_slots.h"
#include "link/verify.h"
#include "link/write_round.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QEventLoop>
#include <QFileInfo>
#include <QSocketNotifier>

#include <fcntl.h>
#include <signal.h>
#include <unistd.h>

#include <algorithm>
#include <iostream>
#include <memory>
#include <string>

namespace r57::cli {

namespace {

// Asks on the terminal; `yes` is the letter that means OK / Retry.
bool AskOnTerminal(const CliContext& context, const std::string& question, char yes,
                   const char* choices) {
    *context.err << question << " " << choices << " " << std::flush;
    std::string answer;
    if (!std::getline(std::cin, answer))
        return false;
    return !answer.empty() && (answer[0] == yes || answer[0] == yes - 'a' + 'A');
}

// The row of the analogue gain steps (0x0EE0-0x0EEF), the last of the block
// 0x0EC0-0x0EEF that a whole-image write sends.
constexpr int kGainRow = 0x0EE0;

// Puts the radio's gain row (from `looked`) into `toSend`; true when it differed.
bool KeepRadioGain(const CodeplugImage& looked, CodeplugImage& toSend) {
    if (std::equal(looked.data() + kGainRow, looked.data() + kGainRow + 16,
                   toSend.data() + kGainRow))
        return false;
    toSend.write(kGainRow, looked.data() + kGainRow, 16);
    return true;
}

class TransferRun {
public:
    TransferRun(Session& session, const RadioRequest& request, const CliContext& context)
        : session_(session), request_(request), context_(context), driver_(session) {}

    int run(const std::string& device) {
        const bool terminal = isatty(STDIN_FILENO) && isatty(STDERR_FILENO);
        driver_.setAsker(
            [this, terminal](link::Question q, const QString&) { return answer(q, terminal); });
        driver_.setNotifier([this](int id, const QString& text) {
            failureId_ = id == 0 ? kMsgCannotOpenPort : id;
            failureDetail_ = text.toStdString();
        });
        driver_.setPort(QString::fromStdString(device));
        QObject::connect(
            &driver_, &link::TransferDriver::progressChanged,
            [this](int value, int maximum, const QString&) { showProgress(value, maximum); });

        if (request_.kind == link::TransferKind::Write)
            return write(device);
        if (const int status = transfer(request_.kind, device); status != kExitOk)
            return status;
        *context_.err << Message(context_,
                                 link::IsRead(request_.kind) ? kMsgReadDone : kMsgWriteDone)
                      << "\n";
        if (const auto kind = link::BackupAfter(request_.kind); kind && request_.backup)
            keepBackup(session_.image, *kind);
        return backupLost_ ? kExitBackupLost : kExitOk;
    }

private:
    // The write round: the write, and the read-back with --verify.
    int write(const std::string& device) {
        link::WriteRound round(driver_, session_);
        const bool terminal = isatty(STDIN_FILENO) && isatty(STDERR_FILENO);
        round.setAsker(
            [this, terminal](link::Question q, const QString&) { return answer(q, terminal); });
        round.setNotifier([this](int id, const QString& text) {
            failureId_ = id == 0 ? kMsgCannotOpenPort : id;
            failureDetail_ = text.toStdString();
        });
        std::size_t backupsShown = 0;
        auto showBackups = [&] {
            const auto& backups = round.outcome().backups;
            for (; backupsShown < backups.size(); ++backupsShown)
                reportBackup(backups[backupsShown]);
        };
        QObject::connect(&round, &link::WriteRound::stageChanged, [&](link::RoundStage stage) {
            if (stage != link::RoundStage::Verify)
                return;
            endProgressLine();
            *context_.err << Message(context_, kMsgWriteDone) << "\n";
            showBackups();
            *context_.err << Own("Verify after write: reading the radio back...",
                                 "写入后校验：正在读回对讲机数据……")
                          << "\n";
            lastPercent_ = -1;
        });
        QEventLoop loop;
        QObject::connect(&round, &link::WriteRound::finished, &loop, &QEventLoop::quit);
        InterruptWatch interrupt(loop, [&round] { round.cancel(); });
        link::WriteRoundOptions options;
        options.verify = request_.verify;
        options.keepWritten = options.keepReadBack = request_.backup;
        // The radio's analogue gain steps are its calibration: read them first and,
        // unless --write-gain, send the block with the radio's own gain rows.
        options.lookRows = {kGainRow / 16}; // row numbers
        bool gainKept = false;
        options.check = [this, &gainKept](const CodeplugImage& looked, CodeplugImage& toSend) {
            gainKept = !request_.writeGain && KeepRadioGain(looked, toSend);
            return std::optional<QString>();
        };
        QString oldPath;
        options.readOldFirst = request_.keepOld;
        options.keepOld = [&oldPath](const CodeplugImage& old) {
            // Pinned until the write is verified: never rotated away before.
            link::BackupResult kept =
                link::KeepBackup(old, link::BackupKind::MemoryBefore, link::BackupFolder(),
                                 QDateTime::currentDateTime(), link::kBackupsKept, {}, true);
            oldPath = kept.ok ? kept.path : QString();
            return kept;
        };
        round.start(options);
        if (round.isRunning())
            loop.exec();
        endProgressLine();
        const link::WriteOutcome& outcome = round.outcome();
        if (gainKept && outcome.written()) {
            *context_.err << Own("Kept the radio's own gain rows (0x0EE0-0x0EEF); --write-gain "
                                 "writes the file's.",
                                 "保留了对讲机自己的增益数据行（0x0EE0-0x0EEF）；加 --write-gain "
                                 "则写入文件中的值。")
                          << "\n";
        }
        if (!oldPath.isEmpty() && outcome.verified())
            link::ReleaseBackup(oldPath);
        if (outcome.why == link::WriteWhy::WriteStopped)
            reportStopped(outcome, oldPath);
        if (interrupt.interrupted())
            return Fail(context_, "interrupted; the radio was told to end the transfer");
        switch (outcome.why) {
        case link::WriteWhy::None:
            *context_.err << QString::fromStdString(
                                 Own("Verify after write: all %1 bytes written read back the same.",
                                     "写入后校验：写入的 %1 个字节读回后完全一致。"))
                                 .arg(outcome.verify.compared)
                                 .toStdString()
                          << "\n";
            return backupLost_ ? kExitBackupLost : kExitOk;
        case link::WriteWhy::VerifyOff:
            *context_.err << Message(context_, kMsgWriteDone) << "\n";
            showBackups();
            return backupLost_ ? kExitBackupLost : kExitOk;
        case link::WriteWhy::VerifyMismatch: {
            const QString text =
                QString::fromStdString(
                    Own("verify after write failed: %1 of the %2 bytes written read back "
                        "differently, the first at address %3",
                        "写入后校验失败：写入的 %2 个字节中有 %1 个读回后不同，第一个位于地址 %3"))
                    .arg(outcome.verify.differing)
                    .arg(outcome.verify.compared)
                    .arg(QString::asprintf("0x%04X", outcome.verify.firstAddress));
            const int status = Fail(context_, text.toStdString());
            showBackups(); // what the radio holds now shows what went wrong
            return status;
        }
        case link::WriteWhy::ReadBackFailed:
        case link::WriteWhy::ReadBackCancelled:
            return Fail(context_, Own("the write was not verified: the radio could not be read "
                                      "back",
                                      "写入未经校验：无法读回对讲机数据"));
        default:
            return fail(device);
        }
    }

    // A write that stopped part-way: what the radio holds now, and the way back.
    void reportStopped(const link::WriteOutcome& outcome, const QString& oldPath) {
        const int step = driver_.endStep();
        const QString text =
            QString::fromStdString(
                Own("The write stopped part-way: the radio holds the file's rows up to 0x%1 "
                    "and its old memory from there on, not verified.",
                    "写入中途停止：对讲机中 0x%1 之前为文件的数据，其后仍为原有数据，未经校验。"))
                .arg(QString::asprintf("%04X", std::max(step, 0) * 16));
        *context_.err << "r57: " << text.toStdString() << "\n";
        (void)outcome;
        if (!oldPath.isEmpty()) {
            *context_.err << Own("To put the old memory back: r57 restore ",
                                 "写回原有数据：r57 restore ")
                          << oldPath.toStdString() << " --port " << request_.port << "\n";
        }
    }

    void reportBackup(const link::BackupResult& kept) {
        if (kept.ok) {
            *context_.err << Own("Backup: ", "备份：") << kept.path.toStdString() << "\n";
            return;
        }
        backupLost_ = true;
        *context_.err << "r57: " << Own("no backup could be kept in ", "无法保存备份到 ")
                      << QFileInfo(kept.path).absolutePath().toStdString() << ": "
                      << kept.error.toStdString() << "\n";
    }

    // One transfer to its end; kExitOk, or kExitFailure after printing why.
    int transfer(link::TransferKind kind, const std::string& device) {
        QEventLoop loop;
        bool success = false;
        QObject::connect(&driver_, &link::TransferDriver::finished, &loop, [&](bool ok) {
            success = ok;
            loop.quit();
        });
        InterruptWatch interrupt(loop);
        if (!driver_.start(kind))
            return fail(device);
        // The driver ends every transfer itself: after the resends and the question,
        // or at the latest when the radio has been silent for a few seconds.
        if (driver_.isRunning())
            loop.exec();
        endProgressLine();
        if (interrupt.interrupted())
            return Fail(context_, "interrupted; the radio was told to end the transfer");
        if (!success)
            return fail(device);
        return kExitOk;
    }

    // Keeping the copy never fails the command: a failure is only reported.
    void keepBackup(const CodeplugImage& image, link::BackupKind kind) {
        reportBackup(link::KeepBackup(image, kind));
    }

    std::string Own(const char* english, const char* chinese) const {
        return context_.language == kChinese ? chinese : english;
    }

    bool answer(link::Question q, bool terminal) {
        endProgressLine();
        if (q == link::Question::PortLost)
            return false; // the device went away: report it, the user may run again
        if (q == link::Question::RetryOrCancel) {
            const bool retry =
                terminal && AskOnTerminal(context_, Message(context_, kMsgRetryOrCancel), 'r',
                                          "[r = Retry, c = Cancel]");
            if (!retry)
                failureId_ = kMsgTimeout;
            return retry;
        }
        const int id =
            q == link::Question::BandLimitsChanged ? kMsgBandChanged : kMsgServiceBandChanged;
        bool goOn = request_.goOnIfBandsDiffer;
        if (!goOn && terminal)
            goOn = AskOnTerminal(context_, Message(context_, id), 'y', "[y/N]");
        if (!goOn) {
            failureId_ = id;
            failureDetail_ = terminal ? "" : "answered no (not on a terminal; --yes goes on)";
        }
        return goOn;
    }

    // "Completion percentage: 40%", in steps of ten as the progress label has them.
    void showProgress(int value, int maximum) {
        if (maximum <= 0)
            return;
        const int percent = std::clamp(value * 100 / maximum / 10 * 10, 0, 100);
        if (percent == lastPercent_)
            return;
        lastPercent_ = percent;
        const std::string line =
            Message(context_, kMsgPercentage) + ": " + std::to_string(percent) + "%";
        if (isatty(STDERR_FILENO)) {
            *context_.err << "\r" << line << std::flush;
            progressShown_ = true;
        } else {
            *context_.err << line << "\n";
        }
    }

    void endProgressLine() {
        if (progressShown_)
            *context_.err << "\n";
        progressShown_ = false;
    }

    int fail(const std::string& device) {
        endProgressLine();
        if (const auto& port = driver_.portFailure()) {
            // The headline for a port that would not open, then the device, the
            // system's reason and, for a busy port, who holds it.
            std::string message = port->kind == link::PortFailureKind::Lost
                                      ? ""
                                      : Message(context_, kMsgCannotOpenPort);
            for (const std::string& line : link::PortFailureLines(*port, context_.language))
                message += (message.empty() ? "" : "\n") + line;
            return Fail(context_, message);
        }
        std::string message = Message(context_, failureId_ ? failureId_ : kMsgTimeout);
        if (failureId_ == kMsgCannotOpenPort)
            message += " " + device + (failureDetail_.empty() ? "" : ": " + failureDetail_);
        else if (!failureDetail_.empty() && failureId_ != kMsgWrongModel)
            message += " " + failureDetail_;
        return Fail(context_, message);
    }

    Session& session_;
    const RadioRequest& request_;
    const CliContext& context_;
    link::TransferDriver driver_;
    int failureId_ = 0;
    std::string failureDetail_;
    int lastPercent_ = -1;
    bool progressShown_ = false;
    bool backupLost_ = false;
};

} // namespace

std::string Message(const CliContext& context, int id) {
    std::string text = Text(id, context.language);
    while (!text.empty() && (text.back() == '\t' || text.back() == ' '))
        text.pop_back();
    return text;
}

RadioRequest RequestOf(const CommandInput& input, link::TransferKind kind) {
    RadioRequest request{input.value("--port"), kind, input.has("--yes")};
    request.backup = !input.has("--no-backup");
    request.verify = input.has("--verify");
    request.writeGain = input.has("--write-gain");
    request.keepOld = input.has("--keep-old");
    return request;
}

Session FileSession(const CliContext& context, const CodeplugImage& image) {
    Session session;
    session.applicationDirectory = context.programDirectory;
    session.image = image;
    session.bands = DecodeBandLimits(session.image);
    return session;
}

int RunRadioTransfer(Session& session, const RadioRequest& request, const CliContext& context) {
    const std::string device =
        link::ResolvePortName(QString::fromStdString(request.port)).toStdString();
    if (device.empty())
        return Fail(context,
                    Message(context, kMsgCannotOpenPort) + " " + request.port + ": no such port");
    static int argc = 1;
    static char name[] = "r57";
    static char* argv[] = {name, nullptr};
    QCoreApplication application(argc, argv);
    session.language = context.language;
    TransferRun run(session, request, context);
    return run.run(device);
}

} // namespace r57::cli
