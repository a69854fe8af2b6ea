#include "FirmwareCommand.h"
#include "ToolRunner.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace korven;

namespace {
// A tool that prints what its script says: a small shell script in a directory with blanks.
QString fakeTool(const QTemporaryDir &dir, const QByteArray &body) {
    const QString path = dir.filePath(QStringLiteral("fake tool"));
    QFile f(path);
    f.open(QIODevice::WriteOnly);
    f.write("#!/bin/sh\n" + body + "\n");
    f.close();
    f.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    return path;
}
const ToolRunner::Limits kQuick{100, 3, 1024 * 1024};
} // namespace

class TestFirmware : public QObject {
    Q_OBJECT
private slots:
    void commandLines() {
        const QString dir = QStringLiteral("/opt/my korven/");
        const FirmwareCommand with =
            FirmwareCommand::build(dir, QStringLiteral("/home/a b/fw.hex"), true);
        QCOMPARE(with.text,
                 QStringLiteral(
                     "\"/opt/my korven//avrosp\" -dATmega16 -pf -vf -if\"/home/a b/fw.hex\" -e"));
        QCOMPARE(with.program, QStringLiteral("/opt/my korven/avrosp"));
        QCOMPARE(with.arguments,
                 QStringList({"-dATmega16", "-pf", "-vf", "-if/home/a b/fw.hex", "-e"}));
        const FirmwareCommand without =
            FirmwareCommand::build(dir, QStringLiteral("/f.hex"), false);
        QCOMPARE(without.text,
                 QStringLiteral("\"/opt/my korven//avrosp\" -dATmega16 -pb -vb -if\"/f.hex\" "
                                "-ie\"/opt/my korven/RQ407_eeprom.hex\" -e"));
        QCOMPARE(without.arguments, QStringList({"-dATmega16", "-pb", "-vb", "-if/f.hex",
                                                 "-ie/opt/my korven/RQ407_eeprom.hex", "-e"}));
    }
    void judging() {
        QVERIFY(firmwareUpdateSucceeded(QStringLiteral("...Equal!\n"), true));
        QVERIFY(!firmwareUpdateSucceeded(QStringLiteral("...Equal!\n"), false));
        QVERIFY(firmwareUpdateSucceeded(QStringLiteral("Equal!Equal!"), false));
        QVERIFY(firmwareUpdateSucceeded(QStringLiteral("Eq###ual!\nE#qual!"), false));
        QVERIFY(!firmwareUpdateSucceeded(QString(), true));
        QVERIFY(!firmwareUpdateSucceeded(QStringLiteral("Equal"), true));
    }
    void runsToolsAndCapturesTheirOutput() {
        QTemporaryDir dir;
        ToolRunner runner(kQuick);
        const QString tool =
            fakeTool(dir, "printf 'Flash Equal!\\r\\n'; printf 'arg=%s\\n' \"$1\" \"$2\"");
        const ToolRunner::Result r =
            runner.Exec(tool, {QStringLiteral("-if/a \"b\" c.hex"), QStringLiteral("x y")});
        QVERIFY(r.started);
        QVERIFY(!r.timedOut);
        QCOMPARE(r.output, QStringLiteral("Flash Equal!\narg=-if/a \"b\" c.hex\narg=x y\n"));
    }
    void zeroByteEndsTheOutput() {
        QTemporaryDir dir;
        const ToolRunner::Result r =
            ToolRunner(kQuick).Exec(fakeTool(dir, "printf 'Equal!\\000Equal!'"), {});
        QCOMPARE(r.output, QStringLiteral("Equal!"));
        QVERIFY(!firmwareUpdateSucceeded(r.output, false));
    }
    void nothingPrinted() {
        QTemporaryDir dir;
        const ToolRunner::Result r = ToolRunner(kQuick).Exec(fakeTool(dir, "exit 3"), {});
        QVERIFY(r.started);
        QVERIFY(r.output.isEmpty());
    }
    void captureIsLimited() {
        QTemporaryDir dir;
        const ToolRunner::Result r =
            ToolRunner({200, 20, 1024 * 1024})
                .Exec(fakeTool(dir, "yes x | head -c 3000000; echo Equal!"), {});
        QVERIFY(!r.timedOut);
        QCOMPARE(r.output.size(), 1024 * 1024);
        QVERIFY(!r.output.contains(QStringLiteral("Equal!")));
    }
    void neverEndingToolIsEnded() {
        QTemporaryDir dir;
        QElapsedTimer clock;
        clock.start();
        int passes = 0;
        const ToolRunner::Result r = ToolRunner(kQuick).Exec(
            fakeTool(dir, "echo Equal!; exec sleep 60"), {}, [&] { ++passes; });
        QVERIFY(r.timedOut);
        QCOMPARE(passes, 3);
        QVERIFY(clock.elapsed() < 5000);
        QCOMPARE(r.output, QStringLiteral("Equal!\n"));
    }
    void missingTool() {
        const ToolRunner::Result r = ToolRunner(kQuick).Exec(QStringLiteral("/no/such/avrosp"), {});
        QVERIFY(!r.started);
        QVERIFY(!r.output.isEmpty());
        QVERIFY(!firmwareUpdateSucceeded(r.output, true));
    }
};

QTEST_GUILESS_MAIN(TestFirmware)
#include "tst_firmware.moc"
