// Our avrosp driving the real avrdude against the AVR109 boot loader simulator.

#include "FirmwareCommand.h"
#include "ToolRunner.h"

#include <QDateTime>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

using namespace korven;

namespace {

// The simulator on its pseudo-terminal, and a program directory with avrosp and rs232.ini.
struct Bench {
    explicit Bench(QStringList faults = {}) {
        faults << QStringLiteral("--log") << dir.filePath(QStringLiteral("sim.log"));
        sim.start(QStringLiteral(KORVEN_AVR109_SIM), faults);
        sim.waitForReadyRead(10000);
        port = QString::fromLocal8Bit(sim.readLine()).trimmed();
        QFile::copy(QStringLiteral(KORVEN_AVROSP), dir.filePath(QStringLiteral("avrosp")));
        QFile ini(dir.filePath(QStringLiteral("rs232.ini")));
        ini.open(QIODevice::WriteOnly);
        ini.write("[ComPort1]\r\nPort=" + port.toLocal8Bit() + "\r\n");
        ini.close();
        writeHex(dir.filePath(QStringLiteral("firmware.hex")));
        writeHex(dir.filePath(QStringLiteral("RQ407_eeprom.hex")));
    }
    ~Bench() {
        sim.kill();
        sim.waitForFinished();
    }
    static void writeHex(const QString &path) {
        QFile hex(path);
        hex.open(QIODevice::WriteOnly);
        hex.write(":100000000C942A000C943F000C943F000C943F0089\n"
                  ":100010000C943F000C943F000C943F000C943F0064\n"
                  ":00000001FF\n");
    }
    ToolRunner::Result update(bool protect, ToolRunner::Limits limits = {1000, 60, 1024 * 1024},
                              QString firmware = {}) {
        if (firmware.isEmpty())
            firmware = dir.filePath(QStringLiteral("firmware.hex"));
        const FirmwareCommand c =
            FirmwareCommand::build(dir.path() + QLatin1Char('/'), firmware, protect);
        return ToolRunner(limits).Exec(c.program, c.arguments);
    }
    QByteArray simLog() const {
        QFile file(dir.filePath(QStringLiteral("sim.log")));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
    void writeFile(const QString &name, const QByteArray &text) {
        QFile file(dir.filePath(name));
        file.open(QIODevice::WriteOnly);
        file.write(text);
    }
    // Whether an avrdude still has the simulator's port.
    bool avrdudeLeft() const {
        QProcess pgrep;
        pgrep.start(QStringLiteral("pgrep"), {QStringLiteral("-f"), port});
        pgrep.waitForFinished();
        return pgrep.exitCode() != 1;
    }
    QTemporaryDir dir;
    QProcess sim;
    QString port;
};

} // namespace

class TestAvrosp : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() {
        if (QStandardPaths::findExecutable(QStringLiteral("avrdude")).isEmpty())
            QFAIL("avrdude (Debian package) is needed for the firmware update tests");
    }
    void goodImageVerifies() {
        Bench bench;
        const ToolRunner::Result r = bench.update(true);
        QVERIFY2(r.output.count(QStringLiteral("Equal!")) == 1, qPrintable(r.output));
        QVERIFY(firmwareUpdateSucceeded(r, true));
        QVERIFY(bench.simLog().startsWith("erase\nwrite flash"));
        const ToolRunner::Result both = bench.update(false);
        QVERIFY2(both.output.count(QStringLiteral("Equal!")) == 2, qPrintable(both.output));
        QVERIFY(firmwareUpdateSucceeded(both, false));
    }
    void equalInTheFileNameIsNoVerdict() {
        // avrdude names the file in its output; a mismatch must stay a failure.
        Bench bench({QStringLiteral("--corrupt-flash-byte"), QStringLiteral("5")});
        QVERIFY(QDir(bench.dir.path()).mkdir(QStringLiteral("Equal!")));
        for (const QString &name :
             {QStringLiteral("Equal!/Eq#ual!.hex"), QStringLiteral("Equal!.hex")}) {
            Bench::writeHex(bench.dir.filePath(name));
            const ToolRunner::Result r =
                bench.update(true, {1000, 60, 1024 * 1024}, bench.dir.filePath(name));
            QVERIFY2(!r.output.contains(QStringLiteral("Equal!")), qPrintable(r.output));
            QVERIFY(!r.exitedCleanly);
            QVERIFY(!firmwareUpdateSucceeded(r, true));
        }
    }
    void imagesThatCannotBeWrittenNeverErase() {
        Bench bench;
        const QList<QPair<QString, QByteArray>> bad = {
            {QStringLiteral("empty.hex"), ":00000001FF\n"},
            {QStringLiteral("garbage.hex"), "this is no firmware\n"},
            {QStringLiteral("checksum.hex"),
             ":100000000C942A000C943F000C943F000C943F0088\n:00000001FF\n"},
            {QStringLiteral("big.hex"), ":020000040001F9\n:0100000000FF\n:00000001FF\n"},
        };
        for (const auto &[name, text] : bad) {
            bench.writeFile(name, text);
            const ToolRunner::Result r =
                bench.update(true, {1000, 60, 1024 * 1024}, bench.dir.filePath(name));
            QVERIFY2(r.output.contains(QStringLiteral("nie został skasowany")),
                     qPrintable(r.output));
            QVERIFY(!r.exitedCleanly);
            QVERIFY(!firmwareUpdateSucceeded(r, true));
        }
        // The EEPROM image is checked too, before anything is erased.
        bench.writeFile(QStringLiteral("RQ407_eeprom.hex"), ":00000001FF\n");
        QVERIFY(!firmwareUpdateSucceeded(bench.update(false), false));
        QCOMPARE(bench.simLog(), QByteArray());
    }
    void aPortThatVanishesMidWriteEndsTheUpdate() {
        Bench bench({QStringLiteral("--hangup-after-writes"), QStringLiteral("1")});
        QElapsedTimer clock;
        clock.start();
        const ToolRunner::Result r = bench.update(true);
        QVERIFY2(clock.elapsed() < 40000, qPrintable(QString::number(clock.elapsed())));
        QVERIFY(!r.timedOut);
        QVERIFY(!r.exitedCleanly);
        QVERIFY(!firmwareUpdateSucceeded(r, true));
        QVERIFY2(r.output.contains(QStringLiteral("zniknął")), qPrintable(r.output));
        QVERIFY(!bench.avrdudeLeft());
        const QList<QByteArray> log = bench.simLog().split('\n');
        const qint64 hungUp = log.value(log.size() - 2).mid(7).toLongLong();
        qInfo("port vanished to the tool's end: %lld ms",
              QDateTime::currentMSecsSinceEpoch() - hungUp);
    }
    void aToolWithoutProgressIsEnded() {
        // Falls silent in the middle of writing: the port is still there, avrdude waits.
        Bench bench({QStringLiteral("--mute-after-writes"), QStringLiteral("1")});
        bench.writeFile(QStringLiteral("avrosp.ini"), "[avrdude]\nStallSeconds=2\n");
        QElapsedTimer clock;
        clock.start();
        const ToolRunner::Result r = bench.update(true);
        QVERIFY(!r.timedOut);
        QVERIFY(clock.elapsed() < 15000);
        QVERIFY(!r.exitedCleanly);
        QVERIFY(!firmwareUpdateSucceeded(r, true));
        QTRY_VERIFY_WITH_TIMEOUT(!bench.avrdudeLeft(), 5000);
    }
    void corruptedByteFailsVerification() {
        Bench bench({QStringLiteral("--corrupt-flash-byte"), QStringLiteral("5")});
        const ToolRunner::Result r = bench.update(true);
        QVERIFY2(r.output.contains(QStringLiteral("mismatch")), qPrintable(r.output));
        QVERIFY(!firmwareUpdateSucceeded(r.output, true));
    }
    void silentDeviceIsGivenUpAndFreesThePort() {
        Bench bench({QStringLiteral("--silent")});
        const ToolRunner::Result r = bench.update(true, {500, 4, 1024 * 1024});
        QVERIFY(r.timedOut);
        QVERIFY(!firmwareUpdateSucceeded(r.output, true));
        // avrdude went with the tool: nothing holds the port any more.
        QProcess pgrep;
        QTRY_VERIFY_WITH_TIMEOUT(
            (pgrep.start(QStringLiteral("pgrep"), {QStringLiteral("-f"), bench.port}),
             pgrep.waitForFinished(), pgrep.exitCode() == 1),
            5000);
    }
};

QTEST_GUILESS_MAIN(TestAvrosp)
#include "tst_avrosp.moc"
