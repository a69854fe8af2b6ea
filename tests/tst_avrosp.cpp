// Our avrosp driving the real avrdude against the AVR109 boot loader simulator.

#include "FirmwareCommand.h"
#include "ToolRunner.h"

#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

using namespace korven;

namespace {

// The simulator on its pseudo-terminal, and a program directory with avrosp and rs232.ini.
struct Bench {
    explicit Bench(const QStringList &faults = {}) {
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
    ToolRunner::Result update(bool protect, ToolRunner::Limits limits = {1000, 60, 1024 * 1024}) {
        const FirmwareCommand c = FirmwareCommand::build(
            dir.path() + QLatin1Char('/'), dir.filePath(QStringLiteral("firmware.hex")), protect);
        return ToolRunner(limits).Exec(c.program, c.arguments);
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
        QVERIFY(firmwareUpdateSucceeded(r.output, true));
        const ToolRunner::Result both = bench.update(false);
        QVERIFY2(both.output.count(QStringLiteral("Equal!")) == 2, qPrintable(both.output));
        QVERIFY(firmwareUpdateSucceeded(both.output, false));
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
