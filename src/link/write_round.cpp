#include "link/write_round.h"

#include <core/message_ids.h>
#include <core/session.h>
#include <core/strings.h>

#include <QDateTime>
#include <QStringList>
#include <QTimer>

namespace r57::link {

namespace {

QString Trimmed(const std::string& text) {
    return QString::fromStdString(text).trimmed();
}

} // namespace

QString JoinedPortLines(const PortFailure& failure, int language) {
    QStringList lines;
    for (const std::string& line : PortFailureLines(failure, language))
        lines << QString::fromStdString(line);
    return lines.join(QLatin1String("; "));
}

WriteRound::WriteRound(TransferDriver& driver, Session& session, QObject* parent)
    : QObject(parent), driver_(driver), session_(session) {
    driver_.setAsker([this](Question q, const QString& text) {
        const bool yes = asker_ ? asker_(q, text) : false;
        if (!yes) {
            const int language = session_.language;
            switch (q) {
            case Question::BandLimitsChanged:
            case Question::ServiceBandLimitsChanged:
                refusal_ = own("the radio's band limits differ from the codeplug's",
                               "对讲机的频段范围与数据不同");
                break;
            case Question::RetryOrCancel:
                refusal_ = Trimmed(Text(kMsgTimeout, language));
                break;
            case Question::PortLost:
                outcome_.portGone = true;
                refusal_ = QString(text).replace('\n', QLatin1String("; "));
                break;
            }
        }
        return yes;
    });
    driver_.setNotifier([this](int id, const QString& text) {
        const int language = session_.language;
        refusal_ = id == 0 ? Trimmed(Text(kMsgCannotOpenPort, language)) + ' ' + text
                           : Trimmed(Text(id, language));
        if (notifier_)
            notifier_(id, text);
    });
    connect(&driver_, &TransferDriver::finished, this, [this](bool ok) {
        if (stage_ != RoundStage::Idle)
            transferEnded(ok);
    });
    connect(&driver_, &TransferDriver::progressChanged, this,
            [this](int value, int, const QString&) {
                if (stage_ == RoundStage::Write && value > 0)
                    blocksIn_ = true;
            });
}

WriteRound::~WriteRound() = default;

void WriteRound::setAsker(std::function<bool(Question, const QString&)> asker) {
    asker_ = std::move(asker);
}

void WriteRound::setNotifier(std::function<void(int, const QString&)> notifier) {
    notifier_ = std::move(notifier);
}

QString WriteRound::own(const char* english, const char* chinese) const {
    return QString::fromUtf8(session_.language == kChinese ? chinese : english);
}

bool WriteRound::start(WriteRoundOptions options) {
    if (isRunning() || driver_.isRunning())
        return false;
    options_ = std::move(options);
    outcome_ = WriteOutcome();
    outcome_.sent = session_.image;
    outcome_.looked.fill(0xFF);
    cancelled_ = blocksIn_ = false;
    if (options_.readOldFirst)
        begin(RoundStage::ReadOld);
    else if (!options_.lookRows.empty())
        begin(RoundStage::Look);
    else
        begin(RoundStage::Write);
    return true;
}

void WriteRound::begin(RoundStage stage) {
    stage_ = stage;
    refusal_.clear();
    emit stageChanged(stage);
    if (cancelled_) {
        // Cancelled between two transfers: nothing more goes to the radio.
        transferEnded(false);
        return;
    }
    TransferKind kind = TransferKind::Write;
    switch (stage) {
    case RoundStage::Look:
        driver_.setRows(options_.lookRows);
        kind = TransferKind::ReadRows;
        break;
    case RoundStage::ReadOld:
    case RoundStage::Verify:
        kind = TransferKind::Verify; // into the driver's readBack: the image stays
        break;
    case RoundStage::Write:
    case RoundStage::Idle:
        break;
    }
    if (stage == RoundStage::Write)
        outcome_.sent = session_.image;
    if (!driver_.start(kind)) {
        // The port would not open: finished() still comes, from the event loop.
        QTimer::singleShot(0, this, [this] { transferEnded(false); });
    }
}

void WriteRound::cancel() {
    if (!isRunning())
        return;
    cancelled_ = true;
    if (driver_.isRunning())
        driver_.cancel();
}

QString WriteRound::failureText() const {
    if (cancelled_)
        return own("cancelled", "已取消");
    if (!refusal_.isEmpty())
        return refusal_;
    if (const auto& failure = driver_.portFailure())
        return JoinedPortLines(*failure, session_.language);
    return Trimmed(Text(kMsgTimeout, session_.language));
}

void WriteRound::transferEnded(bool ok) {
    if (const auto& failure = driver_.portFailure()) {
        outcome_.portFailure = failure;
        if (failure->kind == PortFailureKind::NotFound)
            outcome_.portGone = true;
    }
    if (cancelled_)
        ok = false;
    switch (stage_) {
    case RoundStage::Look:
        if (!ok)
            return end(
                WriteResult::NotWritten, cancelled_ ? WriteWhy::Cancelled : WriteWhy::LookFailed,
                cancelled_ ? failureText()
                           : own("the radio could not be looked at: %1", "无法读取对讲机：%1")
                                 .arg(failureText()));
        afterLook(driver_.readBack());
        return;
    case RoundStage::ReadOld:
        if (!ok) {
            if (cancelled_)
                return end(WriteResult::NotWritten, WriteWhy::Cancelled, failureText());
            if (options_.requireOldBackup)
                return end(WriteResult::NotWritten, WriteWhy::LookFailed,
                           own("the old memory could not be read: %1", "无法读取原有数据：%1")
                               .arg(failureText()));
            // Not required: the write goes on without it.
            afterLook(outcome_.looked);
            return;
        }
        outcome_.oldMemory = driver_.readBack();
        afterLook(*outcome_.oldMemory);
        return;
    case RoundStage::Write:
        if (!ok) {
            // Blocks in the radio: part old, part new. Nothing in: as it was.
            if (blocksIn_)
                return end(WriteResult::WrittenNotVerified, WriteWhy::WriteStopped,
                           own("the write stopped part-way (%1): the radio holds part of the "
                               "new memory",
                               "写入中途停止（%1）：对讲机只存有部分新数据")
                               .arg(failureText()));
            return end(WriteResult::NotWritten, cancelled_ ? WriteWhy::Cancelled : WriteWhy::Failed,
                       failureText());
        }
        afterWrite();
        return;
    case RoundStage::Verify:
        if (!ok) {
            if (cancelled_)
                return end(
                    WriteResult::WrittenNotVerified, WriteWhy::ReadBackCancelled,
                    own("not verified: the read-back was cancelled", "未经校验：读回已取消"));
            return end(WriteResult::WrittenNotVerified, WriteWhy::ReadBackFailed,
                       own("not verified: the radio could not be read back: %1",
                           "未经校验：无法读回对讲机：%1")
                           .arg(failureText()));
        }
        afterVerify();
        return;
    case RoundStage::Idle:
        return;
    }
}

void WriteRound::afterLook(const CodeplugImage& looked) {
    outcome_.looked = looked;
    if (options_.check) {
        if (auto refused = options_.check(looked, session_.image))
            return end(WriteResult::NotWritten, WriteWhy::Refused, *refused);
    }
    if (outcome_.oldMemory)
        keepOld();
    if (stage_ == RoundStage::Idle)
        return; // the old memory could not be kept
    begin(RoundStage::Write);
}

void WriteRound::keepOld() {
    const BackupResult kept =
        options_.keepOld
            ? options_.keepOld(*outcome_.oldMemory)
            : KeepBackup(*outcome_.oldMemory, BackupKind::Read, options_.backupFolder,
                         QDateTime::currentDateTime(), kBackupsKept, options_.backupLabel);
    outcome_.backups.push_back(kept);
    if (!kept.ok && options_.requireOldBackup) {
        // Writing now would lose the memory the user asked to keep.
        end(WriteResult::NotWritten, WriteWhy::OldNotKept,
            own("the old memory could not be kept: %1", "无法保存原有数据：%1").arg(kept.error));
    }
}

void WriteRound::afterWrite() {
    if (options_.keepWritten)
        keep(outcome_.sent, BackupKind::Written);
    if (!options_.verify)
        return end(WriteResult::WrittenNotVerified, WriteWhy::VerifyOff);
    begin(RoundStage::Verify);
}

void WriteRound::afterVerify() {
    outcome_.readBack = driver_.readBack();
    outcome_.verify = CompareWritten(outcome_.sent, *outcome_.readBack);
    if (outcome_.verify.ok())
        return end(WriteResult::WrittenVerified, WriteWhy::None);
    // What the radio holds now shows what went wrong.
    if (options_.keepReadBack)
        keep(*outcome_.readBack, BackupKind::VerifyRead);
    end(WriteResult::WrittenNotVerified, WriteWhy::VerifyMismatch,
        own("verify: %1 of the %2 bytes written read back differently, the first at address %3",
            "校验：写入的 %2 个字节中有 %1 个读回后不同，第一个位于地址 %3")
            .arg(outcome_.verify.differing)
            .arg(outcome_.verify.compared)
            .arg(QString::asprintf("0x%04X", outcome_.verify.firstAddress)));
}

void WriteRound::keep(const CodeplugImage& image, BackupKind kind) {
    outcome_.backups.push_back(KeepBackup(image, kind, options_.backupFolder,
                                          QDateTime::currentDateTime(), kBackupsKept,
                                          options_.backupLabel));
}

void WriteRound::end(WriteResult result, WriteWhy why, const QString& reason) {
    outcome_.result = result;
    outcome_.why = why;
    outcome_.reason = reason;
    stage_ = RoundStage::Idle;
    emit finished(outcome_);
}

} // namespace r57::link
