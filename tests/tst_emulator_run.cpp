// The emulator runs a received program on the motion simulator, over a pseudo-terminal.

#include "ComPort.h"
#include "CompiledProgram.h"
#include "Compiler.h"
#include "DeviceOperations.h"
#include "EmulatorProcess.h"
#include "ProgramLine.h"
#include "WineSkip.h"

#include <QElapsedTimer>
#include <QTest>

using namespace korven;

namespace {

// A port, the operations on it and the status banners the device caused.
struct Link {
    explicit Link(const QString &path) {
        port.settings.Port = path;
        port.settings.forceDeviceLine();
        DeviceHost host;
        host.banner = [](const QString &) {};
        host.openPort = [this] {
            try {
                port.OpenPort();
                return true;
            } catch (const PortError &) {
                return false;
            }
        };
        host.pause = [](int ms) { QTest::qWait(ms); };
        ops = std::make_unique<DeviceOperations>(port, host);
    }
    // Loads and starts the program; the clock starts with the run.
    bool start(const QStringList &image) {
        if (!ops->Programuj(image))
            return false;
        port.setOnRxChar([this](int count) {
            const QString banner = DeviceOperations::statusAction(port.ReadText(count)).banner;
            if (!banner.isEmpty())
                last = banner;
            if (banner == kFinished)
                finishedAfterMs = clock.elapsed();
        });
        clock.start();
        return ops->run();
    }
    static inline const QString kFinished =
        QStringLiteral("Wykonywanie programu zakończone pomyślnie");
    ComPort port;
    std::unique_ptr<DeviceOperations> ops;
    QElapsedTimer clock;
    QString last;
    qint64 finishedAfterMs = -1;
};

} // namespace

class TestEmulatorRun : public QObject {
    Q_OBJECT
private slots:
    void endComesAfterTheScaledRunTime() {
        // 2.5 s of waits at a quarter of the time: 625 ms.
        EmulatorProcess emu({QStringLiteral("--time-scale"), QStringLiteral("0,25")});
        Link link(emu.path());
        QVERIFY(link.start(compiled({"Ustaw licznik powtórzeń(9)", "Czekaj[ms](250)",
                                     "Skocz jeśli licz. powt.(2)", "Koniec"})));
        QTRY_COMPARE_WITH_TIMEOUT(link.last, Link::kFinished, 5000);
        QVERIFY2(link.finishedAfterMs >= 600, qPrintable(QString::number(link.finishedAfterMs)));
        QVERIFY2(link.finishedAfterMs < 2500, qPrintable(QString::number(link.finishedAfterMs)));
    }
    void inputsComeFromTheSwitches() {
        const QStringList waitForInput = compiled(
            {"Skocz jeśli wejście(4)(2)(1)", "Czekaj[ms](100)", "Skocz do linii(1)", "Koniec"});
        {
            EmulatorProcess emu({QStringLiteral("--input"), QStringLiteral("2=1@0.3")});
            Link link(emu.path());
            QVERIFY(link.start(waitForInput));
            QTRY_COMPARE_WITH_TIMEOUT(link.last, Link::kFinished, 5000);
            QVERIFY2(link.finishedAfterMs >= 280,
                     qPrintable(QString::number(link.finishedAfterMs)));
        }
        // Without the input the program loops until it is stopped.
        EmulatorProcess emu;
        Link link(emu.path());
        QVERIFY(link.start(waitForInput));
        QTest::qWait(600);
        QVERIFY(link.last != Link::kFinished);
        link.ops->stop();
        QTRY_COMPARE_WITH_TIMEOUT(link.last, QStringLiteral("Stop awaryjny"), 5000);
    }
    void busyWaitLastsUntilTheInputOrTheStop() {
        // A poll that jumps to itself: the wait takes time only through the input schedule.
        const QStringList poll = compiled({"Skocz jeśli wejście(1)(2)(0)", "Koniec"});
        {
            EmulatorProcess emu({QStringLiteral("--input"), QStringLiteral("2=1@0,8"),
                                 QStringLiteral("--time-scale"), QStringLiteral("0,5")});
            Link link(emu.path());
            QVERIFY(link.start(poll));
            QTRY_COMPARE_WITH_TIMEOUT(link.last, Link::kFinished, 5000);
            QVERIFY2(link.finishedAfterMs >= 380,
                     qPrintable(QString::number(link.finishedAfterMs)));
        }
        // No change to come: the program waits for ever, until it is stopped.
        EmulatorProcess emu;
        Link link(emu.path());
        QVERIFY(link.start(poll));
        QTest::qWait(600);
        QVERIFY(link.last != Link::kFinished);
        link.ops->stop();
        QTRY_COMPARE_WITH_TIMEOUT(link.last, QStringLiteral("Stop awaryjny"), 5000);
    }
    void badSwitchIsRefused() {
        KORVEN_SKIP_UNDER_WINE("the exit status of a Linux program (korven-emu) started from a "
                               "Windows one");
        QProcess p;
        p.start(QStringLiteral(KORVEN_EMU), {QStringLiteral("--input"), QStringLiteral("9=1@0")});
        QVERIFY(p.waitForFinished(10000));
        QCOMPARE(p.exitCode(), 2);
        QVERIFY(p.readAllStandardError().contains("spoza zakresu 1..8"));
    }
};

QTEST_GUILESS_MAIN(TestEmulatorRun)
#include "tst_emulator_run.moc"
