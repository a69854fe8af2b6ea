// The window's device commands against korven-emu on a pseudo-terminal.

#include "DeviceFixture.h"

#include "ComPort.h"
#include "ComPortSettings.h"
#include "Cp1250.h"
#include "EmulatorProcess.h"
#include "ProgramLine.h"
#include "WineSkip.h"
#include "wait.h"

#include <algorithm>

#include <QComboBox>
#include <QElapsedTimer>
#include <QFile>
#include <QLabel>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <QTimer>

using namespace korven;

class TestGuiDevice : public QObject {
    Q_OBJECT
private slots:
    void programVerifyRunToTheEnd() {
        DeviceFixture f;
        QVERIFY(f.form->ComPort1->Connected());
        QCOMPARE(f.form->ComPort1->settings.BaudRate, QStringLiteral("38400"));
        f.load({"Czekaj[ms](100)", "Koniec"});
        f.form->miProgramujClick();
        QCOMPARE(f.banner(), QStringLiteral("Programowanie mikroindeksera zakończone pomyślnie"));
        QVERIFY(!f.busy());
        f.form->Weryfikacja1Click();
        QCOMPARE(f.banner(), QStringLiteral("Weryfikacja OK"));
        f.form->Uruchom1Click();
        QVERIFY(f.busy());
        QVERIFY(f.child<QPushButton>("sbtnStop")->isEnabled());
        QTRY_COMPARE(f.banner(), QStringLiteral("Wykonywanie programu zakończone pomyślnie"));
        QVERIFY(!f.busy());
        f.form->miTestKomunikacjiClick();
        QCOMPARE(f.banner(), QStringLiteral("Komunikacja OK Mikroindekser KORVEN-EMU 1.0"));
    }
    void escapeStopsARunningProgram() {
        DeviceFixture f;
        f.load({"Czekaj[ms](20)", "Skocz do linii(1)", "Koniec"});
        f.form->miProgramujClick();
        f.form->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(f.form.get()));
        f.form->Uruchom1Click();
        QVERIFY(f.busy());
        QTest::qWait(100);
        QVERIFY(f.busy());
        QTest::keyClick(f.form.get(), Qt::Key_Escape);
        QVERIFY(!f.busy());
        QTRY_COMPARE(f.banner(), QStringLiteral("Stop awaryjny"));
    }
    void resetShowsTheRestartAfterThePause() {
        DeviceFixture f;
        QElapsedTimer clock;
        clock.start();
        f.form->miResetClick();
        // The pause runs on a timer: busy, STOP off, the device's "t" held back.
        QVERIFY(f.busy());
        QVERIFY(!f.child<QPushButton>("sbtnStop")->isEnabled());
        QTest::qWait(800);
        QVERIFY(f.busy());
        QVERIFY(f.banner() != QStringLiteral("Mikroindekser wystartował"));
        QTRY_VERIFY_WITH_TIMEOUT(!f.busy(), 5000);
        QVERIFY(clock.elapsed() >= 1900);
        QVERIFY(f.child<QPushButton>("sbtnStop")->isEnabled());
        QTRY_COMPARE(f.banner(), QStringLiteral("Mikroindekser wystartował"));
    }
    void programmingShowsItsProgress() {
        DeviceFixture f({QStringLiteral("--paced")});
        QStringList bodies;
        for (int i = 0; i < 40; ++i)
            bodies << QStringLiteral("Czekaj[ms](%1)").arg(i);
        bodies << QStringLiteral("Koniec");
        f.load(bodies); // 40 x 3 + 1 bytes
        auto *bar = f.child<QProgressBar>("ProgressBar1");
        QCOMPARE(bar->value(), 121);
        QList<int> values;
        QStringList banners;
        connect(bar, &QProgressBar::valueChanged, bar, [&](int v) {
            if (bar->maximum() == 121) {
                values << v;
                banners << f.banner();
            }
        });
        f.form->miProgramujClick();
        QCOMPARE(f.banner(), QStringLiteral("Programowanie mikroindeksera zakończone pomyślnie"));
        QCOMPARE(values.size(), 41); // one step per image line
        QCOMPARE(values.first(), 3);
        QCOMPARE(values.last(), 121);
        QVERIFY(std::is_sorted(values.begin(), values.end()));
        QCOMPARE(banners.first(), QStringLiteral("Programowanie mikroindeksera"));
        QCOMPARE(banners.last(), QStringLiteral("Programowanie mikroindeksera"));
        // After the exchange the memory use again.
        QCOMPARE(bar->maximum(), 1000);
        QCOMPARE(bar->value(), 121);
        values.clear();
        f.form->Weryfikacja1Click();
        QCOMPARE(f.banner(), QStringLiteral("Weryfikacja OK"));
        QCOMPARE(values.size(), 41);
        QCOMPARE(bar->maximum(), 1000);
    }
    void closeDuringTheResetPauseWaits() {
        DeviceFixture f;
        f.form->miResetClick();
        f.form->close();
        QVERIFY(f.form->isVisible());
        QVERIFY(f.form->ComPort1->Connected());
        QTRY_VERIFY_WITH_TIMEOUT(!f.form->isVisible(), 5000);
        QVERIFY(!f.form->ComPort1->Connected());
    }
    void stopDuringProgrammingWaitsForTheExchange() {
        // Silent after the length: every byte waits half a second, so there is time to stop.
        DeviceFixture f({QStringLiteral("--mute-after"), QStringLiteral("3")});
        f.load({"Stop", "Hamuj", "Koniec"});
        bool busyAfterStop = false;
        bool running = false;
        QTimer::singleShot(300, [&] {
            running = true;
            f.form->sbtnStopClick();
            busyAfterStop = f.busy();
        });
        QElapsedTimer clock;
        clock.start();
        f.form->miProgramujClick();
        QVERIFY(running);
        QVERIFY(busyAfterStop);
        QVERIFY(!f.busy());
        QCOMPARE(f.banner(), QStringLiteral("Błąd przy programowaniu mikroindeksera"));
        QVERIFY2(clock.elapsed() < 3500, "no retry after STOP");
    }
    void closeWaitsForTheExchange() {
        DeviceFixture f({QStringLiteral("--mute-after"), QStringLiteral("3")});
        f.load({"Stop", "Koniec"});
        bool stillOpenAfterClose = false;
        QTimer::singleShot(200, [&] {
            f.form->close();
            stillOpenAfterClose = f.form->isVisible() && f.form->ComPort1->Connected();
        });
        f.form->miProgramujClick();
        QVERIFY(stillOpenAfterClose);
        QTRY_VERIFY(!f.form->isVisible()); // closed once the exchange had ended
        QVERIFY(!f.form->ComPort1->Connected());
    }
    void hangUpLeavesTheWindowUsable() {
        DeviceFixture f({QStringLiteral("--hangup-after"), QStringLiteral("4")});
        // The port by a name of its own, which goes with the device as an adapter's
        // /dev/serial/by-id name does: a freed terminal may soon be another test's.
#ifdef Q_OS_WIN
        // Under Wine the COM number stays this emulator's until the test ends.
        const QString port = f.emu.path();
#else
        const QString port = f.path(QStringLiteral("ttyKORVEN"));
        QVERIFY(QFile::link(f.emu.path(), port));
        f.form->ComPort1->ClosePort();
        f.form->ComPort1->settings.Port = port;
#endif
        f.load({"Czekaj[ms](10)", "Stop", "Koniec"});
        f.driver.acceptMessages = true;
        f.form->miProgramujClick();
        QTRY_VERIFY(!f.busy());
        QCOMPARE(f.driver.messages.size(), 1);
        QVERIFY2(f.driver.messages[0].contains(QStringLiteral("function failed")),
                 qPrintable(f.driver.messages[0]));
        QVERIFY(!f.form->ComPort1->Connected());
        QVERIFY(f.form->ComPort1->onRxChar());
        // The verdict, and on the next line what to do about the port.
        QCOMPARE(f.banner(), QStringLiteral("Błąd przy programowaniu mikroindeksera\n"
                                            "Sprawdź kabel lub przejściówkę i wybierz port "
                                            "ponownie (menu Ustawienia)"));
        QCOMPARE(f.child<QLabel>("devicePanel")->text(),
                 QStringLiteral("W mikroindekserze: niepełny (programowanie przerwane)"));
        // The next command tries the port again and says so.
        QVERIFY(f.emu.waitForFinished(5000));
        if (port != f.emu.path())
            QFile::remove(port);
        f.form->miTestKomunikacjiClick();
        QTRY_COMPARE(f.driver.messages.size(), 2);
        QCOMPARE(f.driver.messages.last(), QStringLiteral("Nie mogę otworzyć portu: ") + port);
        QCOMPARE(f.banner(), QStringLiteral("Nie mogę otworzyć portu: ") + port +
                                 QStringLiteral("\nSprawdź kabel lub przejściówkę i wybierz "
                                                "port ponownie (menu Ustawienia)"));
    }
    void testModeLogsEveryByte() {
        DeviceFixture f({}, true);
        f.load({"Czekaj[ms](10)", "Koniec"});
        f.form->miProgramujClick();
        auto *wait = f.form->findChild<TWaitForm *>();
        QVERIFY(wait);
        QVERIFY(wait->isVisible());
        QCOMPARE(wait->lblInfo->text(), QStringLiteral("Test"));
        const QStringList log = wait->log->toPlainText().split(QLatin1Char('\n'));
        QCOMPARE(log.size(), 4);
        QVERIFY(log[0].startsWith(QStringLiteral("Wysyłam -> 07 Odebrałem <- 07 Czas = ")));
        // Centred on the screen, clear of the window's toolbar.
        QCOMPARE(wait->frameGeometry().size(), QSize(432, 481));
        QVERIFY((wait->frameGeometry().center() - wait->screen()->availableGeometry().center())
                    .manhattanLength() <= 2);
        wait->btnBreak->click();
        QVERIFY(!wait->isVisible());
    }
    void unopenablePortAtStart() {
        GuiFixture f;
        QFile ini(f.path(QStringLiteral("rs232.ini")));
        ini.open(QIODevice::WriteOnly);
        ini.write("[ComPort1]\r\nPort=/dev/no-such-port\r\n");
        ini.close();
        f.driver.acceptMessages = true;
        f.form->startSerialPort();
        QCOMPARE(f.driver.messages, QStringList{"Nie mogę otworzyć portu: /dev/no-such-port"});
        // STOP with no port: a message, nothing sent, the controls on.
        f.form->DisableControls();
        f.form->sbtnStopClick();
        QCOMPARE(f.driver.messages.size(), 2);
        QVERIFY(f.child<QPushButton>("bbtnVmin")->isEnabled());
        f.form->Uruchom1Click();
        QVERIFY(!f.child<QPushButton>("bbtnVmin")->isEnabled()); // stays off until STOP
    }
    void emptyProgramAndShutdown() {
        DeviceFixture f;
        f.form->Weryfikacja1Click(); // the emulator starts with an empty memory
        QCOMPARE(f.banner(), QStringLiteral("Weryfikacja - brak zgodności"));
        f.form->close();
        QVERIFY(!f.form->ComPort1->Connected());
        const auto ini = [&] {
            QFile file(f.path(QStringLiteral("rs232.ini")));
            file.open(QIODevice::ReadOnly);
            return file.readAll();
        };
        QTRY_COMPARE(ini(), "[ComPort1]\r\nPort=" + f.emu.path().toLocal8Bit() +
                                "\r\nBaudRate=38400\r\nStopBits=1\r\nDataBits=8\r\n"
                                "Parity=None\r\nFlowControl=None\r\n");
    }
    void portDialog() {
        DeviceFixture f;
        // Wine lists the COM ports it found when it started; the emulator's came later, so
        // there it is the current port the system does not know.
        const bool listedBySystem = !runningUnderWine();
        QStringList items;
        QString current;
        f.driver.then([&](QWidget *w) {
            auto *d = qobject_cast<TComSettingsFrm *>(w);
            QCOMPARE(d->windowTitle(), QStringLiteral("Wybór portu"));
            for (int i = 0; i < d->Combo1->count(); ++i)
                items << d->Combo1->itemText(i);
            current = d->Combo1->currentText();
            pressCancel(w);
        });
        f.form->miWyborClick();
        if (listedBySystem) {
            QCOMPARE(current, f.emu.path());
            QVERIFY(items.contains(f.emu.path()));
        } else {
            QVERIFY(current.isEmpty()); // a port that is not there is never offered first
            QVERIFY(items.contains(f.emu.path() + QStringLiteral("  (brak w systemie)")));
        }
        QVERIFY(!f.form->ComPort1->Connected()); // closed whatever the outcome
        QCOMPARE(f.form->ComPort1->settings.Port, f.emu.path());
        f.form->miTestKomunikacjiClick(); // reopens
        QVERIFY(f.form->ComPort1->Connected());
    }
};

QTEST_MAIN(TestGuiDevice)
#include "tst_gui_device.moc"
