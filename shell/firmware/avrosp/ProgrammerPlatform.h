#pragma once

#include <QProcess>
#include <QString>
#include <QStringList>

// What avrosp needs of the system to run avrdude on a serial port.
namespace korven::platform {

// The port as avrdude names it: a device node on POSIX ("ttyUSB0" is "/dev/ttyUSB0"), the
// port's own name on Windows ("COM3"; avrdude opens names above COM9 itself).
QString programmerPort(const QString &port);

// Whether the port is still there (an unplugged USB adapter takes it with it).
bool portPresent(const QString &port);

// Starts the programmer so that it ends with avrosp, even when avrosp is killed (the
// window's time limit): it then frees the port.
bool startTiedToThisProcess(QProcess &process, const QString &program,
                            const QStringList &arguments);

} // namespace korven::platform
