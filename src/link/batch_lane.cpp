#include "batch_lane.h"

#include "port_problem.h"
#include "port_slots.h"

#include <core/message_ids.h>
#include <core/strings.h>

#include <QDateTime>
#include <QFileInfo>

#include <limits>

namespace r57::link {

QString OldMemoryFolder(const QString& logPath) {
    const QFileInfo log(logPath);
    return log.path() + '/' + log.completeBaseName() + QStringLiteral("-old");
}

BatchLane::BatchLane(BatchShared& shared, QString device, QObject* parent)
    : QObject(parent), shared_(shared), device_(std::move(device)), driver_(session_),
      round_(driver_, session_), probe_(device_) {
    const BatchSettings& s = shared_.settings;
    session_.language = s.language;
    session_.modelCode = s.modelCode;
    session_.updateRadioTime = s.updateRadioTime;
    session_.portDevice = device_.toStdString();
    driver_.setPort(device_);
    // No one is at the lane to answer: the band-limit question as the batch was told,
    // every other question Cancel.
    round_.setAsker([this](Question q, const QString&) {
        return (q == Question::BandLimitsChanged || q == Question::ServiceBandLimitsChanged) &&
               shared_.settings.goOnIfBandsDiffer;
    });
    connect(&round_, &WriteRound::stageChanged, this, [this](RoundStage s) { showStage(s); });
    connect(&round_, &WriteRound::finished, this,
            [this](const WriteOutcome& outcome) { roundDone(outcome); });
    connect(&driver_, &TransferDriver::finished, this, [this](bool ok) {
        if (peeking_)
            peekDone(ok);
    });
    connect(&probe_, &RadioProbe::radioFound, this, [this] { startRound(std::nullopt); });
    connect(&probe_, &RadioProbe::answered, this, [this](qint64 silentMs) { peek(silentMs); });
    connect(&probe_, &RadioProbe::portGone, this, [this](const QString& reason) {
        portGone_ = true;
        state_ = State::Stopped;
        setText(own("Port gone: %1", "端口已不存在：%1").arg(reason));
    });
    connect(&probe_, &RadioProbe::portFailed, this,
            [this](const PortFailure& failure) { portFailed(failure); });
}

BatchLane::~BatchLane() = default;

QString BatchLane::own(const char* english, const char* chinese) const {
    return QString::fromUtf8(shared_.settings.language == kChinese ? chinese : english);
}

void BatchLane::setText(const QString& text) {
    text_ = text;
    emit changed();
}

void BatchLane::begin() {
    wait();
}

void BatchLane::next() {
    if (state_ != State::Done)
        return;
    probe_.stop();
    if (peeking_) {
        pending_ = std::optional<long>(); // a round at once: it looks at the radio itself
        return;
    }
    wait();
}

void BatchLane::programAgain() {
    if (state_ == State::Done && again_) {
        probe_.stop();
        startRound(again_);
    }
}

void BatchLane::wait(int firstAfterMs) {
    state_ = State::Waiting;
    text_ = own("waiting for a radio", "等待对讲机");
    probe_.start(firstAfterMs);
    emit changed();
}

// A port that cannot be opened never shows a radio: the lane says why and stops.
void BatchLane::portFailed(const PortFailure& failure) {
    state_ = State::Stopped;
    QStringList lines{
        QString::fromStdString(Text(kMsgCannotOpenPort, shared_.settings.language)).trimmed()};
    for (const std::string& line : PortFailureLines(failure, shared_.settings.language))
        lines << QString::fromStdString(line);
    setText(lines.join(QLatin1String(" ")));
}

void BatchLane::watch() {
    if (state_ == State::Done && shared_.settings.autoContinue && !shared_.cancelled)
        probe_.watch();
}

// A radio answered while the lane waits for the next: which one is it?
void BatchLane::peek(qint64 silentMs) {
    if (state_ != State::Done)
        return;
    if (shared_.identity.empty()) {
        // Nothing tells two radios apart: only a silence does.
        if (silentMs >= RadioProbe::kSilenceMs)
            startRound(std::nullopt);
        else
            watch();
        return;
    }
    peeking_ = true;
    peekSilence_ = silentMs;
    driver_.setRows(shared_.identity.rows());
    if (!driver_.start(TransferKind::ReadRows)) {
        peeking_ = false;
        watch();
    }
}

void BatchLane::peekDone(bool ok) {
    peeking_ = false;
    if (pending_) {
        // Next or Program again came while the lane looked at the cable.
        const std::optional<long> again = *pending_;
        pending_.reset();
        startRound(again);
        return;
    }
    if (state_ != State::Done)
        return;
    if (!ok) {
        watch();
        return;
    }
    probe_.seen();
    const std::vector<uint8_t> identity = shared_.identity.of(driver_.readBack());
    const bool changed = identity != lastIdentity_;
    const bool given = shared_.identity.holder(driver_.readBack()).has_value();
    if (changed || (peekSilence_ >= RadioProbe::kSilenceMs && !given)) {
        startRound(std::nullopt);
        return;
    }
    watch();
}

void BatchLane::startRound(std::optional<long> again) {
    if (shared_.cancelled || state_ == State::Stopped)
        return;
    probe_.stop();
    if (peeking_ || driver_.isRunning()) {
        pending_ = again; // once the look at the cable has ended
        return;
    }
    state_ = State::Working;
    number_.reset();
    roundAgain_ = again;
    noNumber_ = false;
    clock_.start();
    session_.modelCode = shared_.settings.modelCode;
    const BatchSettings& s = shared_.settings;
    WriteRoundOptions options;
    options.lookRows = shared_.identity.rows();
    options.readOldFirst = s.keepOld;
    options.requireOldBackup = true;
    options.verify = s.verify;
    options.keepWritten = false;
    options.keepReadBack = true;
    options.backupFolder = s.backupFolder;
    options.keepOld = [this](const CodeplugImage& old) {
        // Beside the log, never rotated away: these are the radios' own memories.
        return KeepBackup(old, BackupKind::Read, OldMemoryFolder(shared_.settings.logPath),
                          QDateTime::currentDateTime(), std::numeric_limits<int>::max(),
                          QStringLiteral("radio-%1").arg(number_.value_or(0)));
    };
    options.check = [this](const CodeplugImage& looked, CodeplugImage& toSend) {
        return check(looked, toSend);
    };
    round_.start(std::move(options));
}

std::optional<QString> BatchLane::check(const CodeplugImage& looked, CodeplugImage& toSend) {
    lastIdentity_ = shared_.identity.of(looked);
    const auto holder = shared_.identity.holder(looked);
    if (holder && holder != roundAgain_) {
        again_ = holder;
        return own("this radio already has number %1", "这台对讲机已有编号 %1").arg(*holder);
    }
    long number = 0;
    if (roundAgain_) {
        number = *roundAgain_;
    } else if (const auto taken = shared_.numbers.take()) {
        number = *taken;
    } else {
        noNumber_ = true;
        return own("every number is out on a lane", "所有编号都在写入中");
    }
    number_ = number;
    round_.setBackupLabel(QStringLiteral("radio-%1").arg(number));
    QString why;
    const auto image = shared_.settings.imageFor(number, why);
    if (!image)
        return why;
    toSend = *image;
    return std::nullopt;
}

void BatchLane::showStage(RoundStage stage) {
    if (stage == RoundStage::Look) {
        setText(own("looking at the radio", "正在识别对讲机"));
        return;
    }
    const char* english = stage == RoundStage::ReadOld ? "radio %1: reading its old memory"
                          : stage == RoundStage::Write ? "radio %1: writing"
                                                       : "radio %1: verifying";
    const char* chinese = stage == RoundStage::ReadOld ? "对讲机 %1：正在读取原有数据"
                          : stage == RoundStage::Write ? "对讲机 %1：正在写入"
                                                       : "对讲机 %1：正在校验";
    setText(own(english, chinese).arg(number_.value_or(0)));
}

void BatchLane::roundDone(const WriteOutcome& outcome) {
    if (state_ != State::Working)
        return;
    if (outcome.portGone)
        portGone_ = true;
    if (outcome.why == WriteWhy::Refused && !number_) {
        state_ = portGone_ || shared_.cancelled ? State::Stopped : State::Done;
        probe_.seen();
        if (noNumber_) {
            // Every number is out on a lane: one may come back, or the batch completes.
            if (shared_.numbers.complete())
                return finish();
            wait(RadioProbe::kPeriodMs);
            return;
        }
        // The radio on the cable holds a number this batch gave: it is not written again.
        afterRadio(outcome.reason);
        return;
    }
    if (!number_) {
        // The radio could not even be looked at; nothing was written, no number taken.
        state_ = portGone_ || shared_.cancelled ? State::Stopped : State::Done;
        again_.reset();
        const QString text =
            own("no radio could be looked at: %1", "无法识别对讲机：%1").arg(outcome.reason);
        if (state_ == State::Stopped)
            return setText(text);
        afterRadio(text);
        return;
    }
    report(outcome);
}

void BatchLane::report(const WriteOutcome& outcome) {
    const long number = *number_;
    RadioResult r;
    r.when = QDateTime::currentDateTime();
    r.port = device_;
    r.number = number;
    if (shared_.settings.valuesFor)
        r.values = shared_.settings.valuesFor(number);
    r.ok = outcome.delivered();
    r.written = outcome.written();
    r.verify = outcome.verified()                      ? QStringLiteral("OK")
               : outcome.why == WriteWhy::VerifyOff    ? QStringLiteral("off")
               : outcome.why == WriteWhy::WriteStopped ? QString()
               : outcome.written()                     ? QStringLiteral("failed")
                                                       : QString();
    r.seconds = clock_.isValid() ? static_cast<double>(clock_.elapsed()) / 1000.0 : 0.0;
    r.reason = outcome.reason;
    if (outcome.readBack)
        lastIdentity_ = shared_.identity.of(*outcome.readBack);
    else if (outcome.written())
        lastIdentity_ = shared_.identity.of(outcome.sent);
    const QString seconds = QString::number(r.seconds, 'f', 1);
    QString text;
    if (r.ok) {
        again_.reset();
        text = own("radio %1: OK (%2 s)", "对讲机 %1：成功（%2 秒）").arg(number).arg(seconds);
    } else if (r.written) {
        // It may hold its number already: the number stays with this radio.
        again_ = number;
        text = own("radio %1: written, not verified (%2 s): %3 — set this radio aside, or "
                   "program it again on this lane as number %1",
                   "对讲机 %1：已写入但未校验（%2 秒）：%3 — 请将这台对讲机放在一边，或在本通道"
                   "以编号 %1 重新写入")
                   .arg(number)
                   .arg(seconds)
                   .arg(r.reason);
    } else {
        again_.reset();
        text = own("radio %1: failed (%2 s): %3", "对讲机 %1：失败（%2 秒）：%3")
                   .arg(number)
                   .arg(seconds)
                   .arg(r.reason);
    }
    state_ = portGone_ || shared_.cancelled ? State::Stopped : State::Done;
    text_ = text;
    probe_.seen();
    emit radioDone(r); // the numbers are settled here, which may finish the batch
    if (state_ != State::Done)
        return emit changed();
    afterRadio(text);
}

void BatchLane::afterRadio(const QString& text) {
    if (state_ != State::Done)
        return setText(text);
    if (shared_.settings.autoContinue) {
        setText(text + own(" — waiting for the next radio", " — 等待下一台对讲机"));
        watch();
    } else {
        setText(text + own(" — put the next radio on and press Next",
                           " — 请换上下一台对讲机并按“下一台”"));
    }
}

void BatchLane::cancel() {
    probe_.stop();
    if (state_ == State::Working) {
        // The driver tells the radio "E" and the round reports the radio.
        round_.cancel();
        return;
    }
    pending_.reset();
    if (peeking_) {
        peeking_ = false;
        driver_.cancel();
    } else if (!portGone_) {
        // A radio left on the cable is told to leave clone mode all the same.
        QSerialPort port(device_);
        SetRadioLine(port, QSerialPort::Baud9600);
        if (port.open(QIODevice::ReadWrite)) {
            port.write("E", 1);
            port.waitForBytesWritten(100);
        }
    }
    if (state_ != State::Stopped) {
        state_ = State::Stopped;
        setText(text_.isEmpty() ? own("stopped", "已停止") : text_);
    }
}

void BatchLane::finish() {
    if (state_ == State::Working || state_ == State::Stopped)
        return;
    probe_.stop();
    if (peeking_) {
        peeking_ = false;
        driver_.cancel();
    }
    state_ = State::Stopped;
    emit changed();
}

} // namespace r57::link
