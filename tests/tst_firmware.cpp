#include "FirmwareCommand.h"
#include "IntelHex.h"
#include "StandInTool.h"
#include "ToolRunner.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace korven;

namespace {
// A tool that does what its script says, under a name with a blank.
QString fakeTool(const QTemporaryDir &dir, const QByteArray &script) {
    return standInTool(dir.path(), QStringLiteral("fake tool"), script);
}
const ToolRunner::Limits kQuick{500, 3, 1024 * 1024};
} // namespace

class TestFirmware : public QObject {
    Q_OBJECT
private slots:
    void intelHexIsCheckedBeforeAnythingIsErased() {
        const QByteArray good = ":100000000C942A000C943F000C943F000C943F0089\r\n:00000001FF\r\n";
        const IntelHexCheck ok = IntelHexCheck::ofText(good, 16384);
        QVERIFY2(ok.ok, qPrintable(ok.error));
        QCOMPARE(ok.dataBytes, 16);
        QCOMPARE(ok.end, 16);
        QCOMPARE(IntelHexCheck::ofText(good, 8).error,
                 QStringLiteral("linia 1: dane sięgają adresu 16, a pamięć ma 8 bajtów"));
        QCOMPARE(IntelHexCheck::ofText(":00000001FF\n", 16384).error,
                 QStringLiteral("plik nie zawiera danych"));
        QCOMPARE(IntelHexCheck::ofText(QByteArray(), 16384).error,
                 QStringLiteral("brak zapisu końca pliku (plik niepełny?)"));
        QCOMPARE(IntelHexCheck::ofText(good.left(45), 16384).error,
                 QStringLiteral("brak zapisu końca pliku (plik niepełny?)"));
        QCOMPARE(IntelHexCheck::ofText("MZ\x90\0garbage\n", 16384).error,
                 QStringLiteral("linia 1: to nie jest zapis Intel HEX"));
        QCOMPARE(IntelHexCheck::ofText(":0100000000FE\n:00000001FF\n", 16384).error,
                 QStringLiteral("linia 1: błędna suma kontrolna"));
        // A count that does not match the record's length, and a non-hex digit.
        QVERIFY(!IntelHexCheck::ofText(":0200000000FE\n:00000001FF\n", 16384).ok);
        QVERIFY(!IntelHexCheck::ofText(":01000000G0FF\n:00000001FF\n", 16384).ok);
        // Extended linear address 0x0001: the byte lands at 65536, beyond an ATmega16.
        QCOMPARE(
            IntelHexCheck::ofText(":020000040001F9\n:0100000000FF\n:00000001FF\n", 16384).error,
            QStringLiteral("linia 2: dane sięgają adresu 65537, a pamięć ma 16384 bajtów"));
        QVERIFY(!IntelHexCheck::ofFile(QStringLiteral("/no/such/file.hex"), 16384).ok);
    }
    void verdictNeedsACleanExit() {
        ToolRunner::Result run;
        run.output = QStringLiteral("Equal!\n");
        QVERIFY(!firmwareUpdateSucceeded(run, true));
        run.exitedCleanly = true;
        QVERIFY(firmwareUpdateSucceeded(run, true));
        QVERIFY(!firmwareUpdateSucceeded(run, false));
    }
    void commandLines() {
#ifndef Q_OS_WIN
        const QString dir = QStringLiteral("/opt/my korven/");
        const FirmwareCommand with =
            FirmwareCommand::build(dir, QStringLiteral("/home/a b/fw.hex"), true);
        const FirmwareCommand without =
            FirmwareCommand::build(dir, QStringLiteral("/f.hex"), false);
        QCOMPARE(with.program, QStringLiteral("/opt/my korven/avrosp"));
        QCOMPARE(with.text,
                 QStringLiteral(
                     "\"/opt/my korven//avrosp\" -dATmega16 -pf -vf -if\"/home/a b/fw.hex\" -e"));
        QCOMPARE(with.arguments,
                 QStringList({"-dATmega16", "-pf", "-vf", "-if/home/a b/fw.hex", "-e"}));
        QCOMPARE(without.text,
                 QStringLiteral("\"/opt/my korven//avrosp\" -dATmega16 -pb -vb -if\"/f.hex\" "
                                "-ie\"/opt/my korven/RQ407_eeprom.hex\" -e"));
        QCOMPARE(without.arguments, QStringList({"-dATmega16", "-pb", "-vb", "-if/f.hex",
                                                 "-ie/opt/my korven/RQ407_eeprom.hex", "-e"}));
#else
        // Windows paths; the program directory ends in a backslash.
        const QString dir = QStringLiteral("C:/Program Files/KORVEN/");
        const FirmwareCommand with =
            FirmwareCommand::build(dir, QStringLiteral("D:/a b/fw.hex"), true);
        const FirmwareCommand without =
            FirmwareCommand::build(dir, QStringLiteral("D:/f.hex"), false);
        QCOMPARE(with.program, QStringLiteral("C:/Program Files/KORVEN/avrosp.exe"));
        QCOMPARE(with.text, QStringLiteral("\"C:\\Program Files\\KORVEN\\\\avrosp.exe\" -dATmega16 "
                                           "-pf -vf -if\"D:\\a b\\fw.hex\" -e"));
        QCOMPARE(with.arguments,
                 QStringList({"-dATmega16", "-pf", "-vf", "-ifD:\\a b\\fw.hex", "-e"}));
        QCOMPARE(
            without.text,
            QStringLiteral("\"C:\\Program Files\\KORVEN\\\\avrosp.exe\" -dATmega16 -pb -vb "
                           "-if\"D:\\f.hex\" -ie\"C:\\Program Files\\KORVEN\\RQ407_eeprom.hex\" "
                           "-e"));
        QCOMPARE(without.arguments,
                 QStringList({"-dATmega16", "-pb", "-vb", "-ifD:\\f.hex",
                              "-ieC:\\Program Files\\KORVEN\\RQ407_eeprom.hex", "-e"}));
#endif
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
        const QString tool = fakeTool(dir, "out Flash Equal!\\r\\n\narguments");
        const ToolRunner::Result r =
            runner.Exec(tool, {QStringLiteral("-if/a \"b\" c.hex"), QStringLiteral("x y")});
        QVERIFY(r.started);
        QVERIFY(!r.timedOut);
        QCOMPARE(r.output, QStringLiteral("Flash Equal!\narg=-if/a \"b\" c.hex\narg=x y\n"));
    }
    void zeroByteEndsTheOutput() {
        QTemporaryDir dir;
        const ToolRunner::Result r =
            ToolRunner(kQuick).Exec(fakeTool(dir, "out Equal!\\0Equal!"), {});
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
        const ToolRunner::Result r = ToolRunner({200, 20, 1024 * 1024})
                                         .Exec(fakeTool(dir, "fill 3000000 x\nout Equal!\\n"), {});
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
            fakeTool(dir, "out Equal!\\n\nsleep 60000"), {}, [&] { ++passes; });
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
