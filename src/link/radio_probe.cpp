#include "radio_probe.h"

#include "clone_frames.h"
#include "port_slots.h"

#include <QFileInfo>

#include <cerrno>
#include <cstring>

namespace r57::link {

RadioProbe::RadioProbe(QString device, QObject* parent)
    : QObject(parent), device_(std::move(device)) {
    periodTimer_.setSingleShot(true);
    answerTimer_.setSingleShot(true);
    connect(&periodTimer_, &QTimer::timeout, this, [this] { probe(); });
    connect(&answerTimer_, &QTimer::timeout, this, [this] { answered(false); });
    connect(&port_, &QSerialPort::readyRead, this, [this] {
        if (answerTimer_.isActive() && port_.bytesAvailable() >= wire::kHandshakeReply)
            answered(static_cast<uint8_t>(port_.read(1).at(0)) == wire::kAck);
    });
    connect(&port_, &QSerialPort::errorOccurred, this, [this](QSerialPort::SerialPortError e) {
        if (e == QSerialPort::NoError || e == QSerialPort::TimeoutError || !port_.isOpen())
            return;
        answerTimer_.stop();
        port_.close();
        if (probing_ && !deviceExists()) {
            stop();
            emit portGone(QString::fromLocal8Bit(std::strerror(ENODEV)));
        }
    });
    clock_.start();
}

RadioProbe::~RadioProbe() {
    stop();
}

bool RadioProbe::deviceExists() const {
    return QFileInfo::exists(device_);
}

void RadioProbe::start(bool afterSilence, int firstAfterMs) {
    afterSilence_ = afterSilence;
    silentFrom_ = -1;
    silentProbes_ = 0;
    probing_ = true;
    periodTimer_.start(firstAfterMs);
}

void RadioProbe::stop() {
    probing_ = false;
    periodTimer_.stop();
    if (answerTimer_.isActive()) {
        answerTimer_.stop();
        port_.write("E", 1);
        port_.flush();
    }
    if (port_.isOpen())
        port_.close();
}

void RadioProbe::probe() {
    if (!probing_)
        return;
    periodTimer_.start(kPeriodMs);
    if (!deviceExists()) {
        stop();
        emit portGone(QString::fromLocal8Bit(std::strerror(ENODEV)));
        return;
    }
    port_.setPortName(device_);
    SetRadioLine(port_, QSerialPort::Baud9600);
    if (!port_.open(QIODevice::ReadWrite)) {
        emit silent(port_.errorString());
        return;
    }
    port_.clear(QSerialPort::AllDirections);
    sentAt_ = clock_.elapsed();
    port_.write(wire::kHandshake, static_cast<qint64>(std::strlen(wire::kHandshake)));
    answerTimer_.start(kAnswerMs);
}

void RadioProbe::answered(bool yes) {
    answerTimer_.stop();
    // Whatever answered, the radio leaves clone mode again.
    port_.write("E", 1);
    port_.flush();
    port_.close();
    if (!yes) {
        if (silentFrom_ < 0)
            silentFrom_ = sentAt_;
        ++silentProbes_;
        emit silent(QString());
        return;
    }
    const bool longSilence = silentFrom_ >= 0 && sentAt_ - silentFrom_ >= kSilenceMs;
    silentFrom_ = -1;
    silentProbes_ = 0;
    if (afterSilence_ && !longSilence)
        return; // still the radio that was just programmed
    stop();
    emit radioFound();
}

} // namespace r57::link
