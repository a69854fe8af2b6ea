#include "PortSearch.h"

#include "ComPort.h"
#include "DeviceOperations.h"

namespace korven {
namespace {

// The link test's banner when the device answered.
QString linkTestAnswer(const QString &name, const PortSettings &line) {
    ComPort port;
    port.settings = line;
    port.settings.Port = name;
    port.settings.forceDeviceLine();
    QString banner;
    DeviceHost host;
    host.banner = [&banner](const QString &text) { banner = text; };
    host.openPort = [&port] {
        try {
            port.OpenPort();
            return true;
        } catch (const PortError &) {
            return false;
        }
    };
    try {
        DeviceOperations(port, host).linkTest();
    } catch (const PortError &) {
        banner.clear();
    }
    port.ClosePort();
    return banner.startsWith(QLatin1String("Komunikacja OK")) ? banner : QString();
}

} // namespace

PortSearch::Result PortSearch::find(const QStringList &ports, const PortSettings &line,
                                    const Progress &progress) {
    for (int i = 0; i < ports.size(); ++i) {
        if (progress)
            progress(i, int(ports.size()), ports[i]);
        const QString answer = linkTestAnswer(ports[i], line);
        if (!answer.isEmpty())
            return {ports[i], answer};
    }
    return {};
}

} // namespace korven
