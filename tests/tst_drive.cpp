#include "Acceleration.h"
#include "DeviceValues.h"
#include "DriverModelTable.h"
#include "DriverSelection.h"
#include "Numbers.h"
#include "SpeedEntry.h"
#include "SpeedUnits.h"
#include "StoredDrive.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace korven;

class TestDrive : public QObject {
    Q_OBJECT
private slots:
    void selectionStartsOnTrv10() {
        DriverSelection s;
        QCOMPARE(s.modelText(), QStringLiteral("TRV10"));
        QCOMPARE(s.depthEntries().size(), 6);
        QCOMPARE(s.PulsDiv(), 5);
    }
    void modelsAndDepths() {
        DriverSelection s;
        s.applyIndexes(7, 0);
        QCOMPARE(s.modelText(), QStringLiteral("TRV50"));
        QCOMPARE(s.depthEntries().size(), 14);
        QCOMPARE(s.depthText(), QStringLiteral("2"));
        QCOMPARE(s.PulsDiv(), 1);
        QCOMPARE(s.Vmax(), 2047);
        QCOMPARE(s.GlPodz(), 2.0L);
        s.applyIndexes(8, 5);
        QCOMPARE(s.depthText(), QStringLiteral("2/5"));
        QCOMPARE(s.GlPodz(), 2.5L);
        s.applyIndexes(3, 0);
        QCOMPARE(s.PulsDiv(), 3);
        QCOMPARE(s.Vmax(), 1965);
        s.setDepthIndex(3);
        s.cbGlPodKrokChange();
        s.setModelIndex(5);
        s.cbSterownikChange(); // a new model resets the depth to its first entry
        QCOMPARE(s.depthIndex(), 0);
        QCOMPARE(s.parameterText(), QStringLiteral("Vmax = 1550\rGlPodz = 1,00\rPulsDiv = 5"));
    }
    void outOfRangeIndexesKeepDerivedValues() {
        DriverSelection s;
        s.applyIndexes(7, 3); // TRV50, 16
        s.applyIndexes(42, 0);
        QCOMPARE(s.modelIndex(), -1);
        QVERIFY(s.depthEntries().isEmpty());
        QCOMPARE(s.PulsDiv(), 1);
        QCOMPARE(s.GlPodz(), 16.0L);
        QCOMPARE(s.statusText(), QStringLiteral("Sterownik:  Głębokość podziału mikrokrokowego: "));
        s.applyIndexes(1, 99);
        QCOMPARE(s.depthIndex(), -1);
        QCOMPARE(s.PulsDiv(), 5);
        QCOMPARE(s.GlPodz(), 1.0L); // the model change took its first entry
    }
    void miIni() {
        QTemporaryDir dir;
        const QString ini = dir.filePath(QStringLiteral("mi.ini"));
        DriverSelection s;
        s.OdczytajUstawienia(ini); // missing file: TRV20, depth 1
        QCOMPARE(s.statusText(),
                 QStringLiteral("Sterownik: TRV20 Głębokość podziału mikrokrokowego: 1"));
        QVERIFY(s.ZapiszUstawienia(ini));
        QFile f(ini);
        QVERIFY(f.open(QIODevice::ReadOnly));
        QCOMPARE(f.readAll(), QByteArray("[Opcje]\r\nSterownik=0\r\nGlPodzialu=0\r\n"));
        f.close();
        s.applyIndexes(5, 3);
        QVERIFY(s.ZapiszUstawienia(ini));
        DriverSelection t;
        t.OdczytajUstawienia(ini);
        QCOMPARE(t.parameterText(), QStringLiteral("Vmax = 1550\rGlPodz = 8,00\rPulsDiv = 5"));
        // A value that is not a whole integer reads as 0, not as its leading digits.
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("[Opcje]\r\nSterownik=3abc\r\nGlPodzialu=2 x\r\n");
        f.close();
        t.OdczytajUstawienia(ini);
        QCOMPARE(t.statusText(),
                 QStringLiteral("Sterownik: TRV20 Głębokość podziału mikrokrokowego: 1"));
    }
    void speedUnitsAndRanges() {
        QCOMPARE(speed::unit(5), 7.62939453125L);
        QCOMPARE(speed::unit(3), 30.517578125L);
        QCOMPARE(speed::unit(1), 122.0703125L);
        QCOMPARE(speed::rangeText(false, speed::minimum(5), speed::maximum(5, 2047)),
                 QStringLiteral("(7,63..15617,37)"));
        QCOMPARE(speed::rangeText(true, speed::minimum(5), speed::maximum(5, 2047)),
                 QStringLiteral("(±7,63..±15617,37)"));
        const long double rev = speed::stepsPerRevolution(16);
        QCOMPARE(speed::rangeText(false, speed::minimum(5) / rev, speed::maximum(5, 2047) / rev),
                 QStringLiteral("(0,00..4,88)"));
        QCOMPARE(speed::text(speed::maximum(3, 1965)), QStringLiteral("59967,04"));
        QCOMPARE(speed::text(speed::maximum(3, 1635)), QStringLiteral("49896,24"));
        QCOMPARE(speed::text(speed::maximum(5, 1550)), QStringLiteral("11825,56"));
        QCOMPARE(speed::text(speed::maximum(5, 1315)), QStringLiteral("10032,65"));
        QCOMPARE(speed::rangeText(false, speed::minimum(1), speed::maximum(1, 2047)),
                 QStringLiteral("(122,07..249877,93)"));
    }
    void speedBoundsAreExact() {
        const long double min5 = speed::minimum(5), max5 = speed::maximum(5, 2047);
        QVERIFY(speed::inRange(false, 7.63L, min5, max5));
        QVERIFY(!speed::inRange(false, 7.62L, min5, max5));
        QVERIFY(speed::inRange(true, -500, min5, max5));
        QVERIFY(!speed::inRange(false, -500, min5, max5));
        // The rounded labels of TRV50 are both outside the true range.
        const long double min1 = speed::minimum(1), max1 = speed::maximum(1, 2047);
        QVERIFY(!speed::inRange(false, 122.07L, min1, max1));
        QVERIFY(!speed::inRange(false, 249877.93L, min1, max1));
    }
    void registerValues() {
        QCOMPARE(speed::SpeedToVReg(1600, 5), Q_INT64_C(210));
        QCOMPARE(speed::SpeedToVReg(7.63L, 5), Q_INT64_C(1));
        QCOMPARE(speed::SpeedToVReg(15617.37L, 5), Q_INT64_C(2047));
        QCOMPARE(speed::SpeedToVReg(-7.63L, 5), Q_INT64_C(-1));
        // A tie rounds to even: 2.5 units and 3.5 units.
        QCOMPARE(speed::SpeedToVReg(2.5L * speed::unit(5), 5), Q_INT64_C(2));
        QCOMPARE(speed::SpeedToVReg(3.5L * speed::unit(5), 5), Q_INT64_C(4));
    }
    void accelerationUnitsAndLists() {
        QCOMPARE(accel::AccelUnit(5), 232.8306427001953125L);
        QCOMPARE(accel::AccelUnit(3), 3725.290283203125L);
        QCOMPARE(accel::AccelUnit(1), 59604.64453125L);
        const QStringList list = accel::listTexts(accel::AccelUnit(5));
        QCOMPARE(list.size(), 2047);
        QCOMPARE(list.mid(0, 3), QStringList({"232,83", "465,66", "698,49"}));
        QCOMPARE(list.last(), QStringLiteral("476604,33"));
        QCOMPARE(accel::listTexts(accel::AccelUnit(3)).last(), QStringLiteral("7625669,21"));
        QCOMPARE(accel::listTexts(accel::AccelUnit(1)).last(), QStringLiteral("122010707,36"));
        QCOMPARE(accel::rangeText(accel::AccelUnit(5)), QStringLiteral("(232,83..476604,33)"));
        QCOMPARE(accel::rangeText(accel::AccelUnit(5) / speed::stepsPerRevolution(16)),
                 QStringLiteral("(0,07..148,94)"));
    }
    void accelerationListsRoundHalfAwayFromZero() {
        // Every entry k * 244140624 / 2^s is a binary fraction: exact integer arithmetic
        // gives its two-decimal text, ties rounded away from zero.
        int ties = 0;
        for (int pulsDiv : {1, 3, 5}) {
            const QStringList list = accel::listTexts(accel::AccelUnit(pulsDiv));
            const int s = 2 * pulsDiv + 10;
            for (qint64 k = 1; k <= 2047; ++k) {
                const qint64 scaled = k * 244140624 * 100; // hundredths times 2^s
                const qint64 cents = (scaled + (Q_INT64_C(1) << (s - 1))) >> s;
                if ((scaled & ((Q_INT64_C(1) << s) - 1)) == (Q_INT64_C(1) << (s - 1)))
                    ++ties;
                const QString expected = QStringLiteral("%1,%2")
                                             .arg(cents / 100)
                                             .arg(cents % 100, 2, 10, QLatin1Char('0'));
                QCOMPARE(list[int(k) - 1], expected);
            }
        }
        QCOMPARE(ties, 34); // half of them ended one hundredth lower when ties went to even
        QCOMPARE(accel::listTexts(accel::AccelUnit(3))[511], QStringLiteral("1907348,63"));
    }
    void multiplierSearch_data() {
        QTest::addColumn<int>("aMax");
        QTest::addColumn<int>("pmul");
        QTest::addColumn<int>("pdiv");
        const int rows[][3] = {{1, 243, 13},  {2, 243, 12},   {3, 182, 11},
                               {5, 152, 10},  {10, 152, 9},   {100, 190, 6},
                               {200, 190, 5}, {1000, 237, 3}, {2047, 243, 2}};
        for (const auto &r : rows)
            QTest::addRow("%d", r[0]) << r[0] << r[1] << r[2];
    }
    void multiplierSearch() {
        QFETCH(int, aMax);
        QFETCH(int, pmul);
        QFETCH(int, pdiv);
        for (int pulsDiv : {1, 3, 5}) {
            const auto r = accel::FindPMulPDiv(aMax, pulsDiv + 1, pulsDiv, accel::kReduction);
            QCOMPARE(r.PMul, pmul);
            QCOMPARE(r.PDiv, pdiv);
        }
    }
    void multiplierSearchMatchesExactArithmetic() {
        // PReduced = aMax * 19 / 5120 exactly; the largest PMul / 2^(PDiv+3) not above it.
        for (int aMax = 1; aMax <= 2047; ++aMax) {
            const auto r = accel::FindPMulPDiv(aMax, 6, 5, accel::kReduction);
            int pmul = -1, pdiv = -1;
            for (int i = 0; i <= 13; ++i) {
                const long long m = (long long)aMax * 19 * 8 * (1LL << i) / 5120;
                if (m >= 128 && m <= 255) {
                    pmul = int(m);
                    pdiv = i;
                }
            }
            QCOMPARE(r.PMul, pmul);
            QCOMPARE(r.PDiv, pdiv);
        }
        const auto hundred = accel::FindPMulPDiv(100, 6, 5, accel::kReduction);
        QCOMPARE(hundred.PIdeal, 0.390625L);
        QCOMPARE(double(hundred.PReduced), 0.37109375);
        QCOMPARE(hundred.PBest, 0.37109375L);
        QVERIFY(!accel::FindPMulPDiv(0, 6, 5, accel::kReduction).found());
        QVERIFY(!accel::FindPMulPDiv(8624, 6, 5, accel::kReduction).found());
        QVERIFY(accel::FindPMulPDiv(8623, 6, 5, accel::kReduction).found());
    }
    void everyListTextGivesItsOwnRegisterValue() {
        for (int pulsDiv : {1, 3, 5}) {
            const QStringList list = accel::listTexts(accel::AccelUnit(pulsDiv));
            for (int k = 1; k <= 2047; ++k) {
                bool ok = false;
                const long double v = parseDecimal(list[k - 1], &ok);
                QVERIFY(ok);
                QCOMPARE(accel::aMaxFromValue(v, pulsDiv), (long long)k);
            }
        }
    }
    void speedEntryConversions() {
        const SpeedEntry entry(false, 5, 2047, 16);
        QCOMPARE(entry.stepsRangeText(), QStringLiteral("(7,63..15617,37)"));
        QCOMPARE(entry.revolutionsRangeText(), QStringLiteral("(0,00..4,88)"));
        SpeedEntry::Result r = entry.leaveSteps(QStringLiteral("1600"), QString());
        QCOMPARE(r.steps, QStringLiteral("1600,00"));
        QCOMPARE(r.revolutions, QStringLiteral("0,50"));
        QVERIFY(r.message.isEmpty());
        r = entry.leaveRevolutions(QString(), QStringLiteral("1"));
        QCOMPARE(r.steps, QStringLiteral("3200,00"));
        QCOMPARE(r.revolutions, QStringLiteral("1,00"));
        r = entry.leaveRevolutions(QString(), QStringLiteral("5"));
        QCOMPARE(r.message, SpeedEntry::outOfRangeMessage());
        r = entry.leaveSteps(QStringLiteral("0"), QString()); // an edited "Prędkość max()"
        QCOMPARE(r.steps, QStringLiteral("0,00"));
        QCOMPARE(r.message, SpeedEntry::outOfRangeMessage());
        r = entry.leaveSteps(QStringLiteral("12a"), QStringLiteral("x"));
        QCOMPARE(r.message, SpeedEntry::invalidMessage());
        QCOMPARE(r.steps, QStringLiteral("12a"));
        r = entry.leaveSteps(QString(), QStringLiteral("x"));
        QVERIFY(r.message.isEmpty());
        QCOMPARE(r.revolutions, QStringLiteral("x"));
    }
    void speedEntryAcceptance() {
        const SpeedEntry unsignedEntry(false, 5, 2047, 16);
        const SpeedEntry signedEntry(true, 5, 2047, 16);
        QVERIFY(unsignedEntry.accept(QStringLiteral("7,63")).ok);
        const SpeedEntry::Acceptance tie = unsignedEntry.accept(QStringLiteral("7,625"));
        QVERIFY(tie.ok);
        QCOMPARE(tie.steps, QStringLiteral("7,63"));
        QCOMPARE(unsignedEntry.accept(QStringLiteral("7,62")).message,
                 SpeedEntry::outOfRangeMessage());
        QCOMPARE(unsignedEntry.accept(QStringLiteral("-500")).message,
                 SpeedEntry::outOfRangeMessage());
        const SpeedEntry::Acceptance a = signedEntry.accept(QStringLiteral("-500"));
        QVERIFY(a.ok);
        QCOMPARE(a.steps, QStringLiteral("-500,00"));
        QCOMPARE(signedEntry.accept(QString()).message, SpeedEntry::invalidMessage());
        QCOMPARE(signedEntry.accept(QStringLiteral("1e9")).message, SpeedEntry::invalidMessage());
        QCOMPARE(signedEntry.stepsRangeText(), QStringLiteral("(±7,63..±15617,37)"));
        const SpeedEntry trv50(false, 1, 2047, 2);
        QVERIFY(!trv50.accept(QStringLiteral("122,07")).ok);
        QVERIFY(!trv50.accept(QStringLiteral("249877,93")).ok);
        QVERIFY(trv50.accept(QStringLiteral("249877,92")).ok);
    }
    void storedIndexesFallBackToHeldOnes() {
        DriverSelection s =
            selectionForStoredIndexes(std::nullopt, 2, DriveSettings{7, 0, 1, 2047, 2});
        QCOMPARE(s.modelText(), QStringLiteral("TRV50"));
        QCOMPARE(s.depthText(), QStringLiteral("8"));
        s = selectionForStoredIndexes(3, std::nullopt, DriveSettings{7, 1, 1, 2047, 4});
        QCOMPARE(s.statusText(),
                 QStringLiteral("Sterownik: TRV31 Głębokość podziału mikrokrokowego: 2"));
    }
    void depthEntries() {
        long double v = 0;
        QVERIFY(depthValue(QStringLiteral("2/5"), &v));
        QCOMPARE(v, 2.5L);
        QVERIFY(!depthValue(QStringLiteral("x"), &v));
        QCOMPARE(driverModels().size(), 10);
        QCOMPARE(driverModels()[1].name, QStringLiteral("TRV10"));
    }
    void whatTheDeviceRuns() {
        // 400 steps/s is 52.43 velocity units: the device runs 52 of them.
        const SpeedEntry entry(false, 5, 2047, 16);
        QCOMPARE(entry.deviceText(QStringLiteral("400")), QStringLiteral("≈ 396,73 kroków/s"));
        QCOMPARE(entry.deviceText(QStringLiteral("9000")), QStringLiteral("≈ 9 002,69 kroków/s"));
        QCOMPARE(entry.deviceText(QStringLiteral("4")), QStringLiteral("poza zakresem sterownika"));
        QCOMPARE(entry.deviceText(QStringLiteral("40a")), QString());
        // One revolution a second at depth 16: 3200 steps/s, 419.43 units, 419 run.
        QCOMPARE(entry.deviceTextFromRevolutions(QStringLiteral("1")),
                 QStringLiteral("≈ 3 196,72 kroków/s"));
        const SpeedEntry target(true, 5, 2047, 16);
        QCOMPARE(target.deviceText(QStringLiteral("-500")), QStringLiteral("≈ -503,54 kroków/s"));
        QCOMPARE(SpeedEntry(false, 0, 0, 0).deviceText(QStringLiteral("400")), QString());

        QCOMPARE(deviceAcceleration(465.66L, 5).value, 2 * accel::AccelUnit(5));
        QVERIFY(deviceAcceleration(465.66L, 5).fits);
        QVERIFY(!deviceAcceleration(465.66L, 3).fits); // below the unit of PulsDiv 3
        QVERIFY(!deviceSpeed(20000, false, 5, 2047).fits);
        QVERIFY(deviceSpeed(-15617.37L, true, 5, 2047).fits);
        QCOMPARE(speedRangeText(true, 5, 2047), QStringLiteral("(±7,63..±15 617,37)"));
        QCOMPARE(accelerationRangeText(1), QStringLiteral("(59 604,64..122 010 707,36)"));
        QCOMPARE(groupDigits(QStringLiteral("-1234567,50")), QStringLiteral("-1 234 567,50"));
        QCOMPARE(groupDigits(QStringLiteral("123")), QStringLiteral("123"));
        QCOMPARE(groupDigits(QStringLiteral("-123456")), QStringLiteral("-123 456"));
    }
    void typedAccelerationsTakeTheNearestEntry() {
        QCOMPARE(accel::nearestEntry(1000, 5), 4); // 931,32 is nearer than 1164,15
        QCOMPARE(accel::nearestEntry(232.83L, 5), 1);
        QCOMPARE(accel::nearestEntry(0, 5), 1);
        QCOMPARE(accel::nearestEntry(-5, 5), 1);
        QCOMPARE(accel::nearestEntry(1e12L, 5), 2047);
        QCOMPARE(accel::nearestEntry(7625669.21L, 3), 2047);
    }
};

QTEST_GUILESS_MAIN(TestDrive)
#include "tst_drive.moc"
