// korven-cli simulate: the printed run, the JSON object, the refusals.

#include "CliRun.h"

#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

using namespace korven;

namespace {
using Run = CliRun;
Run cli(const QStringList &args) { return runCli(args); }

// A program file for driver model 1, depth 4 (PulsDiv 5).
QString writeProgram(const QTemporaryDir &dir, const QStringList &bodies) {
    QString text = QStringLiteral("1.0\r\n1\r\n4\r\n");
    for (int i = 0; i < bodies.size(); ++i)
        text += QStringLiteral("%1: %2\r\n").arg(i + 1, 3, 10, QLatin1Char('0')).arg(bodies[i]);
    return writeProgramText(dir, text);
}

const QStringList kWaitForInput = {QStringLiteral("Skocz jeśli wejście(4)(5)(1)"),
                                   QStringLiteral("Czekaj[ms](250)"),
                                   QStringLiteral("Skocz do linii(1)"), QStringLiteral("Koniec")};

} // namespace

class TestCliSimulate : public QObject {
    Q_OBJECT
private slots:
    void printsEachCommandAndTheSummary() {
        QTemporaryDir dir;
        const QString path = writeProgram(
            dir, {QStringLiteral("Ustaw licznik powtórzeń(9)"), QStringLiteral("Czekaj[ms](250)"),
                  QStringLiteral("Skocz jeśli licz. powt.(2)"), QStringLiteral("Koniec")});
        const Run r = cli({QStringLiteral("simulate"), path});
        QCOMPARE(r.code, 0);
        const QStringList lines = r.out.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
        QCOMPARE(lines.size(), 22 + 2);
        QCOMPARE(lines[1],
                 QStringLiteral("0,000000 s  linia 002  x = 0,00  v = 0,00  Czekaj[ms](250)"));
        QCOMPARE(lines[21], QStringLiteral("2,500000 s  linia 004  x = 0,00  v = 0,00  Koniec"));
        QCOMPARE(lines[22], QStringLiteral("Program kończy się poleceniem Koniec po 2,500000 s."));
        QCOMPARE(lines[23],
                 QStringLiteral("Pozycja końcowa: 0,00 kroków. Wykonane polecenia: 22."));
    }
    void jsonHasTheKeysAndTakesTheSwitches() {
        QTemporaryDir dir;
        const QString path = writeProgram(dir, kWaitForInput);
        Run r = cli({QStringLiteral("simulate"), path, QStringLiteral("--json"),
                     QStringLiteral("--input"), QStringLiteral("5=1@0,6")});
        QCOMPARE(r.code, 0);
        QCOMPARE(r.out.count(QLatin1Char('\n')), 1);
        QJsonObject o = QJsonDocument::fromJson(r.out.toUtf8()).object();
        QCOMPARE(o.keys(), (QStringList{"end", "line_counts", "position", "steps", "time_s"}));
        QCOMPARE(o.value("end").toString(), QStringLiteral("koniec"));
        QCOMPARE(o.value("time_s").toDouble(), 0.75);
        QCOMPARE(o.value("steps").toInt(), 4 + 3 + 3 + 1);
        QCOMPARE(o.value("line_counts").toObject().value("1").toInt(), 4);
        // Without the input: an endless loop with its period.
        r = cli({QStringLiteral("simulate"), path, QStringLiteral("--json")});
        o = QJsonDocument::fromJson(r.out.toUtf8()).object();
        QCOMPARE(o.value("end").toString(), QStringLiteral("loop"));
        QCOMPARE(o.value("period_s").toDouble(), 0.25);
        // The limits.
        r = cli({QStringLiteral("simulate"), path, QStringLiteral("--json"),
                 QStringLiteral("--input=5=1@100"), QStringLiteral("--max-time"),
                 QStringLiteral("10")});
        o = QJsonDocument::fromJson(r.out.toUtf8()).object();
        QCOMPARE(o.value("end").toString(), QStringLiteral("time_limit"));
        QCOMPARE(o.value("time_s").toDouble(), 10.0);
        r = cli({QStringLiteral("simulate"), path, QStringLiteral("--json"),
                 QStringLiteral("--input=5=1@100"), QStringLiteral("--max-steps"),
                 QStringLiteral("7")});
        o = QJsonDocument::fromJson(r.out.toUtf8()).object();
        QCOMPARE(o.value("end").toString(), QStringLiteral("step_limit"));
        QCOMPARE(o.value("steps").toInt(), 7);
    }
    void busyWaitForAnInput() {
        // Pick and place: to 20000, 300 ms, OUT 1 on, wait for IN 3, back to 0, OUT 1 off.
        QTemporaryDir dir;
        const QString path = writeProgram(
            dir,
            {QStringLiteral("Prędkość min(100,00) pps"),
             QStringLiteral("Prędkość max(1000,00) pps"),
             QStringLiteral("Przysp. max(476604,33) pps/s^2"),
             QStringLiteral("Znajdź HOME(500,00)(0)"), QStringLiteral("Ustaw licznik powtórzeń(9)"),
             QStringLiteral("Znajdź pozycję(20000)"), QStringLiteral("Czekaj[ms](300)"),
             QStringLiteral("Ustaw wyjście(1)(1)"), QStringLiteral("Skocz jeśli wejście(9)(3)(0)"),
             QStringLiteral("Znajdź pozycję(0)"), QStringLiteral("Ustaw wyjście(1)(0)"),
             QStringLiteral("Skocz jeśli licz. powt.(6)"), QStringLiteral("Koniec")});
        Run r = cli({QStringLiteral("simulate"), path});
        QCOMPARE(r.code, 0);
        const QStringList lines = r.out.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
        QVERIFY2(lines.value(lines.size() - 2)
                     .startsWith(QStringLiteral(
                         "Program czeka bez końca na zmianę wejścia IN 3 (linia 9), od ")),
                 qPrintable(r.out));
        QJsonObject o =
            QJsonDocument::fromJson(
                cli({QStringLiteral("simulate"), path, QStringLiteral("--json")}).out.toUtf8())
                .object();
        QCOMPARE(o.value("end").toString(), QStringLiteral("wait"));
        QVERIFY(!o.contains("period_s"));
        QCOMPARE(o.value("wait_line").toInt(), 9);
        QCOMPARE(o.value("wait_input").toInt(), 3);
        QCOMPARE(o.value("position").toDouble(), 20000.0);
        const double firstMove = o.value("time_s").toDouble();
        QVERIFY(firstMove > 20 && firstMove < 21);
        // IN 3 on at 35 s: ten cycles, each waiting for nothing once the input is on.
        o = QJsonDocument::fromJson(cli({QStringLiteral("simulate"), path, QStringLiteral("--json"),
                                         QStringLiteral("--input"), QStringLiteral("3=1@35")})
                                        .out.toUtf8())
                .object();
        QCOMPARE(o.value("end").toString(), QStringLiteral("koniec"));
        QCOMPARE(o.value("line_counts").toObject().value("9").toInt(), 2 + 9);
        QVERIFY(o.value("steps").toInt() < 100);
        // A decimal comma in every time: the limit cuts the wait at 3,5 s.
        o = QJsonDocument::fromJson(cli({QStringLiteral("simulate"), path, QStringLiteral("--json"),
                                         QStringLiteral("--input=3=1@35,5"),
                                         QStringLiteral("--max-time"), QStringLiteral("30,5")})
                                        .out.toUtf8())
                .object();
        QCOMPARE(o.value("end").toString(), QStringLiteral("time_limit"));
        QCOMPARE(o.value("time_s").toDouble(), 30.5);
    }
    void errorsNameTheLineAndExitOne() {
        QTemporaryDir dir;
        const QString path =
            writeProgram(dir, {QStringLiteral("Znajdź HOME(100,00)(0)"), QStringLiteral("Koniec")});
        const Run r = cli({QStringLiteral("simulate"), path, QStringLiteral("--json"),
                           QStringLiteral("--home-at"), QStringLiteral("-200")});
        QCOMPARE(r.code, 1);
        const QJsonObject o = QJsonDocument::fromJson(r.out.toUtf8()).object();
        QCOMPARE(o.value("end").toString(), QStringLiteral("error"));
        QVERIFY(o.value("error").toString().startsWith(QStringLiteral("Błąd w linii 1")));
    }
    void badOptionsExitTwo() {
        QTemporaryDir dir;
        const QString path = writeProgram(dir, kWaitForInput);
        const QList<QStringList> bad = {
            {QStringLiteral("simulate")},
            {QStringLiteral("simulate"), path, QStringLiteral("--input"), QStringLiteral("9=1@0")},
            {QStringLiteral("simulate"), path, QStringLiteral("--input"), QStringLiteral("1=1")},
            {QStringLiteral("simulate"), path, QStringLiteral("--input")},
            {QStringLiteral("simulate"), path, QStringLiteral("--max-time"), QStringLiteral("0")},
            {QStringLiteral("simulate"), path, QStringLiteral("--max-steps"), QStringLiteral("x")},
            {QStringLiteral("simulate"), path, QStringLiteral("--home-at"), QStringLiteral("a")},
            {QStringLiteral("simulate"), path, QStringLiteral("--fast")},
            {QStringLiteral("simulate"), path, path},
            {QStringLiteral("simulate"), dir.filePath(QStringLiteral("none.dat"))}};
        for (const QStringList &args : bad) {
            const Run r = cli(args);
            QVERIFY2(r.code == 2, qPrintable(args.join(' ')));
            QVERIFY2(!r.err.trimmed().isEmpty(), qPrintable(args.join(' ')));
            QCOMPARE(r.out, QString());
        }
    }
    void linesThatAreNoCommandAreNamedAndLongNumbersKeepTheText() {
        QTemporaryDir dir;
        QStringList bodies(1004, QStringLiteral("Czekaj[ms](1)"));
        bodies[1] = QStringLiteral("to nie jest polecenie");
        bodies.append(QStringLiteral("Koniec"));
        const Run r = cli({QStringLiteral("simulate"), writeProgram(dir, bodies)});
        QCOMPARE(r.code, 0);
        QVERIFY2(r.err.contains(QStringLiteral("Uwaga: Linia 2 nie jest poleceniem")),
                 qPrintable(r.err));
        // The trace shows the line's text after its number field, however long that is.
        QVERIFY(r.out.contains(QStringLiteral("linia 1000  x = 0,00  v = 0,00  Czekaj[ms](1)\n")));
        QVERIFY(r.out.contains(QStringLiteral("linia 003  x = 0,00  v = 0,00  Czekaj[ms](1)\n")));
    }
};

QTEST_GUILESS_MAIN(TestCliSimulate)
#include "tst_cli_simulate.moc"
