#include "DeviceCommands.h"

#include "CliCommands.h"
#include "ComPort.h"
#include "ConsolePlatform.h"
#include "DeviceOperations.h"

#include <QThread>

#include <cstdio>

namespace korven::cli {
namespace {

void print(FILE *stream, const QString &text) { platform::writeLine(stream, text); }

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
        // Said once: the retry of program does not repeat the message.
        if (unopenable)
            return false;
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

    // A program list without lines would erase the device's program.
    if (deviceCommandNeedsProgram(command) && image.isEmpty()) {
        print(stdout, QStringLiteral("Brak poleceń !"));
        return Failure;
    }
    const auto showVerdict = [&](const Verdict &verdict) {
        if (verdict.text != lastBanner)
            print(stdout, verdict.text);
    };
    bool ok = false;
    try {
        if (command == QLatin1String("program")) {
            const Verdict verdict = device.program(image);
            ok = verdict.ok;
            showVerdict(verdict);
        } else if (command == QLatin1String("verify")) {
            const Verdict verdict = device.verify(image);
            ok = verdict.ok;
            showVerdict(verdict);
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
        if (command == QLatin1String("program"))
            print(stdout, QStringLiteral("Błąd przy programowaniu mikroindeksera"));
        else if (command == QLatin1String("verify"))
            print(stdout, QStringLiteral("Weryfikacja - brak zgodności"));
        return Failure;
    }
    if (unopenable)
        return BadInput;
    return ok ? Success : Failure;
}

} // namespace korven::cli
