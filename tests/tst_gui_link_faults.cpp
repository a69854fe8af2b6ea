// The window against a device that is stopped, falls silent, hangs up or is sent a
// program it cannot take; korven-emu on a pseudo-terminal records what reached it.

#include "DeviceFixture.h"

#include "ComPort.h"
#include "Compiler.h"
#include "EchoTransfer.h"

#include <QElapsedTimer>
#include <QFileInfo>
#include <QPushButton>
#include <QTest>
#include <QTimer>

using namespace korven;

namespace {

QStringList waits(int count) {
    QStringList bodies;
    for (int i = 0; i < count; ++i)
        bodies.append(QStringLiteral("Czekaj[ms](10)"));
    bodies.append(QStringLiteral("Koniec"));
    return bodies;
}

struct LogDir {
    QTemporaryDir logDir;
};

// The emulator with a log of every byte it received.
struct LoggedDevice : LogDir, DeviceFixture {
    explicit LoggedDevice(QStringList faults = {})
        : DeviceFixture(withLog(faults, logDir.filePath(QStringLiteral("rx")))) {}
    static QStringList withLog(QStringList faults, const QString &log) {
        return faults << QStringLiteral("--log") << log;
    }
    QByteArray received() const {
        QFile file(logDir.filePath(QStringLiteral("rx")));
        file.open(QIODevice::ReadOnly);
        return file.readAll();
    }
    qint64 receivedCount() const { return QFileInfo(logDir.filePath(QStringLiteral("rx"))).size(); }
    QByteArray imageBytes() const {
        QByteArray bytes;
        for (const QString &line : form->programImage())
            bytes += imageLineBytes(line);
        return bytes;
    }
};

} // namespace

