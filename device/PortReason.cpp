#include "PortReason.h"

#include "SerialPlatform.h"

#include <QFileInfo>

namespace korven {

QString PortReason::openFailureMessage(const QString &port, const PortReason &reason) {
    QString text = QStringLiteral("Nie mogę otworzyć portu: %1").arg(port);
    if (reason.kind != Kind::NoSuchDevice && !reason.text.isEmpty())
        text += QLatin1Char('\n') + reason.text.left(1).toUpper() + reason.text.mid(1) +
                (reason.text.endsWith(QLatin1Char('.')) ? QString() : QStringLiteral("."));
    return text;
}

PortReason PortReason::of(QSerialPort::SerialPortError error, const QString &systemText,
                          const QString &devicePath, bool portWasOpen) {
    const auto says = [&systemText](const char *words) {
        return systemText.contains(QLatin1String(words), Qt::CaseInsensitive);
    };
    // An unplugged adapter takes its device node with it (and so does an ended
    // pseudo-terminal): whatever the last system call said, that is the reason.
    const bool nodeGone = !devicePath.isEmpty() && !QFileInfo::exists(devicePath);
    if (portWasOpen && (nodeGone || platform::failureOfAnOpenPortIsRemoval(error)))
        return {Kind::Disconnected, QStringLiteral("urządzenie zostało odłączone")};
    if (nodeGone || error == QSerialPort::DeviceNotFoundError)
        return {Kind::NoSuchDevice, QStringLiteral("nie ma takiego urządzenia")};
    if (says("busy") || says("lock") ||
        (error == QSerialPort::PermissionError && platform::refusedPortIsBusy()))
        return {Kind::Busy, QStringLiteral("urządzenie jest zajęte przez inny program")};
    if (error == QSerialPort::PermissionError || says("permission denied")) {
        QString text = QStringLiteral("brak uprawnień do urządzenia");
        const QString hint = platform::permissionHint(devicePath);
        if (!hint.isEmpty())
            text += QStringLiteral(". ") + hint;
        return {Kind::NoPermission, text};
    }
    if (says("input/output"))
        return {Kind::InputOutput, QStringLiteral("błąd wejścia/wyjścia")};
    if (error == QSerialPort::ResourceError)
        return {Kind::Disconnected, QStringLiteral("urządzenie zostało odłączone")};
    return {Kind::Other, systemText};
}

} // namespace korven
