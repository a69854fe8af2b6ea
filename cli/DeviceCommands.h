#pragma once

#include <QString>
#include <QStringList>

namespace korven::cli {

// program, verify, run, stop, reset and test on the device at port; image is the
// compiled program for program and verify. Returns the exit code.
int runDeviceCommand(const QString &command, const QString &port, const QStringList &image);

bool isDeviceCommand(const QString &command);
bool deviceCommandNeedsProgram(const QString &command);

} // namespace korven::cli
