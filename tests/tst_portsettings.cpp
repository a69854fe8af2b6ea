#include "PortSettings.h"

#include "TestFiles.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace korven;

namespace {
QString write(const QTemporaryDir &dir, const QByteArray &bytes) {
    return writeTestFile(dir, QStringLiteral("rs232.ini"), bytes);
}
QByteArray read(const QString &path) { return readTestFile(path); }
} // namespace

class TestPortSettings : public QObject {
    Q_OBJECT
private slots:
    void missingFileKeepsTheDefaultsAndIsWrittenWhole() {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("rs232.ini"));
        PortSettings s;
        QVERIFY(s.load(path));
        QCOMPARE(s.Port, PortSettings::defaultPortName());
        s.forceDeviceLine();
        QVERIFY(s.store(path));
        QCOMPARE(read(path), "[ComPort1]\r\nPort=" + PortSettings::defaultPortName().toLatin1() +
                                 "\r\nBaudRate=38400\r\nStopBits=1\r\nDataBits=8\r\nParity=None\r\n"
                                 "FlowControl=None\r\n");
    }
    void forcedLineSettingsWin() {
        QTemporaryDir dir;
        const QString path =
            write(dir, "[comport1]\r\nport=COM12\r\nBaudRate=fast\r\nDataBits=7\r\n"
                       "Parity=even\r\nStopBits=2\r\n");
        PortSettings s;
        QVERIFY(s.load(path));
        QCOMPARE(s.Port, QStringLiteral("COM12"));
        QCOMPARE(s.BaudRate, QStringLiteral("9600")); // unmatched text falls back
        QCOMPARE(s.Parity, QStringLiteral("Even"));
        s.forceDeviceLine();
        QCOMPARE(s.BaudRate, QStringLiteral("38400"));
        QCOMPARE(s.DataBits, QStringLiteral("8"));
        QCOMPARE(s.Parity, QStringLiteral("None"));
        QCOMPARE(s.StopBits, QStringLiteral("1"));
    }
    void flowControlSummary() {
        QTemporaryDir dir;
        PortSettings s;
        QVERIFY(s.load(write(dir, "[ComPort1]\r\nFlowControl=Hardware\r\n")));
        QVERIFY(s.OutCTSFlow);
        s.forceDeviceLine(); // RTS back to Disable, CTS flow stays
        QVERIFY(s.OutCTSFlow);
        QCOMPARE(s.flowControl(), QStringLiteral("Custom"));
        PortSettings soft;
        QVERIFY(soft.load(write(dir, "[ComPort1]\r\nFlowControl=software\r\n")));
        soft.forceDeviceLine();
        QCOMPARE(soft.flowControl(), QStringLiteral("Software"));
        PortSettings custom;
        QVERIFY(custom.load(write(dir, "[ComPort1]\r\nFlowControl=whatever\r\n")));
        QCOMPARE(custom.flowControl(), QStringLiteral("None"));
    }
    void customBaudAndOtherSectionsSurvive() {
        QTemporaryDir dir;
        const QString path = write(dir, "[Inne]\r\nKlucz=1\r\n[ComPort1]\r\nBaudRate=custom\r\n"
                                        "CustomBaudRate=12345\r\nExtra=keep\r\n");
        PortSettings s;
        QVERIFY(s.load(path));
        QCOMPARE(s.BaudRate, QStringLiteral("Custom"));
        QCOMPARE(s.CustomBaudRate, 12345);
        QVERIFY(s.store(path));
        const QByteArray stored = read(path);
        QVERIFY(stored.startsWith(
            "[Inne]\r\nKlucz=1\r\n[ComPort1]\r\nBaudRate=Custom\r\nCustomBaudRate=12345\r\n"
            "Extra=keep\r\n"));
        QVERIFY(!s.store(dir.filePath(QStringLiteral("no/such/rs232.ini"))));
    }
};

QTEST_GUILESS_MAIN(TestPortSettings)
#include "tst_portsettings.moc"
