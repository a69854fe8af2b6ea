// The device link over a real pseudo-terminal against korven-emu, through QSerialPort.

#include "ComPort.h"
#include "CompiledProgram.h"
#include "Compiler.h"
#include "DeviceOperations.h"
#include "EmulatorProcess.h"
#include "ExchangeJob.h"
#include "PortReason.h"
#include "ProgramLine.h"
#include "WineSkip.h"

#include <QElapsedTimer>
#include <QFile>
#include <QScopeGuard>
#include <QSignalSpy>
#include <QTest>

#ifdef Q_OS_UNIX
#include <fcntl.h>
#include <unistd.h>
#endif

using namespace korven;

namespace {

// A port and the operations on it, with what they showed the user.
struct Link {
    explicit Link(const QString &path) {
        port.settings.Port = path;
        port.settings.forceDeviceLine();
        host.banner = [this](const QString &text) { banners.append(text); };
        host.openPort = [this] {
            try {
                port.OpenPort();
                return true;
            } catch (const PortError &e) {
                openFailures.append(e.message());
                return false;
            }
        };
        host.exchanged = [this](const ByteExchange &e) { exchanges.append(e); };
        host.pause = [](int ms) { QTest::qWait(ms); };
        ops = std::make_unique<DeviceOperations>(port, host);
    }
    // The program command with its retry, as the window and korven-cli run it.
    Verdict program(const QStringList &image) {
        ExchangeJob job(port, host, ExchangeJob::program(image));
        QSignalSpy finished(&job, &DeviceJob::finished);
        job.start();
        if (finished.isEmpty())
            finished.wait(10000);
        return job.verdict();
    }
    ComPort port;
    DeviceHost host;
    std::unique_ptr<DeviceOperations> ops;
    QStringList banners;
    QStringList openFailures;
    QList<ByteExchange> exchanges;
};

const QStringList kProgram =
    compiled({"Czekaj[ms](10)", "Skocz jeśli wejście(1)(3)(1)", "Stop", "Koniec"});

} // namespace

