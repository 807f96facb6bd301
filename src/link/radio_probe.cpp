#include "radio_probe.h"

#include "clone_frames.h"
#include "port_slots.h"
#include "transfer_driver.h"

#include <QFileInfo>

#include <cerrno>
#include <cstring>

namespace r57::link {

RadioProbe::RadioProbe(QString device, QObject* parent)
    : QObject(parent), device_(std::move(device)) {
    periodTimer_.setSingleShot(true);
    answerTimer_.setSingleShot(true);
    connect(&periodTimer_, &QTimer::timeout, this, [this] { probe(); });
    connect(&answerTimer_, &QTimer::timeout, this, [this] { reply(false); });
    connect(&port_, &QSerialPort::readyRead, this, [this] {
        if (answerTimer_.isActive() && port_.bytesAvailable() >= wire::kHandshakeReply)
            reply(static_cast<uint8_t>(port_.read(1).at(0)) == wire::kAck);
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

void RadioProbe::start(int firstAfterMs) {
    lastAnswer_ = -1;
    begin(false, firstAfterMs);
}

void RadioProbe::watch(int firstAfterMs) {
    begin(true, firstAfterMs);
}

void RadioProbe::begin(bool watching, int firstAfterMs) {
    watching_ = watching;
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
        const PortFailure failure = OpenFailure(port_, device_);
        stop();
        if (failure.kind == PortFailureKind::NotFound)
            emit portGone(QString::fromStdString(failure.reason));
        else
            emit portFailed(failure);
        return;
    }
    port_.clear(QSerialPort::AllDirections);
    port_.write(wire::kHandshake, static_cast<qint64>(std::strlen(wire::kHandshake)));
    answerTimer_.start(kAnswerMs);
}

void RadioProbe::reply(bool yes) {
    answerTimer_.stop();
    // Whatever answered, the radio leaves clone mode again.
    port_.write("E", 1);
    port_.flush();
    port_.close();
    if (!yes) {
        ++silentProbes_;
        emit silent();
        return;
    }
    const qint64 now = clock_.elapsed();
    const qint64 silentMs = silentProbes_ > 0 && lastAnswer_ >= 0 ? now - lastAnswer_ : 0;
    lastAnswer_ = now;
    silentProbes_ = 0;
    stop();
    if (watching_)
        emit answered(silentMs);
    else
        emit radioFound();
}

} // namespace r57::link
