#include "DeviceCommands.h"

#include "CliCommands.h"
#include "ComPort.h"
#include "ConsolePlatform.h"
#include "DeviceBatch.h"
#include "DeviceOperations.h"
#include "PortCatalog.h"

#include <QEventLoop>
#include <QFile>
#include <QLocale>
#include <QThread>

#include <cstdio>

namespace korven::cli {
namespace {

void print(FILE *stream, const QString &text) { platform::writeLine(stream, text); }

QString seconds(qint64 milliseconds) {
    return QLocale(QLocale::Polish).toString(double(milliseconds) / 1000.0, 'f', 2) +
           QStringLiteral(" s");
}

bool readPortsFile(const QString &path, QStringList *ports) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return false;
    for (const QByteArray &raw : file.readAll().split('\n')) {
        const QString line = QString::fromLocal8Bit(raw).trimmed();
        // Blank lines and remarks keep a line's file readable.
        if (!line.isEmpty() && !line.startsWith(QLatin1Char('#')))
            ports->append(line);
    }
    return true;
}

// The program or verify command on one device or several, each on its own thread.
int runBatch(const QString &command, const PortList &list, const QStringList &image) {
    const bool programming = command == QLatin1String("program");
    DeviceBatch batch(programming ? DeviceBatch::Command::Program : DeviceBatch::Command::Verify,
                      image, list.ports);
    QString lastBanner;
    QObject::connect(&batch, &DeviceBatch::banner, [&](const QString &, const QString &text) {
        // One device: its banners as the window shows them, as they come.
        if (!list.batch) {
            lastBanner = text;
            print(stdout, text);
        }
    });
    QObject::connect(&batch, &DeviceBatch::portFinished, [&](const PortResult &r) {
        if (!list.batch) {
            if (r.unopenable)
                print(stderr,
                      QStringLiteral("Nie mogę otworzyć portu: %1 (%2)").arg(r.port, r.openError));
            else if (r.portFailed)
                print(stderr, r.reason);
            if (r.verdict != lastBanner)
                print(stdout, r.verdict);
        } else {
            const QString why =
                r.ok || r.reason.isEmpty() ? QString() : QStringLiteral(": ") + r.reason;
            print(stdout, QStringLiteral("%1: %2%3 (%4)")
                              .arg(r.port, r.verdict, why, seconds(r.milliseconds)));
        }
        for (const LineDifference &difference : r.differences)
            print(stdout, (list.batch ? QStringLiteral("  ") : QString()) + difference.text());
    });
    QEventLoop loop;
    QObject::connect(&batch, &DeviceBatch::finished, &loop, &QEventLoop::quit);
    batch.start();
    if (!batch.isFinished())
        loop.exec();

    if (!list.batch) {
        const PortResult &r = batch.results().first();
        if (r.unopenable)
            return BadInput;
        return r.ok ? Success : Failure;
    }
    QStringList failed;
    for (const PortResult &r : batch.results())
        if (!r.ok)
            failed.append(r.port);
    QString summary = QStringLiteral("Podsumowanie: %1 %2 z %3")
                          .arg(programming ? QStringLiteral("zaprogramowane pomyślnie")
                                           : QStringLiteral("zgodne"))
                          .arg(list.ports.size() - failed.size())
                          .arg(list.ports.size());
    if (!failed.isEmpty())
        summary += QStringLiteral("; %1: %2")
                       .arg(programming ? QStringLiteral("błąd") : QStringLiteral("niezgodne"),
                            failed.join(QStringLiteral(", ")));
    print(stdout, summary + QStringLiteral(" (czas %1)").arg(seconds(batch.milliseconds())));
    return failed.isEmpty() ? Success : Failure;
}

} // namespace

bool isDeviceCommand(const QString &command) {
    static const QStringList commands = {"program", "verify", "run", "stop", "reset", "test"};
    return commands.contains(command);
}

bool deviceCommandNeedsProgram(const QString &command) {
    return command == QLatin1String("program") || command == QLatin1String("verify");
}

int takePorts(const QString &command, QStringList *arguments, PortList *list) {
    for (int i = 0; i < arguments->size();) {
        const QString option = arguments->at(i);
        if (option != QLatin1String("--port") && option != QLatin1String("--ports-file")) {
            ++i;
            continue;
        }
        if (i + 1 >= arguments->size()) {
            print(stderr, QStringLiteral("Opcja %1 wymaga wartości.").arg(option));
            return BadInput;
        }
        const QString value = arguments->takeAt(i + 1);
        arguments->removeAt(i);
        if (option == QLatin1String("--port")) {
            list->ports.append(value);
            continue;
        }
        list->batch = true;
        if (!readPortsFile(value, &list->ports)) {
            print(stderr, QStringLiteral("Nie można odczytać pliku portów: %1").arg(value));
            return BadInput;
        }
    }
    if (list->ports.isEmpty()) {
        print(stderr, QStringLiteral("Polecenie %1 wymaga --port PORT.").arg(command));
        return BadInput;
    }
    for (int i = 0; i < list->ports.size(); ++i) {
        for (int j = 0; j < i; ++j) {
            if (PortCatalog::samePort(list->ports[i], list->ports[j])) {
                print(stderr, QStringLiteral("Port %1 podano więcej niż raz.").arg(list->ports[i]));
                return BadInput;
            }
        }
    }
    list->batch = list->batch || list->ports.size() > 1;
    if (list->batch && !deviceCommandNeedsProgram(command)) {
        print(stderr, QStringLiteral("Polecenie %1 działa na jednym porcie.").arg(command));
        return BadInput;
    }
    return Success;
}

int runDeviceCommand(const QString &command, const PortList &list, const QStringList &image) {
    // A program list without lines would erase the device's program.
    if (deviceCommandNeedsProgram(command) && image.isEmpty()) {
        print(stdout, QStringLiteral("Brak poleceń !"));
        return Failure;
    }
    if (deviceCommandNeedsProgram(command))
        return runBatch(command, list, image);

    const QString portName = list.ports.first();
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
        if (command == QLatin1String("run")) {
            ok = device.run();
        } else if (command == QLatin1String("test")) {
            device.linkTest();
            ok = lastBanner.startsWith(QLatin1String("Komunikacja OK"));
        } else if (command == QLatin1String("reset")) {
            device.reset();
            ok = true;
            if (!unopenable)
                print(stdout, QStringLiteral("Wysłano reset (\"t\"), odczekano 2 s na "
                                             "ponowny start mikroindeksera"));
        } else if (command == QLatin1String("stop")) {
            device.stop();
            ok = true;
            if (!unopenable)
                print(stdout, QStringLiteral("Wysłano stop awaryjny (\"s\")"));
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
