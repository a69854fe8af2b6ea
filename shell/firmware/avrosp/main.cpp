// avrosp for systems without Atmel's tool: takes the firmware update's command lines and
// drives avrdude, AVR109 boot loader protocol on the port of "rs232.ini" by default.
//
// The window judges the update by "Equal!" in this output, so "Equal!" is printed only
// here, once for each memory that avrdude wrote and verified with success (exit code 0),
// and never passed through from avrdude's output, which echoes file names.
// The images are checked before avrdude may erase the chip; avrdude is ended when the
// port disappears or when it shows no progress for a while (it would spin for ever on
// a vanished port). Every failure exits non-zero.
//
// Its own "avrosp.ini" beside it may set, in section [avrdude]: Program (avrdude, looked
// for beside avrosp, then on the PATH), Programmer (avr109), Port (the port of rs232.ini),
// Baud (38400), StallSeconds (30).

#include "ConsolePlatform.h"
#include "IntelHex.h"
#include "ProfileFile.h"
#include "ProgrammerPlatform.h"
#include "SettingsLocation.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QElapsedTimer>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>

#include <cstdio>
#include <optional>

using korven::IntelHexCheck;
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

void say(const QString &text) {
    korven::platform::writeLine(stdout, QStringLiteral("avrosp: ") + text, true);
}

// A program named without a folder: beside avrosp first (a Windows user puts
// avrdude.exe there), then on the PATH. Empty when it is nowhere.
QString findProgram(const QString &name, const QDir &here) {
    if (name.contains(QLatin1Char('/')) || name.contains(QLatin1Char('\\')))
        return name;
    const QString beside = QStandardPaths::findExecutable(name, {here.absolutePath()});
    return beside.isEmpty() ? QStandardPaths::findExecutable(name) : beside;
}

// Memory sizes of the parts the update knows; nothing is written to a part it cannot check.
struct Part {
    qint64 flash = 0;
    qint64 eeprom = 0;
};

std::optional<Part> partFor(const QString &device) {
    if (device.compare(QLatin1String("ATmega16"), Qt::CaseInsensitive) == 0)
        return Part{16 * 1024, 512};
    return std::nullopt;
}

// avrdude's output as we pass it on: without "#" and without any "Equal!", so that
// only our own verdict can count.
QByteArray harmless(QByteArray text) {
    text.replace('#', QByteArray());
    text.replace("Equal!", "Equal");
    return text;
}

// avrdude's own line after a successful verification of a memory.
bool verified(const QByteArray &output, const char *memory) {
    const QRegularExpression line(
        QStringLiteral("^avrdude(\\.exe)?: \\d+ bytes of %1 verified\\r?$")
            .arg(QLatin1String(memory)),
        QRegularExpression::MultilineOption);
    return line.match(QString::fromLocal8Bit(output)).hasMatch();
}

} // namespace

int main(int argc, char *argv[]) {
    QCoreApplication app(argc, argv);
    Request request;
    QString error;
    if (!parse(app.arguments().mid(1), &request, &error)) {
        say(error);
        return 2;
    }
    const std::optional<Part> part = partFor(request.device);
    if (!part) {
        say(QStringLiteral("nieznany układ %1; układ nie został skasowany").arg(request.device));
        return 3;
    }
    const auto checkImage = [](const QString &file, qint64 size) {
        const IntelHexCheck check = IntelHexCheck::ofFile(file, size);
        if (!check.ok)
            say(QStringLiteral("%1: %2; układ nie został skasowany").arg(file, check.error));
        return check.ok;
    };
    if (!request.flashFile.isEmpty() && !checkImage(request.flashFile, part->flash))
        return 3;
    if (!request.eepromFile.isEmpty() && !checkImage(request.eepromFile, part->eeprom))
        return 3;

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
    port = korven::platform::programmerPort(port);

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

    const QString programName =
        own.value(section, QStringLiteral("Program"), QStringLiteral("avrdude"));
    const QString program = findProgram(programName, here);
    if (program.isEmpty()) {
        say(QStringLiteral("nie znaleziono programu %1 (ani obok avrosp, ani w PATH); układ nie "
                           "został skasowany")
                .arg(programName));
        return 1;
    }
    QProcess avrdude;
    avrdude.setProcessChannelMode(QProcess::MergedChannels);
    // If we are ended (the update's time limit), avrdude goes too and frees the port.
    if (!korven::platform::startTiedToThisProcess(avrdude, program, args)) {
        say(avrdude.errorString());
        return 1;
    }
    const int stallSeconds = own.value(section, QStringLiteral("StallSeconds"), {}).toInt() > 0
                                 ? own.value(section, QStringLiteral("StallSeconds"), {}).toInt()
                                 : 30;
    const auto end = [&avrdude](const QString &why) {
        avrdude.kill();
        avrdude.waitForFinished(5000);
        say(why);
    };
    QByteArray output;
    qsizetype passedOn = 0;
    QElapsedTimer sinceProgress;
    sinceProgress.start();
    while (avrdude.state() != QProcess::NotRunning) {
        avrdude.waitForReadyRead(250);
        const QByteArray chunk = avrdude.readAll();
        if (!chunk.isEmpty()) {
            output += chunk;
            sinceProgress.start();
            // Whole lines only: an "Equal!" split over two reads is still caught.
            const qsizetype lineEnd = output.lastIndexOf('\n') + 1;
            if (lineEnd > passedOn) {
                print(harmless(output.mid(passedOn, lineEnd - passedOn)));
                passedOn = lineEnd;
            }
        }
        if (avrdude.state() == QProcess::NotRunning)
            break;
        if (!port.isEmpty() && !korven::platform::portPresent(port)) {
            end(QStringLiteral("port %1 zniknął (urządzenie odłączone); przerwano").arg(port));
            return 4;
        }
        if (sinceProgress.hasExpired(qint64(stallSeconds) * 1000)) {
            end(QStringLiteral("avrdude nie robi postępów od %1 s; przerwano").arg(stallSeconds));
            return 5;
        }
    }
    output += avrdude.readAll();
    print(harmless(output.mid(passedOn)) + '\n');
    if (avrdude.exitStatus() != QProcess::NormalExit)
        return 1;
    if (avrdude.exitCode() != 0)
        return avrdude.exitCode();
    if (request.programFlash && request.verifyFlash && verified(output, "flash"))
        print("Equal!\n");
    if (request.programEeprom && request.verifyEeprom && verified(output, "eeprom"))
        print("Equal!\n");
    return 0;
}
