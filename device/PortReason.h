#pragma once

#include <QSerialPort>
#include <QString>

namespace korven {

// Why a port operation failed, as the user can act on it: the system's reason in Polish
// for the common cases (no such device, disconnected, input/output error, busy, no
// permission, with what to do about it), otherwise the system's own text.
struct PortReason {
    enum class Kind { NoSuchDevice, Disconnected, InputOutput, Busy, NoPermission, Other };
    Kind kind = Kind::Other;
    QString text;

    // devicePath: the port's device node, empty where there is none; portWasOpen: the
    // failure came from a port in use, not from opening it.
    // "Nie mogę otworzyć portu: %s", and on a line of its own the reason where the user
    // can do something about it (a missing device speaks for itself).
    static QString openFailureMessage(const QString &port, const PortReason &reason);

    static PortReason of(QSerialPort::SerialPortError error, const QString &systemText,
                         const QString &devicePath, bool portWasOpen);
};

} // namespace korven
