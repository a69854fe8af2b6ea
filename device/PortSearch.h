#pragma once

#include "PortSettings.h"

#include <QString>
#include <QStringList>

#include <functional>

namespace korven {

// Looks for the mikroindekser: the link test on each port in turn, each opened alone
// and closed again, until one answers "Mikroindekser". A port that cannot be opened or
// fails is passed over. A silent port costs the link test's 500 ms.
class PortSearch {
public:
    // Told before each port is tried: its 0-based position, the count and the name.
    using Progress = std::function<void(int index, int count, const QString &port)>;

    struct Result {
        QString port;   // the port that answered; empty when none did
        QString answer; // its link-test banner
        bool found() const { return !port.isEmpty(); }
    };

    // line: the serial settings in use (the flow switches of rs232.ini); the device line
    // is forced on each port as at start-up.
    static Result find(const QStringList &ports, const PortSettings &line,
                       const Progress &progress = {});
};

} // namespace korven
