// A finished program moved to another drive: what no longer fits is said in one message.

#include "DriveChange.h"
#include "NumberedLines.h"
#include "ProgramLine.h"

#include <QTest>

using namespace korven;

namespace {

QStringList program(std::initializer_list<const char *> bodies) { return numbered(bodies); }

const DriveSettings kTrv10{1, 4, 5, 2047, 16};
const DriveSettings kTrv40{6, 3, 5, 1315, 8};
const DriveSettings kTrv31{3, 2, 3, 1965, 4};

} // namespace

class TestDriveChange : public QObject {
    Q_OBJECT
private slots:
    void valuesThatFitAreNotListed() {
        const QStringList lines = program({"Prędkość min(1600,00) pps", "Prędkość max(9000,00) pps",
                                           "Przysp. max(465,66) pps/s^2", "Stop", "Koniec"});
        QVERIFY(valuesOutsideDrive(lines, kTrv10).isEmpty());
        QVERIFY(valuesOutsideDrive(lines, kTrv40).isEmpty());
        QCOMPARE(driveChangeMessage({}), QString());
        // No driver: nothing to compare with.
        QVERIFY(
            valuesOutsideDrive(program({"Prędkość max(90000,00) pps"}), DriveSettings()).isEmpty());
    }
    void speedsBeyondTheNewDriverAreListed() {
        // TRV10 runs up to 15617,37 steps/s, TRV40 up to 10032,65.
        const QStringList lines =
            program({"Prędkość min(1600,00) pps", "Prędkość max(12000,00) pps  # szybko",
                     "Przysp. max(465,66) pps/s^2", "Prędkość docelowa(-11000,00) pps",
                     "Znajdź HOME(-10000,00)(2)", "Czekaj[ms](abc)", "Koniec"});
        QVERIFY(valuesOutsideDrive(lines, kTrv10).isEmpty());
        const QStringList outside = valuesOutsideDrive(lines, kTrv40);
        QCOMPARE(outside,
                 QStringList({"Linia 2 (002: Prędkość max(12000,00) pps): prędkość 12 000,00 "
                              "kroków/s jest poza zakresem sterownika (7,63..10 032,65).",
                              "Linia 4 (004: Prędkość docelowa(-11000,00) pps): prędkość "
                              "-11 000,00 kroków/s jest poza zakresem sterownika "
                              "(±7,63..±10 032,65)."}));
        const QString message = driveChangeMessage(outside);
        QVERIFY(message.startsWith(QStringLiteral("Program przeliczono dla nowego sterownika.")));
        QVERIFY(message.endsWith(outside.join(QLatin1Char('\n'))));
    }
    void accelerationsOffTheNewListAreListed() {
        // PulsDiv 3 counts accelerations in units of 3725,29 steps/s².
        const QStringList lines =
            program({"Przysp. max(465,66) pps/s^2", "Przysp. max(4656,60) pps/s^2",
                     "Przysp. max(3725,28) pps/s^2", "Prędkość min(7,63) pps", "Koniec"});
        const QStringList outside = valuesOutsideDrive(lines, kTrv31);
        QCOMPARE(outside.size(), 4);
        QCOMPARE(outside[0], QStringLiteral("Linia 1 (001: Przysp. max(465,66) pps/s^2): "
                                            "przyspieszenie 465,66 kroków/s² jest poza listą "
                                            "sterownika (3 725,29..7 625 669,21)."));
        QCOMPARE(outside[1], QStringLiteral("Linia 2 (002: Przysp. max(4656,60) pps/s^2): "
                                            "przyspieszenia 4 656,60 kroków/s² nie ma na liście "
                                            "sterownika; mikroindekser wykona najbliższe: "
                                            "3 725,29 kroków/s²."));
        // 3725,28 (16 × 232,83 of the old list) stands for the first entry, 3725,29.
        QVERIFY(outside[2].startsWith(QStringLiteral("Linia 3 ")));
        QVERIFY(outside[2].contains(QStringLiteral("3 725,29")));
        // The minimum speed of PulsDiv 5 is below that of PulsDiv 3 (30,52).
        QVERIFY(outside[3].startsWith(QStringLiteral("Linia 4 ")));
        QVERIFY(outside[3].endsWith(QStringLiteral("(30,52..59 967,04).")));
    }
};

QTEST_GUILESS_MAIN(TestDriveChange)
#include "tst_drivechange.moc"
