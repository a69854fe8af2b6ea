#pragma once

#include <QString>
#include <QStringList>

namespace korven::cli {

// The ports a device command names: --port PORT (program and verify take several) and
// --ports-file FILE (one port a line).
struct PortList {
    QStringList ports;
    // A production line: a line per device and a summary, rather than the banners of one.
    bool batch = false;
};

// Takes the port options out of arguments; the exit code of a usage error (after its
// message), else Success.
int takePorts(const QString &command, QStringList *arguments, PortList *ports);

// program, verify, run, stop, reset and test on the devices at the ports; image is the
// compiled program for program and verify. Returns the exit code.
int runDeviceCommand(const QString &command, const PortList &ports, const QStringList &image);

bool isDeviceCommand(const QString &command);
bool deviceCommandNeedsProgram(const QString &command);

} // namespace korven::cli
