#pragma once

#include <QList>
#include <QMap>
#include <QString>

namespace korven {

// One choosable serial port: the name that goes into "rs232.ini" and what the system
// knows of the device behind it.
struct PortEntry {
    QString name;
    QString details;      // description, manufacturer, serial number; empty when none known
    bool missing = false; // the current port, which the system no longer has
};

// The serial ports of this machine as the port dialog lists them: sorted by name without
// regard to case, an adapter under its stable name (/dev/serial/by-id/...) when it has one,
// so that it keeps its name when plugged in elsewhere.
class PortCatalog {
public:
    static QList<PortEntry> present(const QString &stableFolder = defaultStableFolder());
    // The list with the current port sorted in when it is not there already (a port the
    // system does not list, such as a pseudo-terminal); marked missing when there is no
    // such device any more (an adapter pulled out, an emulator that has ended).
    static QList<PortEntry> withCurrent(QList<PortEntry> ports, const QString &current);
    // Whether two port names lead to the same device (case aside, or through a link).
    static bool samePort(const QString &a, const QString &b);
    // The entry standing for this port: its name, or the device a stable name leads to.
    static int indexOf(const QList<PortEntry> &ports, const QString &port);
    // Device path -> stable link, for every link in the folder.
    static QMap<QString, QString> stableNames(const QString &folder);
    static QString defaultStableFolder() { return QStringLiteral("/dev/serial/by-id"); }
};

} // namespace korven
