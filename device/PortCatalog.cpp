#include "PortCatalog.h"

#include "SerialPlatform.h"

#include <QDir>
#include <QFileInfo>
#include <QSerialPortInfo>

#include <algorithm>

namespace korven {
namespace {

QString detailsOf(const QSerialPortInfo &info, bool stable) {
    QStringList parts;
    for (const QString &part : {info.description(), info.manufacturer()})
        if (!part.trimmed().isEmpty() && !parts.contains(part.trimmed()))
            parts.append(part.trimmed());
    if (!info.serialNumber().isEmpty())
        parts.append(QStringLiteral("nr %1").arg(info.serialNumber()));
    if (stable)
        parts.append(info.portName());
    return parts.join(QStringLiteral(", "));
}

QString canonical(const QString &port) {
    const QFileInfo info(port.startsWith(QLatin1Char('/')) ? port : QStringLiteral("/dev/") + port);
    const QString path = info.canonicalFilePath();
    return path.isEmpty() ? info.absoluteFilePath() : path;
}

} // namespace

QMap<QString, QString> PortCatalog::stableNames(const QString &folder) {
    QMap<QString, QString> names;
    const QDir dir(folder);
    for (const QFileInfo &link :
         dir.entryInfoList(QDir::System | QDir::Files | QDir::NoDotAndDotDot)) {
        if (!link.isSymLink())
            continue;
        const QString target = link.canonicalFilePath();
        if (!target.isEmpty() && !names.contains(target))
            names.insert(target, link.absoluteFilePath());
    }
    return names;
}

QList<PortEntry> PortCatalog::present(const QString &stableFolder) {
    const QMap<QString, QString> stable = stableNames(stableFolder);
    QList<PortEntry> ports;
    for (const QSerialPortInfo &info : QSerialPortInfo::availablePorts()) {
        const QString link = stable.value(canonical(info.systemLocation()));
        ports.append({link.isEmpty() ? info.portName() : link, detailsOf(info, !link.isEmpty())});
    }
    return withCurrent(ports, QString());
}

QList<PortEntry> PortCatalog::withCurrent(QList<PortEntry> ports, const QString &current) {
    if (!current.isEmpty() && indexOf(ports, current) < 0) {
        // Where ports are no files, a port the system does not list is not there.
        const QString node = platform::deviceNode(current);
        ports.append({current, QString(), node.isEmpty() || !QFileInfo::exists(node)});
    }
    std::stable_sort(ports.begin(), ports.end(), [](const PortEntry &a, const PortEntry &b) {
        return a.name.compare(b.name, Qt::CaseInsensitive) < 0;
    });
    return ports;
}

bool PortCatalog::samePort(const QString &a, const QString &b) {
    if (a.compare(b, Qt::CaseInsensitive) == 0)
        return true;
    return !platform::deviceNode(a).isEmpty() && canonical(a) == canonical(b);
}

int PortCatalog::indexOf(const QList<PortEntry> &ports, const QString &port) {
    for (int i = 0; i < ports.size(); ++i)
        if (ports[i].name.compare(port, Qt::CaseInsensitive) == 0)
            return i;
    // "ttyUSB0" from an older rs232.ini is the adapter now listed under its stable name.
    const QString device = canonical(port);
    for (int i = 0; i < ports.size(); ++i)
        if (ports[i].name.startsWith(QLatin1Char('/')) && canonical(ports[i].name) == device)
            return i;
    return -1;
}

} // namespace korven
