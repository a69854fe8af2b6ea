#include "SerialPlatform.h"

#include <QFileInfo>

#ifdef Q_OS_LINUX
#include <linux/serial.h>
#include <sys/ioctl.h>
#endif

namespace korven::platform {

void requestLowLatency(PortHandle handle) {
#ifdef Q_OS_LINUX
    serial_struct serial{};
    if (handle < 0 || ::ioctl(int(handle), TIOCGSERIAL, &serial) != 0)
        return;
    if (serial.flags & ASYNC_LOW_LATENCY)
        return;
    serial.flags |= ASYNC_LOW_LATENCY;
    ::ioctl(int(handle), TIOCSSERIAL, &serial);
#else
    Q_UNUSED(handle);
#endif
}

QString deviceNode(const QString &portName) {
#ifdef Q_OS_UNIX
    if (portName.isEmpty() || portName.startsWith(QLatin1Char('/')))
        return portName;
    return QStringLiteral("/dev/") + portName;
#else
    Q_UNUSED(portName);
    return {};
#endif
}

QString permissionHint(const QString &portPath) {
#ifdef Q_OS_LINUX
    // Serial devices belong to a group (dialout on Debian); its members may open them.
    QString group = QFileInfo(portPath).group();
    if (group.isEmpty() || group == QLatin1String("root"))
        group = QStringLiteral("dialout");
    return QStringLiteral("Konto użytkownika musi należeć do grupy właściciela urządzenia (%1). "
                          "Dodaj je poleceniem: sudo usermod -aG %1 $USER, a potem wyloguj się i "
                          "zaloguj ponownie.")
        .arg(group);
#else
    Q_UNUSED(portPath);
    return {};
#endif
}

bool refusedPortIsBusy() {
#ifdef Q_OS_WIN
    // Windows opens a port for one program at a time and refuses it to any other with
    // "access denied"; the user's rights do not come into it.
    return true;
#else
    return false;
#endif
}

bool failureOfAnOpenPortIsRemoval(QSerialPort::SerialPortError error) {
#ifdef Q_OS_WIN
    // An unplugged adapter ends its port's reads and writes with whatever the driver says
    // ("device not ready", "the device does not recognize the command", ...).
    return error == QSerialPort::ResourceError || error == QSerialPort::ReadError ||
           error == QSerialPort::WriteError || error == QSerialPort::UnknownError;
#else
    Q_UNUSED(error);
    return false;
#endif
}

} // namespace korven::platform
