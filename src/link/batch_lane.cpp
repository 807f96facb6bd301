#include "batch_lane.h"

#include "port_problem.h"
#include "port_slots.h"
#include "verify.h"

#include <core/message_ids.h>
#include <core/strings.h>

#include <QDateTime>

namespace r57::link {

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
    connect(&probe_, &RadioProbe::radioFound, this, [this] { radioFound(); });
    connect(&probe_, &RadioProbe::portGone, this, [this](const QString& reason) {
        portGone_ = true;
        state_ = State::Stopped;
        setText(own("Port gone: %1", "端口已不存在：%1").arg(reason));
    });
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
    wait(false);
}

void BatchLane::next() {
    if (state_ == State::Done)
        wait(false);
}

void BatchLane::wait(bool afterSilence, int firstAfterMs) {
    state_ = State::Waiting;
    const QString waiting = afterSilence ? own("waiting for the next radio (take this one off)",
                                               "等待下一台对讲机（请取下这一台）")
                                         : own("waiting for a radio", "等待对讲机");
    text_ = text_.isEmpty() || !afterSilence ? waiting : text_ + " — " + waiting;
    probe_.start(afterSilence, firstAfterMs);
    emit changed();
}

void BatchLane::radioFound() {
    if (shared_.cancelled)
        return;
    const auto number = shared_.numbers.take();
    if (!number) {
        if (shared_.numbers.complete())
            finish();
        else
            wait(false, RadioProbe::kPeriodMs); // every number is out on a lane: one may come back
        return;
    }
    number_ = *number;
    clock_.start();
    QString why;
    const auto image = shared_.settings.imageFor(number_, why);
    if (!image) {
        fail(why);
        return;
    }
    session_.image = *image;
    session_.modelCode = shared_.settings.modelCode;
    state_ = State::Working;
    const BatchSettings& s = shared_.settings;
    WriteRoundOptions options;
    options.readOldFirst = s.keepOld;
    options.requireOldBackup = true;
    options.verify = s.verify;
    options.keepWritten = false;
    options.keepReadBack = false;
    options.backupFolder = s.backupFolder;
    options.backupLabel = QStringLiteral("radio-%1").arg(number_);
    round_.start(std::move(options));
}

void BatchLane::showStage(RoundStage stage) {
    const char* english = stage == RoundStage::Look      ? "radio %1: looking at it"
                          : stage == RoundStage::ReadOld ? "radio %1: reading its old memory"
                          : stage == RoundStage::Write   ? "radio %1: writing"
                                                         : "radio %1: verifying";
    const char* chinese = stage == RoundStage::Look      ? "对讲机 %1：正在识别"
                          : stage == RoundStage::ReadOld ? "对讲机 %1：正在读取原有数据"
                          : stage == RoundStage::Write   ? "对讲机 %1：正在写入"
                                                         : "对讲机 %1：正在校验";
    setText(own(english, chinese).arg(number_));
}

void BatchLane::roundDone(const WriteOutcome& outcome) {
    if (state_ != State::Working)
        return;
    if (outcome.portGone)
        portGone_ = true;
    switch (outcome.why) {
    case WriteWhy::None:
        return report(true, QStringLiteral("OK"), QString());
    case WriteWhy::VerifyOff:
        return report(true, QStringLiteral("off"), QString());
    case WriteWhy::VerifyMismatch:
    case WriteWhy::ReadBackFailed:
    case WriteWhy::ReadBackCancelled:
        return report(false, QStringLiteral("failed"), outcome.reason);
    default:
        return report(false, QString(), outcome.reason);
    }
}

void BatchLane::fail(const QString& reason) {
    report(false, QString(), reason);
}

void BatchLane::report(bool ok, const QString& verify, const QString& reason) {
    RadioResult r;
    r.when = QDateTime::currentDateTime();
    r.port = device_;
    r.number = number_;
    if (shared_.settings.valuesFor)
        r.values = shared_.settings.valuesFor(number_);
    r.ok = ok;
    r.verify = verify;
    r.seconds = clock_.isValid() ? static_cast<double>(clock_.elapsed()) / 1000.0 : 0.0;
    r.reason = reason;
    const QString seconds = QString::number(r.seconds, 'f', 1);
    text_ = ok ? own("radio %1: OK (%2 s)", "对讲机 %1：成功（%2 秒）").arg(number_).arg(seconds)
               : own("radio %1: failed (%2 s): %3", "对讲机 %1：失败（%2 秒）：%3")
                     .arg(number_)
                     .arg(seconds)
                     .arg(reason);
    state_ = portGone_ || shared_.cancelled ? State::Stopped : State::Done;
    emit radioDone(r); // the numbers are settled here, which may finish the batch
    if (state_ != State::Done)
        return emit changed();
    if (shared_.settings.autoContinue)
        wait(true);
    else
        setText(text_ + own(" — put the next radio on and press Next",
                            " — 请换上下一台对讲机并按“下一台”"));
}

void BatchLane::cancel() {
    probe_.stop();
    if (state_ == State::Working) {
        // The driver tells the radio "E" and the round reports the radio.
        round_.cancel();
        return;
    }
    if (!portGone_) {
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
    state_ = State::Stopped;
    emit changed();
}

} // namespace r57::link
