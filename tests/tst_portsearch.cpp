// The port list of the port dialog and the search for the port the device answers on,
// against korven-emu on pseudo-terminals.

#include "EmulatorLauncher.h"
#include "EmulatorProcess.h"
#include "PortCatalog.h"
#include "PortSearch.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

using namespace korven;

class TestPortSearch : public QObject {
    Q_OBJECT
private slots:
    void currentPortIsSortedIn() {
        const QList<PortEntry> ports =
            PortCatalog::withCurrent({{"ttyUSB0", "FT232R"}, {"ttyS0", ""}}, "/dev/pts/7");
        QStringList names;
        for (const PortEntry &p : ports)
            names << p.name;
        QCOMPARE(names, QStringList({"/dev/pts/7", "ttyS0", "ttyUSB0"}));
        // A port already listed, in another case, is not added twice.
        QCOMPARE(PortCatalog::withCurrent(ports, "TTYS0").size(), 3);
        QCOMPARE(PortCatalog::indexOf(ports, "ttyusb0"), 2);
    }
    void stableNamesLeadToTheirDevice() {
#ifdef Q_OS_WIN
        QSKIP("stable names of USB adapters (/dev/serial/by-id) are Linux's");
#endif
        QTemporaryDir dir;
        QFile device(dir.filePath("ttyUSB9"));
        QVERIFY(device.open(QIODevice::WriteOnly));
        device.close();
        const QString link = dir.filePath("usb-FTDI_FT232R_A1B2-if00-port0");
        QVERIFY(QFile::link(device.fileName(), link));
        const QMap<QString, QString> names = PortCatalog::stableNames(dir.path());
        QCOMPARE(names.value(QFileInfo(device).canonicalFilePath()), link);
        // An older rs232.ini naming the device finds the entry of its stable name.
        QCOMPARE(PortCatalog::indexOf({{link, "FT232R"}}, device.fileName()), 0);
    }
    void searchStopsAtThePortThatAnswers() {
        EmulatorProcess silent({"--silent"});
        EmulatorProcess device;
        QVERIFY(!silent.path().isEmpty() && !device.path().isEmpty());
        PortSettings line;
        QStringList tried;
        const PortSearch::Result found =
            PortSearch::find({"/dev/korven-no-such-port", silent.path(), device.path()}, line,
                             [&](int index, int count, const QString &port) {
                                 QCOMPARE(count, 3);
                                 QCOMPARE(index, int(tried.size()));
                                 tried << port;
                             });
        QCOMPARE(found.port, device.path());
        QCOMPARE(found.answer, QStringLiteral("Komunikacja OK Mikroindekser KORVEN-EMU 1.0"));
        QCOMPARE(tried.size(), 3);
        // Each port was closed again: the device's port opens at once.
        const PortSearch::Result again = PortSearch::find({device.path()}, line);
        QVERIFY(again.found());
        QVERIFY(!PortSearch::find({silent.path()}, line).found());
        QVERIFY(!PortSearch::find({}, line).found());
    }
    void emulatorRunsFromTheProgramDirectory() {
        QTemporaryDir dir;
        QVERIFY(!EmulatorLauncher::available(dir.path()));
#ifdef Q_OS_WIN
        // Windows has no pseudo-terminals: never offered there, even beside the program.
        QVERIFY(QFile::copy(QStringLiteral(KORVEN_EMU), dir.filePath("korven-emu")));
        QVERIFY(!EmulatorLauncher::available(dir.path()));
        QSKIP("the emulator runs beside the window on Linux only");
#endif
        QVERIFY(QFile::link(QStringLiteral(KORVEN_EMU), dir.filePath("korven-emu")));
        QVERIFY(EmulatorLauncher::available(dir.path()));
        QString port;
        {
            EmulatorLauncher emulator(dir.path());
            port = emulator.start();
            QVERIFY2(!port.isEmpty(), qPrintable(emulator.error()));
            QVERIFY(emulator.running());
            QCOMPARE(emulator.start(), port); // the one running is kept
            QVERIFY(PortSearch::find({port}, PortSettings()).found());
        }
        // Gone with its launcher, terminal and all.
        QTRY_VERIFY_WITH_TIMEOUT(!QFile::exists(port), 5000);

        // One that ends on its own says so; one stopped does not.
        EmulatorLauncher emulator(dir.path());
        int ended = 0;
        emulator.setOnEnded([&] { ++ended; });
        QVERIFY(!emulator.start().isEmpty());
        QCOMPARE(QProcess::execute(QStringLiteral("kill"), {QString::number(emulator.processId())}),
                 0);
        QTRY_COMPARE_WITH_TIMEOUT(ended, 1, 5000);
        QVERIFY(!emulator.start().isEmpty());
        emulator.stop();
        QTest::qWait(100);
        QCOMPARE(ended, 1);
    }
    void emulatorEndsWhenItsStarterGoes() {
#ifdef Q_OS_WIN
        QSKIP("the emulator runs beside the window on Linux only");
#endif
        // The starter's end, a crash included, closes the emulator's input.
        QProcess emulator;
        emulator.start(QStringLiteral(KORVEN_EMU), {QStringLiteral("--with-parent")});
        QVERIFY(emulator.waitForReadyRead(5000));
        const QString port = QString::fromLocal8Bit(emulator.readLine()).trimmed();
        QVERIFY(QFile::exists(port));
        emulator.closeWriteChannel();
        QVERIFY(emulator.waitForFinished(5000));
        QCOMPARE(emulator.exitStatus(), QProcess::NormalExit);
        QVERIFY(!QFile::exists(port));
    }
};

QTEST_MAIN(TestPortSearch)
#include "tst_portsearch.moc"
