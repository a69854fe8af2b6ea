// korven-emu: a mikroindekser on a pseudo-terminal, to try and test the program without
// hardware. Prints the terminal's path, then plays the device until it is ended.

#include "DeviceEmulator.h"
#include "ProfileFile.h"
#include "PseudoTerminal.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QSocketNotifier>

#include <cstdio>
#include <memory>

using namespace korven;

int main(int argc, char *argv[]) {
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("korven-emu"));
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Emulator mikroindeksera na pseudoterminalu."));
    parser.addHelpOption();
    const QCommandLineOption withParent(
        QStringLiteral("with-parent"),
        QStringLiteral("Kończy pracę, gdy program, który go uruchomił, zamknie jego wejście."));
    parser.addOption(withParent);
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
    parser.addOptions(
        {ini, silent, wrongEcho, extra, lower, upperEnd, swap, hangup, mute, stale, paced});
    parser.process(app);

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
    // Started by the window: its end, a crash included, closes our input.
    QFile input;
    std::unique_ptr<QSocketNotifier> inputWatch;
    if (parser.isSet(withParent) &&
        input.open(stdin, QIODevice::ReadOnly | QIODevice::Unbuffered)) {
        inputWatch = std::make_unique<QSocketNotifier>(input.handle(), QSocketNotifier::Read);
        QObject::connect(inputWatch.get(), &QSocketNotifier::activated, &app, [&input] {
            char buffer[256];
            if (input.read(buffer, sizeof buffer) <= 0)
                QCoreApplication::quit();
        });
    }
    emu::DeviceEmulator device(terminal, faults);
    std::printf("%s\n", qPrintable(terminal.slavePath()));
    std::fflush(stdout);
    return QCoreApplication::exec();
}
