// korven-emu: a mikroindekser on a pseudo-terminal, to try and test the program without
// hardware. Prints the terminal's path, then plays the device until it is ended.

#include "DeviceEmulator.h"
#include "LinkFaultOptions.h"
#include "ProfileFile.h"
#include "ProgramRunOptions.h"
#include "PseudoTerminal.h"
#include "QtTranslations.h"
#include "VersionText.h"

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
    QCoreApplication::setApplicationVersion(GetVersionText());
    // The parser's own texts ("Użycie:", "Opcje:") in Polish too.
    installPolishQtTranslations(QCoreApplication::applicationDirPath());
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral(
        "Emulator mikroindeksera na pseudoterminalu: odsyła echo każdego bajtu, przechowuje\n"
        "załadowany program, odpowiada na weryfikację, wykonuje program i wysyła znaki stanu.\n"
        "Wypisuje ścieżkę pseudoterminala i działa do zakończenia (Ctrl+C, SIGTERM).\n"
        "Przełączniki błędów odtwarzają usterki urządzenia i łącza dla testów."));
    const QCommandLineOption help({QStringLiteral("h"), QStringLiteral("help")},
                                  QStringLiteral("Wyświetla tę pomoc."));
    parser.addOption(help);
    parser.addVersionOption();
    const QCommandLineOption withParent(
        QStringLiteral("with-parent"),
        QStringLiteral("Kończy pracę, gdy program, który go uruchomił, zamknie jego wejście."));
    parser.addOption(withParent);
    const QCommandLineOption ini(
        QStringLiteral("ini"),
        QStringLiteral("Zapisuje ścieżkę pseudoterminala jako Port w rs232.ini w KATALOGU "
                       "(pozostałe wpisy pliku zostają), np. tam, gdzie okno KORVEN "
                       "trzyma ustawienia."),
        QStringLiteral("KATALOG"));
    const QCommandLineOption silent(QStringLiteral("silent"),
                                    QStringLiteral("Nie odpowiada na nic (urządzenie milczy)."));
    const QCommandLineOption wrongEcho(
        QStringLiteral("wrong-echo-at"),
        QStringLiteral("Odsyła błędne echo N-tego bajtu programu (od 1)."), QStringLiteral("N"));
    const QCommandLineOption extra(
        QStringLiteral("extra-byte"),
        QStringLiteral("Wysyła jeden bajt za dużo po echu litery polecenia."));
    const QCommandLineOption lower(
        QStringLiteral("lowercase-echo"),
        QStringLiteral("Odsyła echo poleceń małymi literami (\"p\", \"w\", \"r\")."));
    const QCommandLineOption upperEnd(
        QStringLiteral("upper-end"),
        QStringLiteral("Kończy ładowanie i weryfikację znakiem \"E\" zamiast \"e\"."));
    const QCommandLineOption swap(
        QStringLiteral("swap-length"),
        QStringLiteral("Odsyła dwa bajty długości programu w odwrotnej kolejności."));
    const QCommandLineOption hangup(
        QStringLiteral("hangup-after"),
        QStringLiteral("Rozłącza się (zamyka pseudoterminal) po odebraniu N bajtów."),
        QStringLiteral("N"));
    const QCommandLineOption mute(QStringLiteral("mute-after"),
                                  QStringLiteral("Milknie po odebraniu N bajtów."),
                                  QStringLiteral("N"));
    const QCommandLineOption stale(
        QStringLiteral("stale"),
        QStringLiteral("Ma na starcie N zaległych bajtów do wysłania, zanim o cokolwiek "
                       "zostanie zapytany."),
        QStringLiteral("N"));
    const QCommandLineOption paced(
        QStringLiteral("paced"),
        QStringLiteral("Odpowiada w tempie prawdziwego łącza 38400 bit/s."));
    const QCommandLineOption log(QStringLiteral("log"),
                                 QStringLiteral("Dopisuje każdy odebrany bajt do PLIKU."),
                                 QStringLiteral("PLIK"));
    parser.addOptions(
        {ini, silent, wrongEcho, extra, lower, upperEnd, swap, hangup, mute, stale, paced, log});
    emu::addLinkFaultOptions(parser);
    emu::addProgramRunOptions(parser);
    parser.process(app);
    if (parser.isSet(help))
        parser.showHelp(0);
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
    emu::readLinkFaultOptions(parser, &faults);

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
    device.setProgramRunOptions(run);
    std::printf("%s\n", qPrintable(terminal.slavePath()));
    std::fflush(stdout);
    return QCoreApplication::exec();
}
