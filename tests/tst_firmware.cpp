#include "FirmwareCommand.h"
#include "IntelHex.h"
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
