// Our avrosp's own share of the firmware update, with a stand-in avrdude beside it: the
// checks of the images before anything is started, the command line it builds, the
// verdicts it prints and the watchdog. Runs on Windows too; tst_avrosp drives the real
// avrdude against the boot loader simulator.

#include "FirmwareCommand.h"
#include "StandInTool.h"
#include "ToolRunner.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

using namespace korven;

namespace {

const QByteArray kImage = ":100000000C942A000C943F000C943F000C943F0089\n"
                          ":100010000C943F000C943F000C943F000C943F0064\n"
                          ":00000001FF\n";

// A program folder with avrosp, rs232.ini naming a port, and the two images.
struct Folder {
    Folder() {
        QFile::copy(QStringLiteral(KORVEN_AVROSP), path(FirmwareCommand::toolName()));
        write(QStringLiteral("ttyUSB7"), {});
        write(QStringLiteral("rs232.ini"), "[ComPort1]\r\nPort=" + port.toLocal8Bit() + "\r\n");
        write(QStringLiteral("firmware.hex"), kImage);
        write(QStringLiteral("RQ407_eeprom.hex"), kImage);
    }
    QString path(const QString &name) const { return dir.filePath(name); }
    void write(const QString &name, const QByteArray &bytes) {
        QFile file(path(name));
        file.open(QIODevice::WriteOnly);
        file.write(bytes);
    }
    // avrdude as a script plays it, beside avrosp; it notes its arguments in "avrdude.args".
    void avrdude(const QByteArray &script) {
        standInTool(dir.path(), QStringLiteral("avrdude"), "arguments-to avrdude.args\n" + script);
    }
    QString avrdudeArguments() const {
        QFile file(path(QStringLiteral("avrdude.args")));
        return file.open(QIODevice::ReadOnly) ? QString::fromLocal8Bit(file.readAll()).trimmed()
                                              : QString();
    }
    ToolRunner::Result update(bool protect, const QString &firmware = {}) {
        const FirmwareCommand c = FirmwareCommand::build(
            dir.path() + QLatin1Char('/'),
            firmware.isEmpty() ? path(QStringLiteral("firmware.hex")) : firmware, protect);
        return ToolRunner({1000, 30, 1024 * 1024}).Exec(c.program, c.arguments);
    }

    QTemporaryDir dir;
    // A port that is there while avrosp watches it: Windows always has the device NUL; on
    // Linux a file stands in for the device node.
#ifdef Q_OS_WIN
    const QString port = QStringLiteral("NUL");
#else
    const QString port = path(QStringLiteral("ttyUSB7"));
#endif
};

const QByteArray kFlashVerified = "out avrdude: 32 bytes of flash verified\\n\n";
const QByteArray kEepromVerified = "out avrdude: 32 bytes of eeprom verified\\n\n";

} // namespace

