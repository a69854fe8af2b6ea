// The device jobs against korven-emu: their signals, their verdicts and the reset pause.

#include "ComPort.h"
#include "Compiler.h"
#include "EmulatorProcess.h"
#include "ExchangeJob.h"
#include "ProgramLine.h"
#include "QuietLine.h"
#include "ResetJob.h"

#include <QElapsedTimer>
#include <QFileInfo>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

using namespace korven;

namespace {

struct Port {
    explicit Port(const QString &path) {
        port.settings.Port = path;
        port.settings.forceDeviceLine();
        host.banner = [this](const QString &text) { banners.append(text); };
        host.openPort = [this] {
            try {
                port.OpenPort();
                return true;
            } catch (const PortError &) {
                return false;
            }
        };
        host.processEvents = [] { QCoreApplication::processEvents(); };
    }
    ComPort port;
    DeviceHost host;
    QStringList banners;
};

QStringList image(int waits) {
    QStringList lines;
    for (int i = 0; i < waits; ++i)
        lines << formatLine(i + 1, QStringLiteral("Czekaj[ms](%1)").arg(i));
    lines << formatLine(waits + 1, QStringLiteral("Koniec"));
    return GenerujProgram(lines, DriveSettings{1, 4, 5, 2047, 16}).image;
}

} // namespace

