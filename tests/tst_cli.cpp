#include "CliRun.h"
#ifdef KORVEN_EMU
#include "EmulatorProcess.h"
#endif
#ifdef KORVEN_HOST_CLI
#include "WineHost.h"
#endif

#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

using namespace korven;

namespace {
using Run = CliRun;
Run cli(const QStringList &args) { return runCli(args); }
QString writeProgram(const QTemporaryDir &dir, const QString &text) {
    return writeProgramText(dir, text);
}
} // namespace

class TestCli : public QObject {
    Q_OBJECT
private slots:
    void compilePrintsTheImage() {
        QTemporaryDir dir;
        const QString path =
            writeProgram(dir, QStringLiteral("1.0\r\n1\r\n4\r\n001: Prędkość min(1600,00) pps\r\n"
                                             "002: Skocz do linii(1)\r\n003: Koniec\r\n"));
        const Run r = cli({QStringLiteral("compile"), path});
        QCOMPARE(r.code, 0);
        QCOMPARE(r.out, QStringLiteral("00 04 00 00 D2\n04 FF F9\n05\n"));
        QCOMPARE(r.err, QString());
        // Lines end as the system's text files do.
#ifdef Q_OS_WIN
        QCOMPARE(r.rawOut, QByteArray("00 04 00 00 D2\r\n04 FF F9\r\n05\r\n"));
#else
        QCOMPARE(r.rawOut, QByteArray("00 04 00 00 D2\n04 FF F9\n05\n"));
#endif
    }
    void compileErrorNamesTheLine() {
        QTemporaryDir dir;
        const QString path = writeProgram(
            dir, QStringLiteral(
                     "1.0\r\n1\r\n4\r\n001: Stop\r\n002: Czekaj[ms](70000)\r\n003: Koniec\r\n"));
        const Run r = cli({QStringLiteral("compile"), path});
        QCOMPARE(r.code, 1);
        QCOMPARE(r.out, QString());
        QVERIFY(r.err.contains(QStringLiteral("Błąd w linii 2 (002: Czekaj[ms](70000))")));
    }
    void linesThatAreNoCommandsWarnAndNeverReachADevice() {
        QTemporaryDir dir;
        // Saved as UTF-8 by a Linux editor, with one damaged line.
        const QString path = dir.filePath(QStringLiteral("u.dat"));
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(QStringLiteral("1.0\r\n1\r\n4\r\n001: Prędkość min(1600,00) pps\r\n"
                               "002: Pr?dko?? max(1600,00) pps\r\n003: Koniec\r\n")
                    .toUtf8());
        f.close();
        Run r = cli({QStringLiteral("compile"), path});
        QCOMPARE(r.code, 0);
        QCOMPARE(r.out, QStringLiteral("00 04 00 00 D2\n\n05\n"));
        QVERIFY(r.err.startsWith(QStringLiteral(
            "Uwaga: Linia 2 nie jest poleceniem: „002: Pr?dko?? max(1600,00) pps”")));
        const QStringList refusals = {"program",
                                      "Program nie został wysłany: linia 2 nie jest "
                                      "poleceniem",
                                      "verify",
                                      "Weryfikacja niemożliwa: linia 2 nie jest poleceniem"};
        for (int i = 0; i < refusals.size(); i += 2) {
            r = cli({refusals[i], path, QStringLiteral("--port"),
                     dir.filePath(QStringLiteral("no-such-port"))});
            QCOMPARE(r.code, 1);
            QVERIFY2(r.err.contains(refusals[i + 1]), qPrintable(r.err));
        }
    }
    void checkVerdicts() {
        QTemporaryDir dir;
        QString path = writeProgram(dir, QStringLiteral("1.0\r\n0\r\n0\r\n001: Koniec\r\n"));
        Run r = cli({QStringLiteral("check"), path});
        QCOMPARE(r.code, 1);
        QCOMPARE(r.out, QStringLiteral("Brak zdefiniowanej prędkości minimalnej !\n"
                                       "Składnia programu jest niepoprawna\n"));
        path = writeProgram(dir,
                            QStringLiteral("1.0\r\n0\r\n0\r\n001: Prędkość min(10,00) pps\r\n"
                                           "002: Prędkość max(100,00) pps\r\n"
                                           "003: Przysp. max(232,83) pps/s^2\r\n004: Koniec\r\n"));
        r = cli({QStringLiteral("check"), path});
        QCOMPARE(r.code, 0);
        QCOMPARE(r.out, QStringLiteral("Składnia programu jest poprawna\n"));
    }
    void badInput() {
        QTemporaryDir dir;
        Run r = cli({QStringLiteral("compile"), dir.filePath(QStringLiteral("none.dat"))});
        QCOMPARE(r.code, 2);
        QVERIFY(r.err.contains(QStringLiteral("none.dat")));
        const QString path = writeProgram(dir, QStringLiteral("2.0\r\n0\r\n0\r\n001: Koniec\r\n"));
        r = cli({QStringLiteral("check"), path});
        QCOMPARE(r.code, 2);
        QVERIFY(r.err.contains(QStringLiteral("Niepoprawna wersja pliku !")));
        // An unknown command, option or argument is said in one line, not with the help.
        r = cli({QStringLiteral("frobnicate")});
        QCOMPARE(r.code, 2);
        QCOMPARE(r.err, QStringLiteral("Nieznane polecenie „frobnicate”; polecenia wypisuje "
                                       "korven-cli --help.\n"));
        QCOMPARE(r.out, QString());
        r = cli({QStringLiteral("compile")});
        QCOMPARE(r.code, 2);
        QCOMPARE(r.err, QStringLiteral("Polecenie compile wymaga jednego pliku programu .dat.\n"));
        r = cli({QStringLiteral("check"), path, QStringLiteral("--lista")});
        QCOMPARE(r.code, 2);
        QCOMPARE(r.err, QStringLiteral("Polecenie check nie zna opcji „--lista”.\n"));
        r = cli({QStringLiteral("run"), QStringLiteral("--port"), QStringLiteral("x"),
                 QStringLiteral("teraz")});
        QCOMPARE(r.code, 2);
        QCOMPARE(r.err, QStringLiteral("Polecenie run nie przyjmuje argumentu „teraz”.\n"));
        r = cli({});
        QCOMPARE(r.code, 2);
        QVERIFY(r.err.contains(QStringLiteral("Użycie")));
    }
    void compileListingShowsLinesAddressesAndBytes() {
        QTemporaryDir dir;
        const QString path =
            writeProgram(dir, QStringLiteral("1.0\r\n1\r\n4\r\n001: Prędkość min(1600,00) pps\r\n"
                                             "002: Czekaj[ms](300)  # chwytak się zamyka\r\n"
                                             "003: Skocz do linii(1)\r\n004: Koniec\r\n"));
        Run r = cli({QStringLiteral("compile"), QStringLiteral("--listing"), path});
        QCOMPARE(r.code, 0);
        QCOMPARE(r.err, QString());
        QCOMPARE(r.out.split(QLatin1Char('\n'), Qt::SkipEmptyParts),
                 QStringList(
                     {"001     0  00 04 00 00 D2" + QString(24, QLatin1Char(' ')) +
                          "  Prędkość min(1600,00) pps",
                      "002     5  07 01 2C" + QString(30, QLatin1Char(' ')) +
                          "  Czekaj[ms](300)  # chwytak się zamyka",
                      "003     8  04 FF F6" + QString(30, QLatin1Char(' ')) + "  Skocz do linii(1)",
                      "004    11  05" + QString(36, QLatin1Char(' ')) + "  Koniec"}));
        // The option may come after the file; a compile error prints no listing.
        QCOMPARE(cli({QStringLiteral("compile"), path, QStringLiteral("--listing")}).out, r.out);
        const QString broken = writeProgram(
            dir, QStringLiteral("1.0\r\n1\r\n4\r\n001: Czekaj[ms](70000)\r\n002: Koniec\r\n"));
        r = cli({QStringLiteral("compile"), QStringLiteral("--listing"), broken});
        QCOMPARE(r.code, 1);
        QCOMPARE(r.out, QString());
        QVERIFY(r.err.contains(QStringLiteral("Błąd w linii 1")));
    }
    void checkNamesTheLineOfTheFault() {
        QTemporaryDir dir;
        const QString path =
            writeProgram(dir, QStringLiteral("1.0\r\n1\r\n4\r\n001: Prędkość min(10,00) pps\r\n"
                                             "002: Przysp. max(232,83) pps/s^2\r\n"
                                             "003: Prędkość max(100,00) pps\r\n004: Koniec\r\n"));
        const Run r = cli({QStringLiteral("check"), path});
        QCOMPARE(r.code, 1);
        QCOMPARE(r.out, QStringLiteral("Przyspieszenie maksymalne nie może być przed prędkością "
                                       "minimalną lub maksymalną ! (linia 2)\n"
                                       "Składnia programu jest niepoprawna\n"));
    }
#ifdef KORVEN_EMU
    void deviceCommands() {
        QTemporaryDir dir;
        const QString path = writeProgram(
            dir, QStringLiteral("1.0\r\n1\r\n4\r\n001: Czekaj[ms](10)\r\n002: Koniec\r\n"));
        EmulatorProcess emu;
        const QString port = emu.path();
        Run r = cli({QStringLiteral("program"), path, QStringLiteral("--port"), port});
        QCOMPARE(r.code, 0);
        QCOMPARE(r.out, QStringLiteral("Programowanie mikroindeksera\n"
                                       "Programowanie mikroindeksera zakończone pomyślnie\n"));
        r = cli({QStringLiteral("verify"), QStringLiteral("--port"), port, path});
        QCOMPARE(r.code, 0);
        QCOMPARE(r.out, QStringLiteral("Weryfikacja OK\n"));
        r = cli({QStringLiteral("test"), QStringLiteral("--port"), port});
        QCOMPARE(r.code, 0);
        QCOMPARE(r.out, QStringLiteral("Komunikacja OK Mikroindekser KORVEN-EMU 1.0\n"));
        r = cli({QStringLiteral("run"), QStringLiteral("--port"), port});
        QCOMPARE(r.code, 0);
        QCOMPARE(r.out, QStringLiteral("Program uruchomiony\n"));
        r = cli({QStringLiteral("stop"), QStringLiteral("--port"), port});
        QCOMPARE(r.code, 0);
        QCOMPARE(r.out, QStringLiteral("Wysłano stop awaryjny (\"s\")\n"));
        r = cli({QStringLiteral("reset"), QStringLiteral("--port"), port});
        QCOMPARE(r.code, 0);
        QCOMPARE(r.out, QStringLiteral("Wysłano reset (\"t\"), odczekano 2 s na ponowny start "
                                       "mikroindeksera\n"));
    }
    void verifyNamesTheLinesThatDiffer() {
        QTemporaryDir dir;
        const QString path = writeProgram(
            dir, QStringLiteral("1.0\r\n1\r\n4\r\n001: Czekaj[ms](10)\r\n002: Czekaj[ms](20)\r\n"
                                "003: Koniec\r\n"));
        // The device keeps the fifth byte (in line 2) changed.
        EmulatorProcess emu({QStringLiteral("--corrupt-at"), QStringLiteral("5")});
        QCOMPARE(cli({QStringLiteral("program"), path, QStringLiteral("--port"), emu.path()}).code,
                 0);
        const Run r = cli({QStringLiteral("verify"), path, QStringLiteral("--port"), emu.path()});
        QCOMPARE(r.code, 1);
        QCOMPARE(r.out, QStringLiteral("Błędy w transmisji !\n"
                                       "Weryfikacja - brak zgodności\n"
                                       "Linia 2: oczekiwano 07 00 14, odebrano 07 FF 14\n"));
    }
    void aProductionLineOfDevices() {
        QTemporaryDir dir;
        const QString path = writeProgram(
            dir, QStringLiteral("1.0\r\n1\r\n4\r\n001: Czekaj[ms](10)\r\n002: Czekaj[ms](20)\r\n"
                                "003: Koniec\r\n"));
        EmulatorProcess good1, good2({QStringLiteral("--paced")});
        EmulatorProcess silent({QStringLiteral("--silent")});
        EmulatorProcess wrong({QStringLiteral("--wrong-echo-at"), QStringLiteral("2")});
        const QStringList ports = {good1.path(), silent.path(), wrong.path(), good2.path()};
        QStringList args = {QStringLiteral("program"), path};
        for (const QString &port : ports)
            args << QStringLiteral("--port") << port;
        Run r = cli(args);
        QCOMPARE(r.code, 1);
        QStringList lines = r.out.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
        QCOMPARE(lines.size(), 5);
        // One line per device as it finishes, in whatever order, and the summary.
        const QRegularExpression time(QStringLiteral(" \\(\\d+,\\d\\d s\\)$"));
        const auto lineOf = [&](const QString &port) {
            for (const QString &line : lines)
                if (line.startsWith(port + QStringLiteral(": ")))
                    return QString(line).remove(time);
            return QString();
        };
        for (int i = 0; i < 4; ++i)
            QVERIFY2(time.match(lines[i]).hasMatch(), qPrintable(lines[i]));
        const QString ok = QStringLiteral("Programowanie mikroindeksera zakończone pomyślnie");
        const QString failed = QStringLiteral("Błąd przy programowaniu mikroindeksera");
        QCOMPARE(lineOf(good1.path()), good1.path() + QStringLiteral(": ") + ok);
        QCOMPARE(lineOf(good2.path()), good2.path() + QStringLiteral(": ") + ok);
        QCOMPARE(lineOf(silent.path()), silent.path() + QStringLiteral(": ") + failed +
                                            QStringLiteral(": Mikroindekser nie odpowiada !"));
        QCOMPARE(lineOf(wrong.path()), wrong.path() + QStringLiteral(": ") + failed +
                                           QStringLiteral(": Błędy w transmisji !"));
        QVERIFY2(lines[4].startsWith(QStringLiteral("Podsumowanie: zaprogramowane pomyślnie 2 z "
                                                    "4; błąd: ")),
                 qPrintable(lines[4]));
        QVERIFY(lines[4].contains(silent.path()) && lines[4].contains(wrong.path()));

        // The good ones verify, from a file of the line's ports.
        QFile list(dir.filePath(QStringLiteral("ports.txt")));
        QVERIFY(list.open(QIODevice::WriteOnly));
        list.write("# stanowisko 1\n" + good1.path().toLocal8Bit() + "\n\n" +
                   good2.path().toLocal8Bit() + "\n");
        list.close();
        r = cli({QStringLiteral("verify"), path, QStringLiteral("--ports-file"), list.fileName()});
        QCOMPARE(r.code, 0);
        lines = r.out.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
        QCOMPARE(lines.size(), 3);
        QCOMPARE(lineOf(good1.path()), good1.path() + QStringLiteral(": Weryfikacja OK"));
        QCOMPARE(lineOf(good2.path()), good2.path() + QStringLiteral(": Weryfikacja OK"));
        QVERIFY2(lines[2].startsWith(QStringLiteral("Podsumowanie: zgodne 2 z 2 (czas ")),
                 qPrintable(lines[2]));

        // A port named twice, a missing ports file, several ports for a one-port command.
        r = cli({QStringLiteral("program"), path, QStringLiteral("--port"), good1.path(),
                 QStringLiteral("--ports-file"), list.fileName()});
        QCOMPARE(r.code, 2);
        QCOMPARE(r.err, QStringLiteral("Port %1 podano więcej niż raz.\n").arg(good1.path()));
        r = cli({QStringLiteral("program"), path, QStringLiteral("--ports-file"),
                 dir.filePath(QStringLiteral("none.txt"))});
        QCOMPARE(r.code, 2);
        QVERIFY(r.err.startsWith(QStringLiteral("Nie można odczytać pliku portów: ")));
        r = cli({QStringLiteral("run"), QStringLiteral("--port"), good1.path(),
                 QStringLiteral("--port"), good2.path()});
        QCOMPARE(r.code, 2);
        // A port that cannot be opened is one failed device of the line.
        r = cli({QStringLiteral("verify"), path, QStringLiteral("--port"), good1.path(),
                 QStringLiteral("--port"), dir.filePath(QStringLiteral("none"))});
        QCOMPARE(r.code, 1);
        QVERIFY2(r.out.contains(QStringLiteral(": Weryfikacja - brak zgodności: Nie mogę "
                                               "otworzyć portu (")),
                 qPrintable(r.out));
    }
    void deviceFailures() {
        QTemporaryDir dir;
        const QString path = writeProgram(dir, QStringLiteral("1.0\r\n1\r\n4\r\n001: Koniec\r\n"));
        EmulatorProcess silent({QStringLiteral("--silent")});
        Run r = cli({QStringLiteral("program"), path, QStringLiteral("--port"), silent.path()});
        QCOMPARE(r.code, 1);
        QVERIFY(r.out.endsWith(QStringLiteral("Błąd przy programowaniu mikroindeksera\n")));
        r = cli({QStringLiteral("test"), QStringLiteral("--port"),
                 dir.filePath(QStringLiteral("none"))});
        QCOMPARE(r.code, 2);
        QVERIFY(r.err.startsWith(QStringLiteral("Nie mogę otworzyć portu: ")));
        QCOMPARE(cli({QStringLiteral("run")}).code, 2);
        QCOMPARE(cli({QStringLiteral("program"), QStringLiteral("--port"), silent.path()}).code, 2);
    }
    void deviceRefusals() {
        QTemporaryDir dir;
        EmulatorProcess emu({QStringLiteral("--log"), dir.filePath(QStringLiteral("rx"))});
        // No program lines: nothing is sent, the device keeps its program.
        const QString empty = writeProgram(dir, QStringLiteral("1.0\r\n1\r\n4\r\n"));
        Run r = cli({QStringLiteral("program"), empty, QStringLiteral("--port"), emu.path()});
        QCOMPARE(r.code, 1);
        QCOMPARE(r.out, QStringLiteral("Brak poleceń !\n"));
        // Too long for the device: the reason, once, and no retry.
        QString text = QStringLiteral("1.0\r\n1\r\n4\r\n");
        for (int i = 1; i <= 340; ++i)
            text += QStringLiteral("%1: Czekaj[ms](10)\r\n").arg(i, 3, 10, QLatin1Char('0'));
        text += QStringLiteral("341: Koniec\r\n");
        const QString tooLong = writeProgram(dir, text);
        r = cli({QStringLiteral("program"), tooLong, QStringLiteral("--port"), emu.path()});
        QCOMPARE(r.code, 1);
        QCOMPARE(r.out, QStringLiteral("Program nie mieści się w pamięci mikroindeksera "
                                       "(1021 z 1000 bajtów)\n"));
        QFile rx(dir.filePath(QStringLiteral("rx")));
        QVERIFY(!rx.exists() || rx.size() == 0);
        // A port error ends the command with its message and the command's verdict.
        EmulatorProcess hangsUp({QStringLiteral("--hangup-after"), QStringLiteral("4")});
        const QString small = writeProgram(
            dir, QStringLiteral("1.0\r\n1\r\n4\r\n001: Czekaj[ms](10)\r\n002: Koniec\r\n"));
        r = cli({QStringLiteral("program"), small, QStringLiteral("--port"), hangsUp.path()});
        QCOMPARE(r.code, 1);
        QVERIFY2(r.err.contains(QStringLiteral("function failed (urządzenie zostało odłączone)")),
                 qPrintable(r.err));
        QVERIFY(r.out.endsWith(QStringLiteral("Błąd przy programowaniu mikroindeksera\n")));
    }
#endif
    void sameLinesAsTheLinuxProgram() {
#ifndef KORVEN_HOST_CLI
        QSKIP("compares the Windows program with the Linux one: under Wine only");
#else
        // The image, the check and the simulated run of one program, from korven-cli.exe
        // under Wine and from the Linux build's korven-cli: the same lines.
        QTemporaryDir dir;
        const QString path = writeProgram(
            dir, QStringLiteral("1.0\r\n1\r\n4\r\n001: Prędkość min(1600,00) pps\r\n"
                                "002: Prędkość max(6000,00) pps\r\n"
                                "003: Przysp. max(20000,00) pps/s^2\r\n004: Enable(1)\r\n"
                                "005: Znajdź pozycję(12345)\r\n006: Czekaj[ms](250)\r\n"
                                "007: Prędkość docelowa(-3000,00) pps\r\n008: Czekaj[s](2)\r\n"
                                "009: Hamuj\r\n010: Koniec\r\n"));
        for (const QStringList &command :
             {QStringList{QStringLiteral("compile"), path},
              QStringList{QStringLiteral("check"), path},
              QStringList{QStringLiteral("simulate"), path},
              QStringList{QStringLiteral("simulate"), path, QStringLiteral("--json")}}) {
            const Run windows = cli(command);
            QStringList linux = command;
            linux[1] = hostPath(path);
            const HostCommandResult host =
                runHostCommand(QStringList{QStringLiteral(KORVEN_HOST_CLI)} + linux);
            QVERIFY(host.finished);
            QCOMPARE(windows.code, host.exitCode);
            QVERIFY(!windows.out.isEmpty());
            QCOMPARE(windows.out, QString::fromUtf8(host.output));
        }
#endif
    }
    void helpAndVersion() {
        Run r = cli({QStringLiteral("--help")});
        QCOMPARE(r.code, 0);
        QVERIFY(r.out.contains(QStringLiteral("compile PLIK.dat")));
        r = cli({QStringLiteral("--version")});
        QCOMPARE(r.code, 0);
        QVERIFY(r.out.startsWith(QStringLiteral("korven-cli 1.0.1  [Build: ")));
    }
};

QTEST_GUILESS_MAIN(TestCli)
#include "tst_cli.moc"
