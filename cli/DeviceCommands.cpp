#include "DeviceCommands.h"

#include "CliCommands.h"
#include "ComPort.h"
#include "DeviceOperations.h"

#include <QThread>

#include <cstdio>

namespace korven::cli {
namespace {

void print(FILE *stream, const QString &text) {
    std::fputs(text.toUtf8().constData(), stream);
    std::fputc('\n', stream);
}

} // namespace

bool isDeviceCommand(const QString &command) {
    static const QStringList commands = {"program", "verify", "run", "stop", "reset", "test"};
    return commands.contains(command);
}

bool deviceCommandNeedsProgram(const QString &command) {
    return command == QLatin1String("program") || command == QLatin1String("verify");
}

int runDeviceCommand(const QString &command, const QString &portName, const QStringList &image) {
    ComPort port;
    port.settings.Port = portName;
    port.settings.forceDeviceLine();
    bool unopenable = false;
    QString lastBanner;
    DeviceHost host;
    host.banner = [&](const QString &text) {
        lastBanner = text;
        print(stdout, text);
    };
    host.openPort = [&] {
        try {
            port.OpenPort();
            return true;
        } catch (const PortError &e) {
            print(stderr,
                  QStringLiteral("Nie mogę otworzyć portu: %1 (%2)").arg(portName, e.message()));
            unopenable = true;
            return false;
        }
    };
    host.pause = [](int milliseconds) { QThread::msleep(ulong(milliseconds)); };
    DeviceOperations device(port, host);

    bool ok = false;
    try {
        if (command == QLatin1String("program")) {
            ok = device.Programuj(image) || (!unopenable && device.Programuj(image));
            print(stdout, ok ? QStringLiteral("Programowanie mikroindeksera zakończone pomyślnie")
                             : QStringLiteral("Błąd przy programowaniu mikroindeksera"));
        } else if (command == QLatin1String("verify")) {
            ok = device.Weryfikuj(image);
            print(stdout, ok ? QStringLiteral("Weryfikacja OK")
                             : QStringLiteral("Weryfikacja - brak zgodności"));
        } else if (command == QLatin1String("run")) {
            ok = device.run();
        } else if (command == QLatin1String("test")) {
            device.linkTest();
            ok = lastBanner.startsWith(QLatin1String("Komunikacja OK"));
        } else if (command == QLatin1String("reset")) {
            device.reset();
            ok = true;
        } else if (command == QLatin1String("stop")) {
            device.stop();
            ok = true;
        }
    } catch (const PortError &e) {
        print(stderr, e.message());
        return Failure;
    }
    if (unopenable)
        return BadInput;
    return ok ? Success : Failure;
}

} // namespace korven::cli
