// korven-emu: a mikroindekser on a pseudo-terminal, to try and test the program without
// hardware. Prints the terminal's path, then plays the device until it is ended.

#include "DeviceEmulator.h"
#include "ProfileFile.h"
#include "ProgramRunOptions.h"
#include "PseudoTerminal.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDir>

#include <cstdio>

using namespace korven;

int main(int argc, char *argv[]) {
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("korven-emu"));
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Emulator mikroindeksera na pseudoterminalu."));
    parser.addHelpOption();
    const QCommandLineOption ini(QStringLiteral("ini"),
                                 QStringLiteral("Zapisuje ścieżkę portu do rs232.ini w KATALOGU."),
                                 QStringLiteral("KATALOG"));
    const QCommandLineOption silent(QStringLiteral("silent"), QStringLiteral("Nie odpowiada."));
    const QCommandLineOption wrongEcho(QStringLiteral("wrong-echo-at"),
                                       QStringLiteral("Błędne echo N-tego bajtu programu."),
                                       QStringLiteral("N"));
    const QCommandLineOption extra(QStringLiteral("extra-byte"),
                                   QStringLiteral("Jeden bajt za dużo."));
    const QCommandLineOption lower(QStringLiteral("lowercase-echo"),
                                   QStringLiteral("Echo małymi literami."));
    const QCommandLineOption upperEnd(QStringLiteral("upper-end"),
                                      QStringLiteral("\"E\" zamiast \"e\"."));
    const QCommandLineOption swap(QStringLiteral("swap-length"),
                                  QStringLiteral("Zamienione bajty długości."));
    const QCommandLineOption hangup(QStringLiteral("hangup-after"),
                                    QStringLiteral("Rozłącza się po N bajtach."),
                                    QStringLiteral("N"));
    const QCommandLineOption mute(QStringLiteral("mute-after"),
                                  QStringLiteral("Milknie po N bajtach."), QStringLiteral("N"));
    const QCommandLineOption stale(QStringLiteral("stale"),
                                   QStringLiteral("N zaległych bajtów na starcie."),
                                   QStringLiteral("N"));
    const QCommandLineOption paced(QStringLiteral("paced"),
                                   QStringLiteral("Tempo łącza 38400 bit/s."));
    const QCommandLineOption log(QStringLiteral("log"),
                                 QStringLiteral("Dopisuje każdy odebrany bajt do PLIKU."),
                                 QStringLiteral("PLIK"));
    parser.addOptions(
        {ini, silent, wrongEcho, extra, lower, upperEnd, swap, hangup, mute, stale, paced, log});
    emu::addProgramRunOptions(parser);
    parser.process(app);
    emu::ProgramRunOptions run;
    if (QString error; !emu::programRunOptions(parser, &run, &error)) {
        std::fprintf(stderr, "korven-emu: %s\n", qPrintable(error));
        return 2;
    }

    emu::Faults faults;
    faults.silent = parser.isSet(silent);
    faults.wrongEchoAt = parser.value(wrongEcho).toInt();
    faults.extraByte = parser.isSet(extra);
    faults.lowercaseEcho = parser.isSet(lower);
    faults.upperCaseEnd = parser.isSet(upperEnd);
    faults.swapLength = parser.isSet(swap);
    faults.hangupAfter = parser.value(hangup).toInt();
    faults.muteAfter = parser.value(mute).toInt();
    faults.staleBytes = parser.value(stale).toInt();
    faults.paced = parser.isSet(paced);
    faults.receivedLog = parser.value(log);

    emu::PseudoTerminal terminal;
    if (!terminal.isOpen()) {
        std::fprintf(stderr, "korven-emu: %s\n", qPrintable(terminal.error()));
        return 1;
    }
    if (parser.isSet(ini)) {
        const QString path = QDir(parser.value(ini)).filePath(QStringLiteral("rs232.ini"));
        ProfileFile file;
        file.load(path);
        file.setValue(QStringLiteral("ComPort1"), QStringLiteral("Port"), terminal.slavePath());
        if (!file.save(path)) {
            std::fprintf(stderr, "korven-emu: nie można zapisać %s\n", qPrintable(path));
            return 1;
        }
    }
    emu::DeviceEmulator device(terminal, faults);
    device.setProgramRunOptions(run);
    std::printf("%s\n", qPrintable(terminal.slavePath()));
    std::fflush(stdout);
    return QCoreApplication::exec();
}
