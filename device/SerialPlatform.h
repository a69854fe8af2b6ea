#pragma once

#include <QSerialPort>
#include <QString>

#include <utility>

// The serial port's few platform-specific pieces; every other file stays portable.
namespace korven::platform {

// A file descriptor on POSIX, a HANDLE on Windows.
using PortHandle = decltype(std::declval<QSerialPort &>().handle());

// Asks the driver of a USB serial adapter to hand over received bytes at once instead
// of after its latency timer (16 ms on many adapters: 16 ms per echoed byte). Drivers
// and pseudo-terminals that refuse are left as they are. Windows has no such request: the
// latency timer is a setting of the adapter's driver.
void requestLowLatency(PortHandle handle);

// Makes sure the port hears of received bytes; called before the first port opens. (Under
// Wine, QSerialPort's wait for line events needs help: see SerialEventsPlatform.cpp.)
void prepareSerialEvents();

// Waits up to the time given for bytes to arrive (true: some came) or for every byte
// written to be handed to the system (true: all were). False when the time is up or the
// port failed; error() says which. See SerialWaitPlatform.cpp for why Windows waits its way.
bool waitForReadyRead(QSerialPort &port, int milliseconds);
bool waitForBytesWritten(QSerialPort &port, int milliseconds);

// The device node of a port name where the system has one ("ttyUSB0" is
// "/dev/ttyUSB0"); empty where ports are no files.
QString deviceNode(const QString &portName);

// What the user can do when the system refuses access to the port; empty when there
// is nothing to add.
QString permissionHint(const QString &portPath);

// Whether a port that fails while open has been unplugged, whatever the system says (on
// Windows, where ports are no files to look for; elsewhere the device node tells).
bool failureOfAnOpenPortIsRemoval(QSerialPort::SerialPortError error);

// Whether a port the system refuses is one another program holds (Windows) rather than
// one the user may not open.
bool refusedPortIsBusy();

} // namespace korven::platform