class TestDeviceJobs : public QObject {
    Q_OBJECT
private slots:
    void programAndVerifyReportProgressAndVerdict() {
        EmulatorProcess emu;
        Port p(emu.path());
        const QStringList program = image(5); // 5 x 3 + 1 bytes
        ExchangeJob job(p.port, p.host, ExchangeJob::program(program));
        QSignalSpy started(&job, &DeviceJob::started);
        QSignalSpy progress(&job, &DeviceJob::progress);
        QSignalSpy finished(&job, &DeviceJob::finished);
        job.start();
        QCOMPARE(started.count(), 1);
        QCOMPARE(finished.count(), 1);
        QCOMPARE(finished[0][0].toBool(), true);
        QVERIFY(!job.isRunning());
        QCOMPARE(job.resultText(),
                 QStringLiteral("Programowanie mikroindeksera zakończone pomyślnie"));
        QCOMPARE(progress.count(), 6);
        QCOMPARE(progress[0], QVariantList({3, 16}));
        QCOMPARE(progress[5], QVariantList({16, 16}));
        QCOMPARE(p.banners.first(), QStringLiteral("Programowanie mikroindeksera"));
        job.start(); // a job runs once
        QCOMPARE(finished.count(), 2);

        ExchangeJob verify(p.port, p.host, ExchangeJob::verify(program));
        verify.start();
        QCOMPARE(verify.resultText(), QStringLiteral("Weryfikacja OK"));
        ExchangeJob link(p.port, p.host, ExchangeJob::linkTest());
        link.start();
        QCOMPARE(p.banners.last(), QStringLiteral("Komunikacja OK Mikroindekser KORVEN-EMU 1.0"));
    }
    void portFailureEndsTheJobAsAFailure() {
        EmulatorProcess emu({QStringLiteral("--hangup-after"), QStringLiteral("4")});
        Port p(emu.path());
        ExchangeJob job(p.port, p.host, ExchangeJob::program(image(5)),
                        QStringLiteral("Błąd przy programowaniu mikroindeksera"));
        QSignalSpy error(&job, &DeviceJob::portError);
        QSignalSpy finished(&job, &DeviceJob::finished);
        job.start();
        QCOMPARE(error.count(), 1);
        QCOMPARE(finished.count(), 1);
        QCOMPARE(finished[0][0].toBool(), false);
        QCOMPARE(job.resultText(), QStringLiteral("Błąd przy programowaniu mikroindeksera"));
        QVERIFY(!p.port.Connected());
    }
    void retryAfterALateEchoAndAStrayByteSucceeds() {
        // The echo of the fifth image byte comes 0.77 s late, so every later echo of the
        // first attempt is one behind; 20 ms after its "e" one stray byte follows. Both
        // reach the line after the first attempt has failed.
        EmulatorProcess emu({QStringLiteral("--paced"), QStringLiteral("--late-echo-at"),
                             QStringLiteral("5"), QStringLiteral("--stray-after-end")});
        Port p(emu.path());
        const QStringList program = image(40);
        ExchangeJob job(p.port, p.host, ExchangeJob::program(program));
        QSignalSpy finished(&job, &DeviceJob::finished);
        job.start();
        QVERIFY(finished.count() == 1 || finished.wait(10000));
        QCOMPARE(job.resultText(),
                 QStringLiteral("Programowanie mikroindeksera zakończone pomyślnie"));
        QCOMPARE(p.banners.count(QStringLiteral("Programowanie mikroindeksera")), 2);
        QVERIFY(p.banners.contains(QStringLiteral("Błędy w transmisji !")));
        QVERIFY(job.streamStarted());
        ExchangeJob verify(p.port, p.host, ExchangeJob::verify(program));
        verify.start();
        QCOMPARE(verify.resultText(), QStringLiteral("Weryfikacja OK"));
    }
    void stopWhileTheLineQuietensEndsWithoutRetry() {
        QTemporaryDir dir;
        const QString log = dir.filePath(QStringLiteral("rx"));
        EmulatorProcess emu({QStringLiteral("--silent"), QStringLiteral("--log"), log});
        Port p(emu.path());
        // STOP as soon as the first attempt has failed: the next events to run are those
        // of the wait for a quiet line before the retry.
        ExchangeJob *running = nullptr;
        bool waitingWhenStopped = false;
        p.host.banner = [&, shown = p.host.banner](const QString &text) {
            shown(text);
            if (text != QStringLiteral("Mikroindekser nie odpowiada !"))
                return;
            QTimer::singleShot(0, running, [&] {
                waitingWhenStopped = running->isRunning();
                running->stop();
            });
        };
        ExchangeJob job(p.port, p.host, ExchangeJob::program(image(5)));
        running = &job;
        QSignalSpy finished(&job, &DeviceJob::finished);
        job.start();
        QVERIFY(finished.count() == 1 || finished.wait(5000));
        QVERIFY(waitingWhenStopped);
        QCOMPARE(finished[0][0].toBool(), false);
        QCOMPARE(job.resultText(), QStringLiteral("Błąd przy programowaniu mikroindeksera"));
        QVERIFY(job.streamStarted());
        // One "P", no retry, and the stop.
        QTRY_COMPARE(QFileInfo(log).size(), 2);
        QFile file(log);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), QByteArray("Ps"));
    }
    void aQuietLineDropsWhatArrivesAndSendsNothing() {
        QTemporaryDir dir;
        const QString log = dir.filePath(QStringLiteral("rx"));
        EmulatorProcess emu(
            {QStringLiteral("--stale"), QStringLiteral("20"), QStringLiteral("--log"), log});
        Port p(emu.path());
        bool handlerCalled = false;
        p.port.setOnRxChar([&](int) { handlerCalled = true; });
        p.port.OpenPort();
        p.port.setReadTotalConstant(500);
        QuietLine quiet(p.port);
        QSignalSpy done(&quiet, &QuietLine::done);
        QElapsedTimer clock;
        clock.start();
        quiet.start();
        QVERIFY(quiet.isWaiting());
        QVERIFY(done.wait(5000));
        QVERIFY(clock.elapsed() >= QuietLine::kQuietMilliseconds);
        QVERIFY(clock.elapsed() < QuietLine::kLongestMilliseconds + 500);
        QCOMPARE(quiet.dropped(), 20);
        QCOMPARE(p.port.ReadTotalConstant(), 500);
        QVERIFY(!handlerCalled);
        QVERIFY(p.port.onRxChar()); // the handler is back
        QVERIFY(!QFile::exists(log) || QFileInfo(log).size() == 0);
        // A closed port has nothing to wait for.
        p.port.ClosePort();
        quiet.start();
        QCOMPARE(done.count(), 2);
    }
    void resetPausesOnATimerAndHoldsTheStatus() {
        EmulatorProcess emu;
        Port p(emu.path());
        QStringList order;
        p.port.setOnRxChar([&](int count) {
            order << QStringLiteral("status ") + QString::fromLatin1(p.port.ReadText(count));
        });
        ResetJob job(p.port, p.host);
        connect(&job, &DeviceJob::finished, &job, [&] { order << QStringLiteral("finished"); });
        QElapsedTimer clock;
        clock.start();
        job.start();
        QVERIFY(job.isRunning()); // returns at once, the pause runs on
        QVERIFY(clock.elapsed() < 500);
        QTRY_VERIFY_WITH_TIMEOUT(!job.isRunning(), 5000);
        QVERIFY(clock.elapsed() >= ResetJob::kPauseMilliseconds);
        QTRY_COMPARE(order, QStringList({"finished", "status t"}));
        QVERIFY(p.port.onRxChar()); // the handler is back
    }
};

QTEST_MAIN(TestDeviceJobs)
#include "tst_devicejobs.moc"