class TestGuiLinkFaults : public QObject {
    Q_OBJECT
private slots:
    void stopEndsTheStreamAtTheLineBoundary() {
        LoggedDevice f({QStringLiteral("--paced")});
        f.load(waits(333));
        QCOMPARE(ObliczDlProg(f.form->programImage()), 1000);
        auto *stop = f.form->findChild<QPushButton *>(QStringLiteral("sbtnStop"));
        QElapsedTimer sinceStop;
        QTimer poll;
        poll.setInterval(1);
        QObject::connect(&poll, &QTimer::timeout, [&] {
            if (f.receivedCount() < 300 || sinceStop.isValid())
                return;
            sinceStop.start();
            stop->click();
        });
        poll.start();
        f.form->miProgramujClick();
        const qint64 backAfter = sinceStop.isValid() ? sinceStop.elapsed() : -1;
        QVERIFY(sinceStop.isValid());
        QVERIFY2(backAfter < 1000, qPrintable(QString::number(backAfter)));
        QVERIFY(!f.busy());
        QCOMPARE(f.banner(), QStringLiteral("Błąd przy programowaniu mikroindeksera"));
        // What reached the device: "P", the length, whole lines of the image, the "s".
        QTest::qWait(200);
        const QByteArray rx = f.received();
        QVERIFY2(rx.endsWith('s'), rx.right(10).toHex().constData());
        const QByteArray sent = rx.mid(3, rx.size() - 4);
        QCOMPARE(rx.left(3), QByteArray("P\x03\xE8"));
        QVERIFY(sent.size() >= 297 && sent.size() < 1000);
        QCOMPARE(sent.size() % 3, 0);
        QCOMPARE(sent, f.imageBytes().left(sent.size()));
    }
    void aDeviceThatFallsSilentIsGivenUp() {
        // Echoes "P", the length and 57 image bytes of a 100-byte program, then nothing.
        LoggedDevice f({QStringLiteral("--mute-after"), QStringLiteral("60")});
        f.load(waits(33));
        QElapsedTimer clock;
        clock.start();
        f.form->miProgramujClick();
        // The retry waits on a timer for the line to fall quiet.
        QTRY_VERIFY_WITH_TIMEOUT(!f.busy(), 5000);
        const qint64 program = clock.elapsed();
        QCOMPARE(f.banner(), QStringLiteral("Błąd przy programowaniu mikroindeksera"));
        // Three silent bytes (1.5 s), a quiet line (50 ms), then the retry's "P" without
        // answer (0.5 s).
        QVERIFY2(program < 2000 + 50 + 500 + 300, qPrintable(QString::number(program)));
        QCOMPARE(f.received().size(), 60 + 3 + 1);
        qInfo("mute mid-stream to a usable window (program, with its retry): %lld ms", program);
    }
    void aDeviceThatFallsSilentDuringVerify() {
        // Programmed (103 bytes), then silent after 60 bytes of the verify stream.
        LoggedDevice f({QStringLiteral("--mute-after"), QStringLiteral("163")});
        f.load(waits(33));
        f.form->miProgramujClick();
        QCOMPARE(f.banner(), QStringLiteral("Programowanie mikroindeksera zakończone pomyślnie"));
        QElapsedTimer clock;
        clock.start();
        f.form->Weryfikacja1Click();
        const qint64 verify = clock.elapsed();
        QCOMPARE(f.banner(), QStringLiteral("Weryfikacja - brak zgodności"));
        QVERIFY2(verify < 2000, qPrintable(QString::number(verify)));
        QVERIFY(!f.busy());
    }
    void aPulledCableFreesTheWindow() {
        LoggedDevice f({QStringLiteral("--paced")});
        f.load(waits(333));
        f.driver.acceptMessages = true;
        QElapsedTimer sincePulled;
        QTimer poll;
        poll.setInterval(1);
        QObject::connect(&poll, &QTimer::timeout, [&] {
            if (f.receivedCount() < 300 || sincePulled.isValid())
                return;
            sincePulled.start();
            f.emu.kill();
        });
        poll.start();
        f.form->miProgramujClick();
        QVERIFY(sincePulled.isValid());
        const qint64 usable = sincePulled.elapsed();
        QVERIFY(!f.busy());
        QVERIFY2(usable < 2000, qPrintable(QString::number(usable)));
        QCOMPARE(f.driver.messages.size(), 1);
        QVERIFY2(f.driver.messages[0].contains(QStringLiteral("function failed (urządzenie")),
                 qPrintable(f.driver.messages[0]));
        qInfo("pulled cable to a usable window (program): %lld ms", usable);
    }
    void refusalsKeepTheirReason() {
        LoggedDevice f;
        f.load(waits(340));
        const QString tooLong =
            QStringLiteral("Program nie mieści się w pamięci mikroindeksera (1021 z 1000 bajtów)");
        f.form->miProgramujClick();
        QCOMPARE(f.banner(), tooLong);
        f.form->Weryfikacja1Click();
        QCOMPARE(f.banner(), tooLong);
        f.driver.acceptMessages = true;
        f.load({QStringLiteral("Czekaj[ms](abc)"), QStringLiteral("Koniec")});
        const QString compileError = QStringLiteral(
            "Błąd w linii 1 (001: Czekaj[ms](abc)): „abc” nie jest poprawną liczbą całkowitą.");
        QCOMPARE(f.driver.messages.value(0), compileError);
        f.form->miProgramujClick();
        QCOMPARE(f.banner(), compileError);
        f.form->Weryfikacja1Click();
        QCOMPARE(f.banner(), compileError);
        QTest::qWait(100);
        QVERIFY(f.received().isEmpty());
        QVERIFY(!f.busy());
    }
    void inputDuringTheResetPauseIsDiscarded() {
        LoggedDevice f;
        f.form->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(f.form.get()));
        auto *stop = f.form->findChild<QPushButton *>(QStringLiteral("sbtnStop"));
        bool stopOff = false;
        QString bannerDuringPause;
        QTimer::singleShot(700, [&] {
            stopOff = !stop->isEnabled();
            bannerDuringPause = f.banner();
            QTest::keyClick(f.form.get(), Qt::Key_Escape);
            QTest::mouseClick(stop, Qt::LeftButton);
            QCoreApplication::postEvent(
                f.form.get(), new QKeyEvent(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier));
        });
        QElapsedTimer clock;
        clock.start();
        f.form->miResetClick();
        // The pause runs on a timer; the window is served meanwhile.
        QTRY_VERIFY_WITH_TIMEOUT(stop->isEnabled(), 5000);
        QVERIFY2(clock.elapsed() >= 1990, qPrintable(QString::number(clock.elapsed())));
        QVERIFY(stopOff);
        QVERIFY(bannerDuringPause.isEmpty()); // the device's "t" waits for the pause's end
        QTRY_COMPARE(f.banner(), QStringLiteral("Mikroindekser wystartował"));
        QTest::qWait(300);
        QCOMPARE(f.banner(), QStringLiteral("Mikroindekser wystartował"));
        QCOMPARE(f.received(), QByteArray("t"));
    }
};

QTEST_MAIN(TestGuiLinkFaults)
#include "tst_gui_link_faults.moc"
