// Carries out the clone engine's actions on a QSerialPort with three single-shot timers
// (send, reply timeout, the short settle wait before a reply is taken) and a fourth for
// the pause after the final "E". Nothing here blocks the event loop, and nothing spins:
// a port that fails is closed at once, and the question what to do waits on a closed
// port.
#include "link/transfer_driver.h"

#include "link/clone_engine.h"
#include "link/port_slots.h"

#include <core/session.h>
#include <core/strings.h>

#include <QByteArray>
#include <QSerialPort>
#include <QStringList>
#include <QTimer>

#include <algorithm>
#include <cerrno>
#include <cstring>

#include <sys/stat.h>

#ifdef Q_OS_UNIX
#include <sys/ioctl.h>
#endif

namespace r57::link {

namespace {

// After the final "E" the radio gets this long before the port closes.
constexpr int kCloseDelayMs = 200;

Question ToQuestion(CloneQuestion q) {
    switch (q) {
    case CloneQuestion::BandLimitsChanged:
        return Question::BandLimitsChanged;
    case CloneQuestion::ServiceBandLimitsChanged:
        return Question::ServiceBandLimitsChanged;
    case CloneQuestion::RetryOrCancel:
        break;
    }
    return Question::RetryOrCancel;
}

// Bytes waiting: those Qt has read, and those the system still holds for it.
int Waiting(QSerialPort& port) {
    int pending = 0;
#ifdef Q_OS_UNIX
    if (!port.isOpen() || ::ioctl(port.handle(), FIONREAD, &pending) != 0)
        pending = 0;
#endif
    return static_cast<int>(port.bytesAvailable()) + pending;
}

// Qt's words for a lock file held by someone else; the lock names no system error.
bool LockRefused(const QSerialPort& port) {
    return port.error() == QSerialPort::PermissionError &&
           port.errorString().contains(QStringLiteral("locking"), Qt::CaseInsensitive);
}

} // namespace

PortFailure OpenFailure(const QSerialPort& port, const QString& device) {
    PortFailure f;
    f.device = device.toStdString();
    f.reason = port.errorString().toStdString();
    switch (port.error()) {
    case QSerialPort::DeviceNotFoundError:
        f.kind = PortFailureKind::NotFound;
        break;
    case QSerialPort::PermissionError:
        f.kind = PortFailureKind::NoPermission;
        if (LockRefused(port) || f.reason == std::strerror(EBUSY)) {
            f.kind = PortFailureKind::Busy;
            const PortHolder holder = FindPortHolder(f.device);
            f.holder = holder.name;
            f.holderPid = holder.pid;
        }
        break;
    default:
        f.kind = PortFailureKind::Other;
        break;
    }
    return f;
}

namespace {

// What the system says of a device that failed mid-transfer. A line that was hung up
// (the adapter unplugged, the other end gone) answers every control call with "not a
// terminal", which is no reason a user can act on: what is meant is that the device
// is gone, or that it no longer takes input and output.
std::string LostReason(const QString& device, const QString& reported) {
    struct stat st {};
    if (::stat(device.toLocal8Bit().constData(), &st) != 0)
        return std::strerror(ENODEV);
    if (reported == QString::fromLocal8Bit(std::strerror(ENOTTY)))
        return std::strerror(EIO);
    return reported.toStdString();
}

void MakeSingleShot(QTimer& timer) {
    timer.setSingleShot(true);
    timer.setTimerType(Qt::PreciseTimer);
}

} // namespace

CloneKind CloneKindOf(TransferKind kind) {
    switch (kind) {
    case TransferKind::Read:
        return CloneKind::Read;
    case TransferKind::Write:
        return CloneKind::Write;
    case TransferKind::ReadRanges:
        return CloneKind::ReadRanges;
    case TransferKind::WriteRanges:
        return CloneKind::WriteRanges;
    case TransferKind::ReadTuning:
        return CloneKind::ReadTuning;
    case TransferKind::WriteTuning:
        return CloneKind::WriteTuning;
    case TransferKind::Verify:
        return CloneKind::Read; // the read as it always is, only elsewhere
    case TransferKind::ReadRows:
        return CloneKind::ReadRows;
    }
    return CloneKind::Read;
}

struct TransferDriver::Impl {
    Impl(TransferDriver* owner, Session& s) : q(owner), session(s) {}

    TransferDriver* q;
    Session& session;
    std::function<bool(Question, const QString&)> asker;
    std::function<void(int, const QString&)> notifier;
    QString device;

    QSerialPort port;
    QTimer sendTimer;
    QTimer timeoutTimer;
    QTimer settleTimer;
    QTimer closeTimer;
    std::unique_ptr<CloneEngine> engine;
    int takeCount = 0;
    bool running = false;
    bool success = false;
    QString log;
    QString openDevice; // the device of the running transfer
    std::optional<PortFailure> failure;
    int endStep = kStepHandshake;
    bool verifying = false; // the radio's bytes go into readBack
    std::vector<int> rows;  // for ReadRows
    CodeplugImage readBack;