class TestAvrospVerdicts : public QObject {
    Q_OBJECT
private slots:
    void oneEqualForEachVerifiedMemory() {
        Folder f;
        f.avrdude(kFlashVerified);
        ToolRunner::Result r = f.update(true);
        QCOMPARE(r.output.count(QStringLiteral("Equal!")), 1);
        QVERIFY2(firmwareUpdateSucceeded(r, true), qPrintable(r.output));
        // avrdude found beside avrosp, on the port of rs232.ini, told what the update is.
        QCOMPARE(
            f.avrdudeArguments(),
            QStringLiteral("-c avr109 -p m16 -P %1 -b 38400 -e -U flash:w:%2:i")
                .arg(f.port, QDir::toNativeSeparators(f.path(QStringLiteral("firmware.hex")))));

        f.avrdude(kFlashVerified + kEepromVerified);
        r = f.update(false);
        QCOMPARE(r.output.count(QStringLiteral("Equal!")), 2);
        QVERIFY(firmwareUpdateSucceeded(r, false));
        QVERIFY(f.avrdudeArguments().endsWith(
            QStringLiteral("-U eeprom:w:%1:i")
                .arg(QDir::toNativeSeparators(f.path(QStringLiteral("RQ407_eeprom.hex"))))));
        // A memory avrdude did not report as verified gets no "Equal!".
        f.avrdude(kFlashVerified);
        r = f.update(false);
        QCOMPARE(r.output.count(QStringLiteral("Equal!")), 1);
        QVERIFY(!firmwareUpdateSucceeded(r, false));
    }
    void avrdudesOwnWordsAreNoVerdict() {
        Folder f;
        // "Equal!" in avrdude's output (a file name, say), and a failure.
        f.avrdude("out avrdude: reading input file Equal!.hex\\n\n"
                  "out avrdude: verification error, first mismatch at byte 0x0005\\n\nexit 1\n");
        const ToolRunner::Result r = f.update(true);
        QVERIFY2(!r.output.contains(QStringLiteral("Equal!")), qPrintable(r.output));
        QVERIFY(r.output.contains(QStringLiteral("mismatch")));
        QVERIFY(!r.exitedCleanly);
        QVERIFY(!firmwareUpdateSucceeded(r, true));
        // Verified, but avrdude failed all the same: no verdict either.
        f.avrdude(kFlashVerified + "exit 1\n");
        QVERIFY(!f.update(true).output.contains(QStringLiteral("Equal!")));
    }
    void imagesThatCannotBeWrittenNeverStartAvrdude() {
        Folder f;
        f.avrdude(kFlashVerified);
        const QList<QPair<QString, QByteArray>> bad = {
            {QStringLiteral("empty.hex"), ":00000001FF\n"},
            {QStringLiteral("garbage.hex"), "this is no firmware\n"},
            {QStringLiteral("checksum.hex"),
             ":100000000C942A000C943F000C943F000C943F0088\n:00000001FF\n"},
            {QStringLiteral("big.hex"), ":020000040001F9\n:0100000000FF\n:00000001FF\n"},
        };
        for (const auto &[name, text] : bad) {
            f.write(name, text);
            const ToolRunner::Result r = f.update(true, f.path(name));
            QVERIFY2(r.output.contains(QStringLiteral("nie został skasowany")),
                     qPrintable(r.output));
            QVERIFY(!r.exitedCleanly);
        }
        const ToolRunner::Result missing = f.update(true, f.path(QStringLiteral("none.hex")));
        QVERIFY2(missing.output.contains(QStringLiteral("nie został skasowany")),
                 qPrintable(missing.output));
        // The EEPROM image is checked too.
        f.write(QStringLiteral("RQ407_eeprom.hex"), ":00000001FF\n");
        QVERIFY(!firmwareUpdateSucceeded(f.update(false), false));
        QVERIFY(!QFileInfo::exists(f.path(QStringLiteral("avrdude.args"))));
    }
    void missingAvrdudeIsNamed() {
        Folder f;
        f.write(QStringLiteral("avrosp.ini"), "[avrdude]\r\nProgram=korven-no-such-avrdude\r\n");
        const ToolRunner::Result r = f.update(true);
        QVERIFY2(
            r.output.contains(QStringLiteral("nie znaleziono programu korven-no-such-avrdude")),
            qPrintable(r.output));
        QVERIFY(!r.exitedCleanly);
    }
    void avrdudeWithoutProgressIsEnded() {
        Folder f;
        f.write(QStringLiteral("avrosp.ini"), "[avrdude]\r\nStallSeconds=2\r\n");
        f.avrdude("out avrdude: writing flash\\n\nsleep 60000\n");
        QElapsedTimer clock;
        clock.start();
        const ToolRunner::Result r = f.update(true);
        QVERIFY(!r.timedOut);
        QVERIFY2(clock.elapsed() < 20000, qPrintable(QString::number(clock.elapsed())));
        QVERIFY2(r.output.contains(QStringLiteral("nie robi postępów od 2 s")),
                 qPrintable(r.output));
        QVERIFY(!firmwareUpdateSucceeded(r, true));
    }
};

QTEST_GUILESS_MAIN(TestAvrospVerdicts)
#include "tst_avrosp_verdicts.moc"