class TestDevice : public QObject {
    Q_OBJECT
private slots:
    void hexAndLines() {
        QCOMPARE(imageLineBytes(QStringLiteral("04 00 00")), QByteArray("\x04\x00\x00", 3));
        QCOMPARE(HexToInt(QStringLiteral("0a")), 10);
        QCOMPARE(HexToInt(QStringLiteral("0A")), 10);
        QCOMPARE(HexToInt(QStringLiteral("G1")), 1);
        QCOMPARE(imageLineBytes(QStringLiteral("04 00 00 ")).size(), 3);
        QCOMPARE(imageLineBytes(QStringLiteral("04 00 0")).size(), 2);
        QCOMPARE(imageLineBytes(QString()).size(), 0);
        ByteExchange e;
        e.sent = 0x04;
        e.milliseconds = 3;
        QCOMPARE(e.logLine(), QStringLiteral("Wysyłam -> 04 Odebrałem <- -- Czas = 3"));
        e.echo = 0xAB;
        QCOMPARE(e.logLine(), QStringLiteral("Wysyłam -> 04 Odebrałem <- AB Czas = 3"));
    }
    void statusCharacters() {
        QCOMPARE(DeviceOperations::statusAction("re").banner,
                 QStringLiteral("Wykonywanie programu zakończone pomyślnie"));
        QVERIFY(DeviceOperations::statusAction("E").enableControls);
        QVERIFY(!DeviceOperations::statusAction("r").enableControls);
        QCOMPARE(DeviceOperations::statusAction("t").banner,
                 QStringLiteral("Mikroindekser wystartował"));
        QCOMPARE(DeviceOperations::statusAction("s").banner, QStringLiteral("Stop awaryjny"));
        QVERIFY(DeviceOperations::statusAction("x").banner.isEmpty());
        QVERIFY(DeviceOperations::statusAction("").banner.isEmpty());
    }
    void programThenVerify() {
        EmulatorProcess emu;
        Link link(emu.path());
        QVERIFY(link.ops->Programuj(kProgram));
        QCOMPARE(link.banners, QStringList{"Programowanie mikroindeksera"});
        QCOMPARE(link.exchanges.size(), ObliczDlProg(kProgram));
        QVERIFY(link.ops->Weryfikuj(kProgram));
        QCOMPARE(link.port.ReadTotalConstant(), 500);
        // Another program does not verify.
        link.banners.clear();
        QVERIFY(!link.ops->Weryfikuj(compiled({"Czekaj[ms](11)", "Koniec"})));
        QVERIFY(!link.banners.isEmpty());
        for (const QString &banner : link.banners)
            QCOMPARE(banner, QStringLiteral("Błędy w transmisji !"));
    }
    void lowercaseEchoesAreAccepted() {
        EmulatorProcess emu({QStringLiteral("--lowercase-echo")});
        Link link(emu.path());
        QVERIFY(link.ops->Programuj(kProgram));
        QVERIFY(link.ops->run());
        QCOMPARE(link.banners.last(), QStringLiteral("Program uruchomiony"));
    }
    void upperCaseEndFails() {
        EmulatorProcess emu({QStringLiteral("--upper-end")});
        Link link(emu.path());
        QVERIFY(!link.ops->Programuj(kProgram));
        QCOMPARE(link.banners, QStringList{"Programowanie mikroindeksera"});
        QVERIFY(!link.ops->Weryfikuj(kProgram));
    }
    void swappedLengthSendsNoImage() {
        EmulatorProcess emu({QStringLiteral("--swap-length")});
        Link link(emu.path());
        QVERIFY(!link.ops->Programuj(kProgram));
        QCOMPARE(link.banners.last(), QStringLiteral("Błąd transmisji"));
        QVERIFY(link.exchanges.isEmpty());
        EmulatorProcess fresh({QStringLiteral("--swap-length")});
        Link second(fresh.path());
        QVERIFY(!second.ops->Weryfikuj(kProgram));
        QCOMPARE(second.banners.last(), QStringLiteral("Błąd 1020"));
        QVERIFY(second.exchanges.isEmpty());
    }
    void extraByteShiftsEveryEcho() {
        EmulatorProcess emu({QStringLiteral("--extra-byte")});
        Link link(emu.path());
        QVERIFY(!link.ops->Programuj(kProgram));
        QCOMPARE(link.banners.last(), QStringLiteral("Błąd transmisji"));
    }
    void wrongEchoStillSendsTheRest() {
        EmulatorProcess emu({QStringLiteral("--wrong-echo-at"), QStringLiteral("2")});
        Link link(emu.path());
        QVERIFY(!link.ops->Programuj(kProgram));
        QCOMPARE(link.banners.last(), QStringLiteral("Błędy w transmisji !"));
        QCOMPARE(link.exchanges.size(), ObliczDlProg(kProgram));
        QVERIFY(!link.exchanges[1].matches());
        QVERIFY(link.exchanges[2].matches());
    }
    void silentDevice() {
        EmulatorProcess emu({QStringLiteral("--silent")});
        Link link(emu.path());
        QElapsedTimer clock;
        clock.start();
        QVERIFY(!link.ops->Programuj(kProgram));
        QVERIFY(clock.elapsed() >= 450);
        QCOMPARE(link.banners.last(), QStringLiteral("Mikroindekser nie odpowiada !"));
        QVERIFY(!link.ops->run());
        QCOMPARE(link.banners.last(), QStringLiteral("Mikroindekser nie odpowiada"));
        link.ops->linkTest();
        QCOMPARE(link.banners.last(), QStringLiteral("Mikroindekser nie odpowiada"));
    }
    void aDeviceThatFallsSilentMidStreamIsGivenUp() {
        // Answers "P" and the length, then nothing: three silent bytes, over line
        // boundaries, end the stream; the retry then fails at once at "P".
        EmulatorProcess emu({QStringLiteral("--mute-after"), QStringLiteral("3")});
        Link link(emu.path());
        QStringList image;
        for (int i = 0; i < 40; ++i)
            image.append(QStringLiteral("0B"));
        QElapsedTimer clock;
        clock.start();
        QVERIFY(!link.ops->Programuj(image));
        const qint64 firstAttempt = clock.elapsed();
        QVERIFY2(firstAttempt >= 3 * 480 && firstAttempt < 2000,
                 qPrintable(QString::number(firstAttempt)));
        QCOMPARE(link.exchanges.size(), SilenceWatch::kGiveUpAfter);
        QCOMPARE(link.banners.last(), QStringLiteral("Mikroindekser nie odpowiada !"));
        const Verdict verdict = link.program(image);
        QVERIFY(!verdict.ok);
        QCOMPARE(verdict.text, QStringLiteral("Błąd przy programowaniu mikroindeksera"));
        QVERIFY2(clock.elapsed() < firstAttempt + 2000 + 500 + 300,
                 qPrintable(QString::number(clock.elapsed())));
        // A silent byte between echoed ones is a transfer error of its line only.
        SilenceWatch watch;
        for (bool answered : {false, false, true, false, false})
            watch.record(answered);
        QVERIFY(!watch.deviceGone());
        watch.record(false);
        QVERIFY(watch.deviceGone());
    }
    void refusalIsTheVerdictAndNotRetried() {
        EmulatorProcess emu;
        Link link(emu.path());
        QStringList image;
        for (int i = 0; i < 100; ++i)
            image.append(QStringLiteral("02 0C 00 00 01 18 00 56 00 12 00 F3 0D"));
        const QString why =
            QStringLiteral("Program nie mieści się w pamięci mikroindeksera (1300 z 1000 bajtów)");
        QCOMPARE(link.program(image).text, why);
        QCOMPARE(link.banners, QStringList{why});
        QCOMPARE(link.ops->verify(image).text, why);
        QVERIFY(!link.port.Connected());
        // The next, fitting program goes through and clears the refusal.
        QVERIFY(link.program(kProgram).ok);
        QVERIFY(link.ops->Programuj(kProgram));
        QVERIFY(link.ops->refusal().isEmpty());
        QCOMPARE(link.ops->verify(kProgram).text, QStringLiteral("Weryfikacja OK"));
    }
    void staleBytesAreDrained() {
        EmulatorProcess emu({QStringLiteral("--stale"), QStringLiteral("20")});
        Link link(emu.path());
        link.port.OpenPort();
        QTest::qWait(100);
        QVERIFY(link.ops->Programuj(kProgram));
    }
    void linkTestShowsTheReply() {
        EmulatorProcess emu;
        Link link(emu.path());
        link.ops->linkTest();
        QCOMPARE(link.banners.last(),
                 QStringLiteral("Komunikacja OK Mikroindekser KORVEN-EMU 1.0"));
    }
    void statusCharactersReachTheHandler() {
        EmulatorProcess emu;
        Link link(emu.path());
        QVERIFY(link.ops->Programuj(compiled({"Czekaj[ms](50)", "Koniec"})));
        QStringList shown;
        link.port.setOnRxChar([&](int count) {
            const StatusAction action = DeviceOperations::statusAction(link.port.ReadText(count));
            if (!action.banner.isEmpty())
                shown.append(action.banner);
        });
        QVERIFY(link.ops->run());
        QVERIFY(link.port.onRxChar()); // re-attached after the exchange
        QTRY_COMPARE(shown.value(shown.size() - 1),
                     QStringLiteral("Wykonywanie programu zakończone pomyślnie"));
    }
    void stopEndsALoopingProgram() {
        EmulatorProcess emu;
        Link link(emu.path());
        QVERIFY(link.ops->Programuj(compiled({"Czekaj[ms](20)", "Skocz do linii(1)", "Koniec"})));
        QString last;
        link.port.setOnRxChar([&](int count) {
            last = DeviceOperations::statusAction(link.port.ReadText(count)).banner;
        });
        QVERIFY(link.ops->run());
        QTest::qWait(100);
        link.ops->stop();
        QTRY_COMPARE(last, QStringLiteral("Stop awaryjny"));
        link.ops->reset();
        QTRY_COMPARE(last, QStringLiteral("Mikroindekser wystartował"));
    }
    void hangUpGivesThePortErrorAndReattaches() {
        EmulatorProcess emu({QStringLiteral("--hangup-after"), QStringLiteral("5")});
#ifdef Q_OS_UNIX
        // Held open here, the hung-up terminal's number cannot go to another test's emulator
        // before the port is tried again below.
        const int hold =
            ::open(QFile::encodeName(emu.path()).constData(), O_RDONLY | O_NOCTTY | O_NONBLOCK);
        QVERIFY(hold >= 0);
        const auto release = qScopeGuard([hold] { ::close(hold); });
#endif
        Link link(emu.path());
        bool handlerCalled = false;
        link.port.setOnRxChar([&](int) { handlerCalled = true; });
        QString error;
        try {
            link.ops->Programuj(kProgram);
        } catch (const PortError &e) {
            error = e.message();
        }
        QVERIFY2(error.startsWith(QStringLiteral("ReadFile function failed")) ||
                     error.startsWith(QStringLiteral("WriteFile function failed")),
                 qPrintable(error));
        QVERIFY(!link.port.Connected());
        QVERIFY(link.port.onRxChar());
        QVERIFY(!handlerCalled);
        // The next command tries to open the port again, and says so when it cannot.
        emu.waitForFinished(5000);
        QVERIFY(!link.ops->Programuj(kProgram));
        QCOMPARE(link.openFailures.size(), 1);
        QVERIFY(link.openFailures[0].startsWith(QStringLiteral("Unable to open com port")));
    }
    void tooLongImageIsNeverSent() {
        EmulatorProcess emu;
        Link link(emu.path());
        QStringList image;
        for (int i = 0; i < 100; ++i)
            image.append(QStringLiteral("02 0C 00 00 01 18 00 56 00 12 00 F3 0D"));
        QVERIFY(!link.ops->Programuj(image));
        QCOMPARE(
            link.banners.last(),
            QStringLiteral("Program nie mieści się w pamięci mikroindeksera (1300 z 1000 bajtów)"));
        QVERIFY(!link.port.Connected());
    }
    void portFailuresSayWhy() {
        using Kind = PortReason::Kind;
        const QString here = QCoreApplication::applicationFilePath(); // a node that exists
        const PortReason gone = PortReason::of(QSerialPort::UnknownError,
                                               QStringLiteral("Inappropriate ioctl for device"),
                                               QStringLiteral("/dev/no-such-port"), true);
        QCOMPARE(gone.kind, Kind::Disconnected);
        QCOMPARE(gone.text, QStringLiteral("urządzenie zostało odłączone"));
        QCOMPARE(
            PortReason::of(QSerialPort::DeviceNotFoundError, {}, QStringLiteral("/dev/x"), false)
                .kind,
            Kind::NoSuchDevice);
#ifndef Q_OS_WIN
        QCOMPARE(PortReason::of(QSerialPort::ResourceError, QStringLiteral("Input/output error"),
                                here, true)
                     .text,
                 QStringLiteral("błąd wejścia/wyjścia"));
#else
        // Windows words an unplugged adapter's failures as it likes: a port that fails while
        // open was unplugged.
        QCOMPARE(
            PortReason::of(QSerialPort::UnknownError, QStringLiteral("Nie gotowe."), {}, true).kind,
            Kind::Disconnected);
#endif
        QCOMPARE(PortReason::of(QSerialPort::PermissionError,
                                QStringLiteral("Device or resource busy"), here, false)
                     .kind,
                 Kind::Busy);
        const PortReason denied = PortReason::of(QSerialPort::PermissionError,
                                                 QStringLiteral("Permission denied"), here, false);
#ifdef Q_OS_WIN
        // Windows refuses a port that another program holds: that is what it says there.
        QCOMPARE(denied.kind, Kind::Busy);
#else
        QCOMPARE(denied.kind, Kind::NoPermission);
#endif
#ifdef Q_OS_LINUX
        QVERIFY2(denied.text.contains(QStringLiteral("sudo usermod -aG ")) &&
                     denied.text.contains(QStringLiteral("zaloguj ponownie")),
                 qPrintable(denied.text));
#endif
        // The open message keeps its base line and adds what the user can act on.
        QCOMPARE(PortReason::openFailureMessage(QStringLiteral("/dev/ttyUSB0"), denied)
                     .section(QLatin1Char('\n'), 0, 0),
                 QStringLiteral("Nie mogę otworzyć portu: /dev/ttyUSB0"));
#ifndef Q_OS_WIN
        QVERIFY(PortReason::openFailureMessage(QStringLiteral("/dev/ttyUSB0"), denied)
                    .contains(QStringLiteral("\nBrak uprawnień do urządzenia. ")));
#else
        QVERIFY(PortReason::openFailureMessage(QStringLiteral("COM3"), denied)
                    .endsWith(QStringLiteral("\nUrządzenie jest zajęte przez inny program.")));
#endif
        QCOMPARE(PortReason::openFailureMessage(QStringLiteral("/dev/x"), {Kind::NoSuchDevice, {}}),
                 QStringLiteral("Nie mogę otworzyć portu: /dev/x"));
        // A port another program holds.
        KORVEN_SKIP_UNDER_WINE("ports open for one program at a time (Wine opens a port twice)");
        EmulatorProcess emu;
        Link first(emu.path()), second(emu.path());
        first.port.OpenPort();
        QVERIFY(!second.ops->Programuj(kProgram));
        QCOMPARE(second.openFailures.size(), 1);
        QVERIFY2(second.openFailures[0].startsWith(
                     QStringLiteral("Unable to open com port (urządzenie jest zajęte")),
                 qPrintable(second.openFailures[0]));
    }
    void emptyProgramImage() {
        EmulatorProcess emu;
        Link link(emu.path());
        QVERIFY(link.ops->Programuj({}));
        QVERIFY(link.ops->WyslijPolecenie(QString()));
    }
};

QTEST_GUILESS_MAIN(TestDevice)
#include "tst_device.moc"