    QString chosenDevice() const;
    bool openPort(const QString& device);
    void portError(QSerialPort::SerialPortError error);
    void askAfterLoss();
    void run(const CloneActions& actions);
    void store(int address, const std::vector<uint8_t>& bytes);
    void end(bool succeeded);
    void closed();
};

QString TransferDriver::Impl::chosenDevice() const {
    if (!device.isEmpty())
        return device;
    if (!session.portDevice.empty())
        return QString::fromStdString(session.portDevice);
    return DeviceForSlot(session.portNumber);
}

void TransferDriver::Impl::store(int address, const std::vector<uint8_t>& bytes) {
    if (address < 0 || address + static_cast<int>(bytes.size()) > CodeplugImage::kSize)
        return;
    CodeplugImage& target = verifying ? readBack : session.image;
    std::copy(bytes.begin(), bytes.end(), target.data() + address);
}

void TransferDriver::Impl::run(const CloneActions& actions) {
    for (const CloneAction& a : actions) {
        switch (a.type) {
        case CloneAction::FlushInput:
            port.clear(QSerialPort::Input);
            break;
        case CloneAction::FlushOutput:
            port.clear(QSerialPort::Output);
            break;
        case CloneAction::Expect:
            break; // the engine compares the waiting count itself
        case CloneAction::Write:
            port.write(reinterpret_cast<const char*>(a.bytes.data()),
                       static_cast<qint64>(a.bytes.size()));
            break;
        case CloneAction::ArmSend:
            sendTimer.start(a.value);
            break;
        case CloneAction::ArmTimeout:
            timeoutTimer.start(a.value);
            break;
        case CloneAction::StopTimeout:
            timeoutTimer.stop();
            break;
        case CloneAction::TakeReply:
            takeCount = a.maximum;
            settleTimer.start(a.value);
            break;
        case CloneAction::Store:
            store(a.value, a.bytes);
            break;
        case CloneAction::Progress:
            emit q->progressChanged(a.value, a.maximum, QString::fromStdString(a.text));
            break;
        case CloneAction::Status:
            emit q->statusChanged(QString::fromStdString(a.text));
            break;
        case CloneAction::ShowLog:
            log = QString::fromStdString(engine->log());
            emit q->logChanged(log);
            break;
        case CloneAction::Ask: {
            // The window answers with a modal box; the engine ignores port events
            // until the answer is in, and no timer is armed meanwhile.
            const bool yes =
                asker ? asker(ToQuestion(a.question), QString::fromStdString(a.text)) : false;
            run(engine->onAnswer(yes));
            break;
        }
        case CloneAction::Notify:
            if (notifier)
                notifier(a.value, QString::fromStdString(a.text));
            break;
        case CloneAction::SetModelCode:
            if (!verifying)
                session.modelCode = static_cast<char>(a.value);
            break;
        case CloneAction::Done:
            end(a.value != 0);
            break;
        }
    }
}

bool TransferDriver::Impl::openPort(const QString& name) {
    if (port.isOpen())
        port.close();
    port.setPortName(name);
    SetRadioLine(port, QSerialPort::Baud9600);
    // The receive side holds at most 1024 bytes (the longest reply is 68). QSerialPort
    // has no transmit buffer size: its output queue grows with what is written, and
    // the longest frame is 68 bytes.
    port.setReadBufferSize(1024);
    if (!port.open(QIODevice::ReadWrite)) {
        failure = OpenFailure(port, name);
        return false;
    }
    port.clear(QSerialPort::AllDirections);
    failure.reset();
    return true;
}

// The device went away or stopped working (cable pulled, adapter gone). Left open, the
// port would report the same error again and again; it is closed before anyone is asked.
void TransferDriver::Impl::portError(QSerialPort::SerialPortError error) {
    if (!running || !port.isOpen() || error == QSerialPort::NoError ||
        error == QSerialPort::TimeoutError || error == QSerialPort::NotOpenError)
        return;
    PortFailure lost;
    lost.kind = PortFailureKind::Lost;
    lost.device = openDevice.toStdString();
    lost.reason = LostReason(openDevice, port.errorString());
    failure = lost;
    sendTimer.stop();
    timeoutTimer.stop();
    settleTimer.stop();
    port.close();
    if (closeTimer.isActive())
        return; // already ending; the port closes without the rest of the pause
    // Asked once the port's own signal has returned.
    QTimer::singleShot(0, q, [this] { askAfterLoss(); });
}

void TransferDriver::Impl::askAfterLoss() {
    if (!running || !engine)
        return;
    const int language = session.language;
    QStringList lines;
    for (const std::string& line : PortFailureLines(*failure, language))
        lines << QString::fromStdString(line);
    const bool retry = asker && asker(Question::PortLost, lines.join('\n'));
    if (!retry) {
        run(engine->cancel());
        return;
    }
    if (!openPort(openDevice)) {
        failure->kind = PortFailureKind::Lost; // still the same trouble, now this reason
        QTimer::singleShot(0, q, [this] { askAfterLoss(); });
        return;
    }
    run(engine->restart());
}

// Whatever the outcome, the radio is told "E" so it leaves clone mode, and gets a
// moment to take it before the port closes.
void TransferDriver::Impl::end(bool succeeded) {
    success = succeeded;
    endStep = engine ? engine->step() : kStepHandshake;
    sendTimer.stop();
    timeoutTimer.stop();
    settleTimer.stop();
    if (!port.isOpen())
        port.open(QIODevice::ReadWrite);
    if (port.isOpen())
        port.write("E", 1);
    closeTimer.start(kCloseDelayMs);
}

void TransferDriver::Impl::closed() {
    closeTimer.stop();
    if (port.isOpen()) {
        port.flush();
        port.close();
    }
    running = false;
    emit q->finished(success);
}

TransferDriver::TransferDriver(Session& session, QObject* parent)
    : QObject(parent), d(std::make_unique<Impl>(this, session)) {
    for (QTimer* t : {&d->sendTimer, &d->timeoutTimer, &d->settleTimer, &d->closeTimer})
        MakeSingleShot(*t);

    connect(&d->sendTimer, &QTimer::timeout, this, [this] {
        if (d->engine)
            d->run(d->engine->onSendTimer(Waiting(d->port)));
    });
    connect(&d->timeoutTimer, &QTimer::timeout, this, [this] {
        if (d->engine)
            d->run(d->engine->onTimeout({static_cast<int>(d->port.bytesAvailable()),
                                         static_cast<int>(d->port.bytesToWrite())}));
    });
    connect(&d->settleTimer, &QTimer::timeout, this, [this] {
        if (!d->engine)
            return;
        const QByteArray data = d->port.read(d->takeCount);
        d->run(
            d->engine->onReply(std::vector<uint8_t>(data.begin(), data.end()), Waiting(d->port)));
    });
    connect(&d->closeTimer, &QTimer::timeout, this, [this] { d->closed(); });
    connect(&d->port, &QSerialPort::errorOccurred, this,
            [this](QSerialPort::SerialPortError error) { d->portError(error); });
    connect(&d->port, &QSerialPort::readyRead, this, [this] {
        if (d->engine && d->running && !d->closeTimer.isActive())
            d->run(d->engine->onBytesWaiting(static_cast<int>(d->port.bytesAvailable())));
    });
}

TransferDriver::~TransferDriver() {
    // Torn down mid-transfer: still release the radio from clone mode.
    if (d->running && d->port.isOpen()) {
        if (!d->closeTimer.isActive())
            d->port.write("E", 1);
        d->port.waitForBytesWritten(100);
        d->port.close();
    }
}

void TransferDriver::setAsker(std::function<bool(Question, const QString&)> asker) {
    d->asker = std::move(asker);
}

void TransferDriver::setNotifier(std::function<void(int, const QString&)> notifier) {
    d->notifier = std::move(notifier);
}

void TransferDriver::setPort(const QString& device) {
    d->device = device;
}

void TransferDriver::setRows(std::vector<int> rows) {
    d->rows = std::move(rows);
}

bool TransferDriver::start(TransferKind kind) {
    if (d->running)
        return false;
    const QString device = d->chosenDevice();
    if (device.isEmpty()) {
        PortFailure none;
        none.kind = PortFailureKind::NotFound;
        none.device = "COM" + std::to_string(d->session.portNumber);
        none.reason = std::strerror(ENODEV);
        d->failure = none;
        if (d->notifier)
            d->notifier(0, QString::fromStdString(none.reason));
        return false;
    }
    if (!d->openPort(device)) {
        if (d->notifier)
            d->notifier(0, d->port.errorString());
        return false;
    }
    d->openDevice = device;

    CloneSettings settings;
    settings.kind = CloneKindOf(kind);
    settings.traceMode = d->session.traceMode;
    settings.updateRadioTime = d->session.updateRadioTime;
    settings.modelCode = d->session.modelCode;
    settings.text = [language = d->session.language](int id) {
        return Text(id, language);
    };
    settings.rows = d->rows;
    d->engine = std::make_unique<CloneEngine>(d->session.image, std::move(settings));
    d->verifying = kind == TransferKind::Verify || kind == TransferKind::ReadRows;
    d->readBack.fill(0xFF);
    d->running = true;
    d->success = false;
    d->run(d->engine->start());
    return true;
}

bool TransferDriver::isRunning() const {
    return d->running;
}

void TransferDriver::cancel() {
    if (d->running && d->engine && !d->closeTimer.isActive())
        d->run(d->engine->cancel());
}

const std::optional<PortFailure>& TransferDriver::portFailure() const {
    return d->failure;
}

QString TransferDriver::log() const {
    return d->log;
}

const CodeplugImage& TransferDriver::readBack() const {
    return d->readBack;
}

int TransferDriver::endStep() const {
    return d->endStep;
}

} // namespace r57::link
