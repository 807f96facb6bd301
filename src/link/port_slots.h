// The twenty numbered serial-port slots (COM1..COM20) of the port dialog, mapped to
// this machine's serial devices, and the probe that tells which of them can be used.
#pragma once

#include <QString>
#include <QStringList>

class QSerialPort;

namespace r57::link {

// The radio's line: `baud`, 8 data bits, no parity, one stop bit, no flow control.
void SetRadioLine(QSerialPort& port, int baud);

constexpr int kPortSlots = 20;

// The device a slot 1..20 stands for ("" when none). A slot pinned in the settings
// store wins; otherwise the rule documented in port_slots.cpp applies.
QString DeviceForSlot(int slot);
// The same against a given list of machine devices (as MachineSerialDevices returns):
// the dialog lists the machine once for all twenty slots.
QString DeviceForSlot(int slot, const QStringList& machineDevices);

// This machine's serial devices in slot order: ttyUSB, ttyACM, ttyS, then other kinds,
// each by number.
QStringList MachineSerialDevices();
// Puts device paths into that order.
QStringList OrderSerialDevices(QStringList devices);

// A port named on the command line: a device path ("/dev/ttyUSB0"), "COM3" or "3".
// Returns the device path, or "" when the name names no device.
QString ResolvePortName(const QString& name);

// Opens the device at 19200,N,8,1, sends "ATI1" and CR, waits 200 ms, closes it.
// True when no step failed.
bool ProbePort(const QString& device);

} // namespace r57::link
