// avrosp for systems without Atmel's tool: takes the firmware update's command lines and
// drives avrdude, AVR109 boot loader protocol on the port of "rs232.ini" by default.
// Prints "Equal!" once for each memory that verified.
//
// Its own "avrosp.ini" beside it may set, in section [avrdude]: Program (avrdude),
// Programmer (avr109), Port (the port of rs232.ini), Baud (38400).

#include "ProfileFile.h"
#include "SettingsLocation.h"

#include <QCoreApplication>
#include <QDir>
#include <QProcess>

#include <cstdio>

#ifdef Q_OS_LINUX
#include <csignal>
#include <sys/prctl.h>
#endif

using korven::ProfileFile;

namespace {

struct Request {
    QString device;
    bool programFlash = false, programEeprom = false;
    bool verifyFlash = false, verifyEeprom = false;
    bool erase = false;
    QString flashFile, eepromFile;
};

bool parse(const QStringList &arguments, Request *r, QString *error) {
    for (const QString &a : arguments) {
        if (a.startsWith(QLatin1String("-d")))
            r->device = a.mid(2);
        else if (a == QLatin1String("-pf"))
            r->programFlash = true;
        else if (a == QLatin1String("-pe"))
            r->programEeprom = true;
        else if (a == QLatin1String("-pb"))
            r->programFlash = r->programEeprom = true;
        else if (a == QLatin1String("-vf"))
            r->verifyFlash = true;
        else if (a == QLatin1String("-ve"))
            r->verifyEeprom = true;
        else if (a == QLatin1String("-vb"))
            r->verifyFlash = r->verifyEeprom = true;
        else if (a.startsWith(QLatin1String("-if")))
            r->flashFile = a.mid(3);
        else if (a.startsWith(QLatin1String("-ie")))
            r->eepromFile = a.mid(3);
        else if (a == QLatin1String("-e"))
            r->erase = true;
        else {
            *error = QStringLiteral("unknown option %1").arg(a);
            return false;
        }
    }
    if (r->programFlash && r->flashFile.isEmpty()) {
        *error = QStringLiteral("no flash file (-if)");
        return false;
    }
    if (r->programEeprom && r->eepromFile.isEmpty()) {
        *error = QStringLiteral("no EEPROM file (-ie)");
        return false;
    }
    return true;
}

QString avrdudePart(const QString &device) {
    QString d = device.toLower();
    if (d.startsWith(QLatin1String("atmega")))
        return QStringLiteral("m") + d.mid(6);
    if (d.startsWith(QLatin1String("attiny")))
        return QStringLiteral("t") + d.mid(6);
    return d;
}

void print(const QByteArray &bytes) {
    std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stdout);
    std::fflush(stdout);
}

} // namespace

int main(int argc, char *argv[]) {
    QCoreApplication app(argc, argv);
    Request request;
    QString error;
    if (!parse(app.arguments().mid(1), &request, &error)) {
        print("avrosp: " + error.toLocal8Bit() + '\n');
        return 2;
    }
    const QDir here(QCoreApplication::applicationDirPath());
    // The window's "rs232.ini" is where the window keeps it: beside us, or in the user's
    // configuration folder of an installed program.
    QCoreApplication::setApplicationName(QStringLiteral("KORVEN"));
    const QString settings =
        korven::SettingsLocation::forProgramDir(here.absolutePath() + '/').directory;
    ProfileFile rs232, own;
    rs232.load(settings + QStringLiteral("rs232.ini"));
    own.load(here.filePath(QStringLiteral("avrosp.ini")));
    const QString section = QStringLiteral("avrdude");
    QString port = own.value(section, QStringLiteral("Port"),
                             rs232.value(QStringLiteral("ComPort1"), QStringLiteral("Port"), {}));
    if (!port.isEmpty() && !port.startsWith(QLatin1Char('/')))
        port.prepend(QStringLiteral("/dev/"));

    QStringList args = {QStringLiteral("-c"),
                        own.value(section, QStringLiteral("Programmer"), QStringLiteral("avr109")),
                        QStringLiteral("-p"),
                        avrdudePart(request.device),
                        QStringLiteral("-P"),
                        port,
                        QStringLiteral("-b"),
                        own.value(section, QStringLiteral("Baud"), QStringLiteral("38400"))};
    if (request.erase)
        args << QStringLiteral("-e");
    if (!request.verifyFlash && !request.verifyEeprom)
        args << QStringLiteral("-V");
    if (request.programFlash)
        args << QStringLiteral("-U") << QStringLiteral("flash:w:%1:i").arg(request.flashFile);
    if (request.programEeprom)
        args << QStringLiteral("-U") << QStringLiteral("eeprom:w:%1:i").arg(request.eepromFile);

    QProcess avrdude;
    avrdude.setProcessChannelMode(QProcess::MergedChannels);
#ifdef Q_OS_LINUX
    // If we are ended (the update's time limit), avrdude goes too and frees the port.
    avrdude.setChildProcessModifier([] { ::prctl(PR_SET_PDEATHSIG, SIGKILL); });
#endif
    avrdude.start(own.value(section, QStringLiteral("Program"), QStringLiteral("avrdude")), args);
    if (!avrdude.waitForStarted(10000)) {
        print("avrosp: " + avrdude.errorString().toLocal8Bit() + '\n');
        return 1;
    }
    QByteArray output;
    while (avrdude.state() != QProcess::NotRunning) {
        avrdude.waitForReadyRead(1000);
        const QByteArray chunk = avrdude.readAll();
        output += chunk;
        print(chunk);
    }
    const QByteArray rest = avrdude.readAll();
    output += rest;
    print(rest);
    for (const char *memory : {"flash", "eeprom"}) {
        if (output.contains(QByteArray(" bytes of ") + memory + " verified"))
            print("Equal!\n");
    }
    return avrdude.exitStatus() == QProcess::NormalExit ? avrdude.exitCode() : 1;
}
