#include "NumberedLines.h"
#include "ProgramCheck.h"
#include "ProgramLine.h"

#include <QTest>

using namespace korven;

namespace {
QStringList program(std::initializer_list<const char *> bodies) { return numbered(bodies); }
const char *kMin = "Prędkość min(100,00) pps";
const char *kMax = "Prędkość max(1000,00) pps";
const char *kAcc = "Przysp. max(232,83) pps/s^2";
const char *kTarget = "Prędkość docelowa(500,00) pps";
} // namespace

class TestProgramCheck : public QObject {
    Q_OBJECT
private slots:
    void rules_data() {
        QTest::addColumn<QStringList>("lines");
        QTest::addColumn<QString>("message");
        const QString positioning =
            QStringLiteral("Znajdź pozycję nie może być przed prędkością minimalną, maksymalną lub "
                           "przyspieszeniem maksymalnym !");
        QTest::newRow("start-up") << program({"Koniec"})
                                  << QStringLiteral("Brak zdefiniowanej prędkości minimalnej !");
        QTest::newRow("no max") << program({kMin, "Koniec"})
                                << QStringLiteral("Brak zdefiniowanej prędkości maksymalnej !");
        QTest::newRow("no accel") << program({kMin, kMax, "Koniec"})
                                  << QStringLiteral(
                                         "Brak zdefiniowanego przyspieszenia maksymalnego !");
        QTest::newRow("accel between speeds")
            << program({kMin, kAcc, kMax, "Koniec"})
            << QStringLiteral("Przyspieszenie maksymalne nie może być przed prędkością minimalną "
                              "lub maksymalną !");
        const QString target = QStringLiteral(
            "Prędkość docelowa nie może być przed prędkością minimalną, maksymalną lub "
            "przyspieszeniem maksymalnym !");
        QTest::newRow("target before accel")
            << program({kMin, kMax, kTarget, kAcc, "Koniec"}) << target;
        QTest::newRow("target before min")
            << program({kTarget, kMin, kMax, kAcc, "Koniec"}) << target;
        QTest::newRow("home before accel")
            << program({kMin, kMax, "Znajdź HOME(100,00)(0)", kAcc, "Koniec"}) << positioning;
        QTest::newRow("position before accel")
            << program({kMin, kMax, "Znajdź pozycję(5)", kAcc, "Koniec"}) << positioning;
        QTest::newRow("correct") << program({kMin, kMax, kAcc, "Stop", "Koniec"}) << QString();
        QTest::newRow("only first occurrences count")
            << program({kMin, kMax, kAcc, "Znajdź pozycję(5)", kMin, kTarget, "Koniec"})
            << QString();
    }
    void rules() {
        QFETCH(QStringList, lines);
        QFETCH(QString, message);
        const CheckResult r = SprawdzProgram(lines);
        QCOMPARE(r.ok, message.isEmpty());
        QCOMPARE(r.message, message);
        QCOMPARE(checkVerdict(r), r.ok ? QStringLiteral("Składnia programu jest poprawna")
                                       : QStringLiteral("Składnia programu jest niepoprawna"));
    }
    void theFaultNamesItsLine() {
        CheckResult r = SprawdzProgram(program({kMin, kAcc, kMax, "Koniec"}));
        QCOMPARE(r.line, 1);
        QCOMPARE(checkMessage(r), r.message + QStringLiteral(" (linia 2)"));
        r = SprawdzProgram(
            program({kMin, kMax, kAcc, "Stop", "Znajdź HOME(100,00)(0)  # baza", "Koniec"}));
        QVERIFY(r.ok);
        r = SprawdzProgram(
            program({"Stop", kTarget, kMin, kMax, "Znajdź pozycję(5)", kAcc, "Koniec"}));
        QCOMPARE(r.line, 1);
        r = SprawdzProgram(program({kMin, kMax, "Stop", "Znajdź pozycję(5)", kAcc, "Koniec"}));
        QCOMPARE(checkMessage(r).right(10), QStringLiteral(" (linia 4)"));
        // A missing setting has no line.
        r = SprawdzProgram(program({kMin, "Koniec"}));
        QCOMPARE(r.line, -1);
        QCOMPARE(checkMessage(r), r.message);
    }
};

QTEST_GUILESS_MAIN(TestProgramCheck)
#include "tst_programcheck.moc"
