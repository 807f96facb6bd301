#include "batch_lane.h"

#include "port_problem.h"
#include "port_slots.h"
#include "verify.h"

#include <core/message_ids.h>
#include <core/strings.h>

#include <QDateTime>

namespace r57::link {

namespace {

QString Trimmed(const std::string& text) {
    return QString::fromStdString(text).trimmed();
}

} // namespace

BatchLane::BatchLane(BatchShared& shared, QString device, QObject* parent)
    : QObject(parent), shared_(shared), device_(std::move(device)), driver_(session_),
      oldDriver_(oldSession_), probe_(device_) {
    const BatchSettings& s = shared_.settings;
    for (Session* session : {&session_, &oldSession_}) {
        session->language = s.language;
        session->modelCode = s.modelCode;
        session->updateRadioTime = s.updateRadioTime;
        session->portDevice = device_.toStdString();
    }
    for (TransferDriver* driver : {&driver_, &oldDriver_}) {
        driver->setPort(device_);
        driver->setAsker([this](Question q, const QString& text) {
            switch (q) {
            case Question::BandLimitsChanged:
            case Question::ServiceBandLimitsChanged:
                if (shared_.settings.goOnIfBandsDiffer)
                    return true;
                reason_ = own("the radio's band limits differ from the codeplug's",
                              "对讲机的频段范围与数据不同");
                return false;
            case Question::RetryOrCancel:
                reason_ = Trimmed(Text(kMsgTimeout, shared_.settings.language));
                return false;
            case Question::PortLost:
                portGone_ = true;
                reason_ = QString(text).replace('\n', QLatin1String("; "));
                return false;
            }
            return false;
        });
        driver->setNotifier([this](int id, const QString& text) {
            reason_ =
                id == 0 ? Trimmed(Text(kMsgCannotOpenPort, shared_.settings.language)) + ' ' + text
                        : Trimmed(Text(id, shared_.settings.language));
        });
        connect(driver, &TransferDriver::finished, this, [this](bool ok) { transferDone(ok); });
    }
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
    reason_.clear();
    verify_.clear();
    QString why;
    const auto image = shared_.settings.imageFor(number_, why);
    if (!image) {
        fail(why);
        return;
    }
    session_.image = *image;
    session_.modelCode = shared_.settings.modelCode;
    state_ = State::Working;
    startTransfer(shared_.settings.keepOld ? Step::ReadOld : Step::Write);
}

void BatchLane::startTransfer(Step step) {
    step_ = step;
    const char* english = step == Step::ReadOld ? "radio %1: reading its old memory"
                          : step == Step::Write ? "radio %1: writing"
                                                : "radio %1: verifying";
    const char* chinese = step == Step::ReadOld ? "对讲机 %1：正在读取原有数据"
                          : step == Step::Write ? "对讲机 %1：正在写入"
                                                : "对讲机 %1：正在校验";
    setText(own(english, chinese).arg(number_));
    TransferDriver& driver = step == Step::ReadOld ? oldDriver_ : driver_;
    const TransferKind kind = step == Step::ReadOld ? TransferKind::Read
                              : step == Step::Write ? TransferKind::Write
                                                    : TransferKind::Verify;
    if (!driver.start(kind)) {
        if (driver.portFailure() && driver.portFailure()->kind == PortFailureKind::NotFound)
            portGone_ = true;
        fail(failureReason());
    }
}

QString BatchLane::failureReason() const {
    if (!reason_.isEmpty())
        return reason_;
    const TransferDriver& driver = step_ == Step::ReadOld ? oldDriver_ : driver_;
    if (const auto& failure = driver.portFailure()) {
        QStringList lines;
        for (const std::string& line : PortFailureLines(*failure, shared_.settings.language))
            lines << QString::fromStdString(line);
        return lines.join(QLatin1String("; "));
    }
    return shared_.cancelled ? own("cancelled", "已取消")
                             : Trimmed(Text(kMsgTimeout, shared_.settings.language));
}

void BatchLane::transferDone(bool ok) {
    if (state_ != State::Working)
        return;
    if (!ok || shared_.cancelled) {
        if (shared_.cancelled)
            reason_ = own("cancelled", "已取消");
        if (step_ == Step::Verify)
            verify_ = QStringLiteral("failed");
        fail(step_ == Step::Verify
                 ? own("verify: the radio could not be read back: %1", "校验：无法读回对讲机：%1")
                       .arg(failureReason())
                 : failureReason());
        return;
    }
    switch (step_) {
    case Step::ReadOld: {
        const BackupResult kept = KeepBackup(
            oldSession_.image, BackupKind::Read, shared_.settings.backupFolder,
            QDateTime::currentDateTime(), kBackupsKept, QStringLiteral("radio-%1").arg(number_));
        if (!kept.ok) {
            // Writing now would lose the memory the user asked to keep.
            fail(own("the old memory could not be kept: %1", "无法保存原有数据：%1")
                     .arg(kept.error));
            return;
        }
        startTransfer(Step::Write);
        return;
    }
    case Step::Write:
        if (shared_.settings.verify) {
            startTransfer(Step::Verify);
            return;
        }
        verify_ = QStringLiteral("off");
        succeed();
        return;
    case Step::Verify: {
        const VerifyResult result = CompareWritten(session_.image, driver_.readBack());
        if (!result.ok()) {
            verify_ = QStringLiteral("failed");
            fail(own("verify: %1 of the %2 bytes written read back differently, the first at "
                     "address %3",
                     "校验：写入的 %2 个字节中有 %1 个读回后不同，第一个位于地址 %3")
                     .arg(result.differing)
                     .arg(result.compared)
                     .arg(QString::asprintf("0x%04X", result.firstAddress)));
            return;
        }
        verify_ = QStringLiteral("OK");
        succeed();
        return;
    }
    case Step::None:
        break;
    }
}

void BatchLane::fail(const QString& reason) {
    report(false, reason);
}

void BatchLane::succeed() {
    report(true, QString());
}

void BatchLane::report(bool ok, const QString& reason) {
    step_ = Step::None;
    RadioResult r;
    r.when = QDateTime::currentDateTime();
    r.port = device_;
    r.number = number_;
    if (shared_.settings.valuesFor)
        r.values = shared_.settings.valuesFor(number_);
    r.ok = ok;
    r.verify = verify_;
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
        // The driver tells the radio "E" and reports the radio as failed.
        (step_ == Step::ReadOld ? oldDriver_ : driver_).cancel();
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
