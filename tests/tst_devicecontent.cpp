// What the window knows of the device's program: the status-bar text, the question
// before a run, and the marks of a failed verify.

#include "DeviceContent.h"

#include <QTest>

using namespace korven;

namespace {

const QByteArray kA("\x07\x00\x0A\x05", 4);
const QByteArray kB("\x07\x00\x0B\x05", 4);
const QTime kNoon(12, 3, 41);

LineDifference differenceAt(int line) {
    LineDifference d;
    d.line = line;
    d.expected = QByteArray("\x07\x00\x0A", 3);
    d.received = {quint8(0x07), quint8(0x00), std::nullopt};
    return d;
}

} // namespace

class TestDeviceContent : public QObject {
    Q_OBJECT
private slots:
    void followsWhatWasLoadedAndTheCurrentProgram() {
        DeviceContent content;
        QCOMPARE(content.statusText(kA), QStringLiteral("W mikroindekserze: nieznany"));
        QVERIFY(!content.holdsOtherThan(kA));
        content.confirm(kA, QStringLiteral("/home/anna/pickplace.dat"), kNoon);
        QCOMPARE(content.statusText(kA),
                 QStringLiteral("W mikroindekserze: pickplace.dat (12:03), zgodny z bieżącym"));
        QCOMPARE(content.statusText(kB),
                 QStringLiteral("W mikroindekserze: pickplace.dat (12:03), inny niż bieżący"));
        // A program that does not compile is not what the device holds.
        QVERIFY(content.holdsOtherThan(QByteArray()));
        content.confirm(kB, QString(), kNoon);
        QCOMPARE(content.statusText(kB),
                 QStringLiteral("W mikroindekserze: bez nazwy (12:03), zgodny z bieżącym"));
        content.interrupted();
        QCOMPARE(content.statusText(kB),
                 QStringLiteral("W mikroindekserze: niepełny (programowanie przerwane)"));
        QVERIFY(content.holdsOtherThan(kB));
        content.forget();
        QCOMPARE(content.state(), DeviceContent::State::Unknown);
    }
    void anotherPortKnowsNothing() {
        DeviceContent content;
        content.setPort(QStringLiteral("/dev/ttyUSB0"));
        content.confirm(kA, QStringLiteral("a.dat"), kNoon);
        content.setPort(QStringLiteral("/dev/ttyUSB0"));
        QCOMPARE(content.state(), DeviceContent::State::Known);
        content.setPort(QStringLiteral("/dev/ttyUSB1"));
        QCOMPARE(content.state(), DeviceContent::State::Unknown);
        content.setPort(QStringLiteral("/dev/ttyUSB0"));
        QCOMPARE(content.state(), DeviceContent::State::Unknown);
    }
    void runAsksOnlyWhenAnotherProgramIsKnown() {
        DeviceContent content;
        QVERIFY(content.runQuestion(kA).isEmpty());
        content.confirm(kA, QStringLiteral("pickplace.dat"), kNoon);
        QVERIFY(content.runQuestion(kA).isEmpty());
        QCOMPARE(content.runQuestion(kB),
                 QStringLiteral("Mikroindekser zawiera inny program (pickplace.dat, 12:03) niż "
                                "bieżący. Uruchomić mimo to ?"));
        content.interrupted();
        QVERIFY(content.runQuestion(kA).contains(QStringLiteral("niepełny")));
    }
    void aFailedVerifyMarksLinesUntilTheProgramChanges() {
        DeviceContent content;
        const QStringList lines = {"001: Czekaj[ms](10)", "002: Czekaj[ms](11)", "003: Koniec"};
        content.confirm(kA, QStringLiteral("a.dat"), kNoon);
        // Verifying another program: the device still holds the one it was given.
        content.verifyFailed(kB, {differenceAt(1)}, lines);
        QCOMPARE(content.state(), DeviceContent::State::Known);
        QCOMPARE(content.differingLines(), QList<int>{1});
        QCOMPARE(content.statusText(kB),
                 QStringLiteral("W mikroindekserze: a.dat (12:03), inny niż bieżący; "
                                "pierwsza różnica: linia 2"));
        content.followProgram(lines);
        QCOMPARE(content.differingLines(), QList<int>{1});
        QStringList edited = lines;
        edited[1] = QStringLiteral("002: Czekaj[ms](12)");
        content.followProgram(edited);
        QVERIFY(content.differingLines().isEmpty());
        // Verifying the program it was thought to hold: then nothing is known.
        content.verifyFailed(kA, {differenceAt(0), differenceAt(2)}, lines);
        QCOMPARE(content.state(), DeviceContent::State::Unknown);
        QCOMPARE(content.statusText(kA),
                 QStringLiteral("W mikroindekserze: nieznany; pierwsza różnica: linia 1"));
        // Loading the device again: the marks belong to the past.
        content.confirm(kA, QStringLiteral("a.dat"), kNoon);
        QVERIFY(content.differingLines().isEmpty());
    }
    void differenceText() {
        QCOMPARE(differenceAt(11).text(),
                 QStringLiteral("Linia 12: oczekiwano 07 00 0A, odebrano 07 00 --"));
        QCOMPARE(DeviceContent::bytesOf({"07 00 0A", "05"}), kA);
    }
};

QTEST_GUILESS_MAIN(TestDeviceContent)
#include "tst_devicecontent.moc"
