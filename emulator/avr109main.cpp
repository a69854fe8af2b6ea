// korven-avr109-sim: an ATmega16 with an AVR109 boot loader on a pseudo-terminal, to run
// the firmware update's programming tool for real in tests. Prints the terminal's path.

#include "Avr109Simulator.h"
#include "PseudoTerminal.h"

#include <QCommandLineParser>
#include <QCoreApplication>

#include <cstdio>

using namespace korven::emu;

int main(int argc, char *argv[]) {
    QCoreApplication app(argc, argv);
    QCommandLineParser parser;
    parser.addHelpOption();
    const QCommandLineOption silent(QStringLiteral("silent"), QStringLiteral("Nie odpowiada."));
    const QCommandLineOption corrupt(QStringLiteral("corrupt-flash-byte"),
                                     QStringLiteral("Zapisuje bajt N pamięci flash błędnie."),
                                     QStringLiteral("N"));
    const QCommandLineOption hangup(QStringLiteral("hangup-after-writes"),
                                    QStringLiteral("Rozłącza się po N zapisach bloków."),
                                    QStringLiteral("N"));
    const QCommandLineOption log(QStringLiteral("log"),
                                 QStringLiteral("Zapisuje kasowania i zapisy bloków w PLIKU."),
                                 QStringLiteral("PLIK"));
    const QCommandLineOption mute(QStringLiteral("mute-after-writes"),
                                  QStringLiteral("Milknie po N zapisach bloków."),
                                  QStringLiteral("N"));
    parser.addOptions({silent, corrupt, hangup, mute, log});
    parser.process(app);
    Avr109Simulator::Faults faults;
    faults.silent = parser.isSet(silent);
    if (parser.isSet(corrupt))
        faults.corruptFlashByte = parser.value(corrupt).toInt();
    faults.hangupAfterWrites = parser.value(hangup).toInt();
    faults.muteAfterWrites = parser.value(mute).toInt();
    faults.log = parser.value(log);
    PseudoTerminal terminal;
    if (!terminal.isOpen()) {
        std::fprintf(stderr, "korven-avr109-sim: %s\n", qPrintable(terminal.error()));
        return 1;
    }
    Avr109Simulator simulator(terminal, faults);
    std::printf("%s\n", qPrintable(terminal.slavePath()));
    std::fflush(stdout);
    return QCoreApplication::exec();
}
