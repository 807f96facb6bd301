// How the twenty port slots COM1..COM20 find a serial device on Linux.
//
// Slot n stands for, in this order of precedence:
//   1. the device in the environment variable R57_COM<n> (R57_COM1=/dev/pts/5), which
//      is how demos and tests put the virtual radio into a slot;
//   2. the device pinned in the settings store under "Ports/COM<n>";
//   3. the n-th serial device of this machine, listed by kind and then by number:
//      /dev/ttyUSB0, /dev/ttyUSB1, ... (USB serial adapters: programming cables),
//      then /dev/ttyACM0, ... (USB modem-class devices), then /dev/ttyS0, ... (ports
//      on the board), then any other kind Qt reports, by name. Numbers compare as
//      numbers, so ttyUSB10 follows ttyUSB9.
// The list is what QSerialPortInfo finds, which leaves out the ttyS nodes with no UART
// behind them. A slot set by 1 or 2 does not shift the others. Since the program
// starts on COM1 every time, COM1 is the first USB cable whenever one is plugged in.
#include "link/port_slots.h"

#include "link/settings_store.h"

#include <QElapsedTimer>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSerialPort>
#include <QSerialPortInfo>
#include <QThread>

#include <algorithm>
#include <tuple>

namespace r57::link {

namespace {

constexpr int kProbeWaitMs = 200;

// Sort key of a device path: kind rank, kind name, number, whole path.
std::tuple<int, QString, qulonglong, QString> DeviceKey(const QString& path) {
    static const QRegularExpression pattern(QStringLiteral("^(?:.*/)?([^/]*?)(\\d*)$"));
    const QRegularExpressionMatch m = pattern.match(path);
    const QString kind = m.captured(1);
    const qulonglong number = m.captured(2).isEmpty() ? 0 : m.captured(2).toULongLong();
    int rank = 3;
    if (kind == QLatin1String("ttyUSB"))
        rank = 0;
    else if (kind == QLatin1String("ttyACM"))
        rank = 1;
    else if (kind == QLatin1String("ttyS"))
        rank = 2;
    return {rank, kind, number, path};
}

} // namespace

QStringList OrderSerialDevices(QStringList devices) {
    std::sort(devices.begin(), devices.end(),
              [](const QString& a, const QString& b) { return DeviceKey(a) < DeviceKey(b); });
    devices.removeDuplicates();
    return devices;
}

QStringList MachineSerialDevices() {
    QStringList devices;
    for (const QSerialPortInfo& info : QSerialPortInfo::availablePorts())
        devices << info.systemLocation();
    return OrderSerialDevices(devices);
}

QString DeviceForSlot(int slot, const QStringList& machineDevices) {
    if (slot < 1 || slot > kPortSlots)
        return {};
    const QString name = QStringLiteral("COM%1").arg(slot);
    const QString fromEnvironment = qEnvironmentVariable(("R57_" + name).toLatin1().constData());
    if (!fromEnvironment.isEmpty())
        return fromEnvironment;
    const QString pinned = ReadSetting(QStringLiteral("Ports/") + name);
    if (!pinned.isEmpty())
        return pinned;
    return slot <= machineDevices.size() ? machineDevices.at(slot - 1) : QString();
}

QString DeviceForSlot(int slot) {
    return DeviceForSlot(slot, MachineSerialDevices());
}

QString ResolvePortName(const QString& name) {
    const QString n = name.trimmed();
    if (n.isEmpty())
        return {};
    if (n.startsWith(QLatin1Char('/')))
        return n;
    static const QRegularExpression slotName(QStringLiteral("^(?:com)?(\\d{1,3})$"),
                                             QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch m = slotName.match(n);
    if (m.hasMatch())
        return DeviceForSlot(m.captured(1).toInt());
    // A bare device name such as "ttyUSB0".
    const QString underDev = QStringLiteral("/dev/") + n;
    if (!n.contains(QLatin1Char('/')) && QFileInfo::exists(underDev))
        return underDev;
    return {};
}

void SetRadioLine(QSerialPort& port, int baud) {
    port.setBaudRate(baud);
    port.setDataBits(QSerialPort::Data8);
    port.setParity(QSerialPort::NoParity);
    port.setStopBits(QSerialPort::OneStop);
    port.setFlowControl(QSerialPort::NoFlowControl);
}

bool ProbePort(const QString& device) {
    if (device.isEmpty())
        return false;
    QSerialPort port;
    port.setPortName(device);
    SetRadioLine(port, QSerialPort::Baud19200);
    if (!port.open(QIODevice::ReadWrite))
        return false;

    QElapsedTimer clock;
    clock.start();
    const QByteArray probe("ATI1\r");
    bool ok = port.write(probe) == probe.size();
    // The bytes go out within the 200 ms; the rest of the time is simply waited out.
    if (ok)
        port.waitForBytesWritten(kProbeWaitMs);
    const qint64 left = kProbeWaitMs - clock.elapsed();
    if (left > 0)
        QThread::msleep(static_cast<unsigned long>(left));
    ok = ok && (port.error() == QSerialPort::NoError || port.error() == QSerialPort::TimeoutError);
    port.close();
    return ok;
}

} // namespace r57::link
