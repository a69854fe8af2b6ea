// The port dialog in the window: the emulator entry and the search.

#include "GuiFixture.h"

#include "ComPort.h"
#include "ComPortSettings.h"
#include "EmulatorProcess.h"
#include "PortSelection.h"
#include "WineSkip.h"

#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QProcess>
#include <QPushButton>
#include <QTest>

using namespace korven;

namespace {

// A window whose program directory holds korven-emu, as an installed one does.
struct PortFixture : GuiFixture {
    explicit PortFixture(const QString &port) {
        QFile::link(QStringLiteral(KORVEN_EMU), path(QStringLiteral("korven-emu")));
        QFile ini(path(QStringLiteral("rs232.ini")));
        ini.open(QIODevice::WriteOnly);
        ini.write("[ComPort1]\r\nPort=" + port.toLocal8Bit() + "\r\n");
        ini.close();
        driver.acceptMessages = true; // the port that cannot be opened at start
        form->startSerialPort();
        driver.acceptMessages = false;
    }
    QString banner() const { return child<QLabel>("Panel5")->text(); }
    // Opens the port dialog and chooses the entry whose data or text is given.
    void choose(const QString &entry) {
        driver.then([entry](QWidget *w) {
            auto *d = qobject_cast<TComSettingsFrm *>(w);
            int index = d->Combo1->findText(entry);
            if (index < 0)
                index = d->Combo1->findData(entry);
            d->Combo1->setCurrentIndex(index);
            pressOk(w);
        });
        form->miWyborClick();
    }
    // Chooses the emulator entry; the emulator's terminal is then the port.
    QString chooseEmulator() {
        choose(TComSettingsFrm::emulatorText());
        return form->ComPort1->settings.Port;
    }
};

// Windows has no pseudo-terminals, so no emulator entry.
#ifdef Q_OS_WIN
#define SKIP_WITHOUT_EMULATOR_ENTRY() QSKIP("the emulator entry is for Linux only")
#else
#define SKIP_WITHOUT_EMULATOR_ENTRY()                                                              \
    do {                                                                                           \
    } while (false)
#endif

} // namespace

class TestGuiPort : public QObject {
    Q_OBJECT
private slots:
    void emulatorEntryProgramsAndVerifies() {
        PortFixture f(QStringLiteral("ttyKORVEN9"));
        QStringList items;
        QSize size;
        f.driver.then([&](QWidget *w) {
            auto *d = qobject_cast<TComSettingsFrm *>(w);
            for (int i = 0; i < d->Combo1->count(); ++i)
                items << d->Combo1->itemText(i);
            size = d->size();
            pressCancel(w);
        });
        f.form->miWyborClick();
#ifdef Q_OS_WIN
        // Windows has no pseudo-terminals: no emulator entry, even beside korven-emu.
        QVERIFY(!items.contains(TComSettingsFrm::emulatorText()));
        QSKIP("the emulator entry is for Linux only");
#endif
        // The emulator comes below the ports, the current one among them.
        QCOMPARE(items.last(), TComSettingsFrm::emulatorText());
        QVERIFY(items.contains(QStringLiteral("ttyKORVEN9  (brak w systemie)")));
        QCOMPARE(size.width(), 231);
        QVERIFY(size.height() >= 120);

        const QString terminal = f.chooseEmulator();
        QCOMPARE(f.banner(), QStringLiteral("Emulator mikroindeksera w użyciu (bez urządzenia)"));
        QVERIFY(QFile::exists(terminal));
        f.load({"Czekaj[ms](10)", "Koniec"});
        f.form->miProgramujClick();
        QCOMPARE(f.banner(), QStringLiteral("Programowanie mikroindeksera zakończone pomyślnie"));
        f.form->Weryfikacja1Click();
        QCOMPARE(f.banner(), QStringLiteral("Weryfikacja OK"));

        // Reopened, the dialog shows the emulator chosen; another port stops it.
        QString current;
        f.driver.then([&](QWidget *w) {
            current = qobject_cast<TComSettingsFrm *>(w)->Combo1->currentText();
            pressCancel(w);
        });
        f.form->miWyborClick();
        QCOMPARE(current, TComSettingsFrm::emulatorText());
        QVERIFY(QFile::exists(terminal));
        f.choose(QStringLiteral("ttyKORVEN9"));
        QCOMPARE(f.form->ComPort1->settings.Port, QStringLiteral("ttyKORVEN9"));
        QTRY_VERIFY_WITH_TIMEOUT(!QFile::exists(terminal), 5000);
    }
    void afterTheEmulatorEndedItIsOfferedAgain() {
        SKIP_WITHOUT_EMULATOR_ENTRY();
        PortFixture f(QStringLiteral("ttyKORVEN9"));
        const QString terminal = f.chooseEmulator();
        f.load({"Czekaj[ms](10)", "Koniec"});
        f.form->miProgramujClick();
        QCOMPARE(f.banner(), QStringLiteral("Programowanie mikroindeksera zakończone pomyślnie"));
        // The emulator ends while its terminal is the port in use.
        const qint64 pid = f.form->portSelection().emulatorProcessId();
        QVERIFY(pid > 0);
        QCOMPARE(QProcess::execute(QStringLiteral("kill"), {QString::number(pid)}), 0);
        QTRY_COMPARE_WITH_TIMEOUT(f.form->portSelection().emulatorProcessId(), 0, 5000);
        QTRY_VERIFY_WITH_TIMEOUT(!QFile::exists(terminal), 5000);
        // Its memory went with it.
        QTRY_COMPARE(f.child<QLabel>("devicePanel")->text(),
                     QStringLiteral("W mikroindekserze: nieznany"));
        // Neither the vanished terminal nor the port before the emulator is pre-selected,
        // but the emulator, which starts anew on OK.
        QString current;
        QStringList items;
        f.driver.then([&](QWidget *w) {
            auto *d = qobject_cast<TComSettingsFrm *>(w);
            current = d->Combo1->currentText();
            for (int i = 0; i < d->Combo1->count(); ++i)
                items << d->Combo1->itemText(i);
            pressOk(w);
        });
        f.form->miWyborClick();
        QCOMPARE(current, TComSettingsFrm::emulatorText());
        QVERIFY(!items.contains(terminal));
        QCOMPARE(f.banner(), QStringLiteral("Emulator mikroindeksera w użyciu (bez urządzenia)"));
        QVERIFY(QFile::exists(f.form->ComPort1->settings.Port));
        // A fresh device: nothing is known of its program.
        QCOMPARE(f.child<QLabel>("devicePanel")->text(),
                 QStringLiteral("W mikroindekserze: nieznany"));
        f.form->Weryfikacja1Click();
        QCOMPARE(f.banner(), QStringLiteral("Weryfikacja - brak zgodności"));
        // A port that is gone is listed for what it was, never pre-selected.
        f.choose(QStringLiteral("ttyKORVEN9"));
        f.driver.then([&](QWidget *w) {
            current = qobject_cast<TComSettingsFrm *>(w)->Combo1->currentText();
            pressCancel(w);
        });
        f.form->miWyborClick();
        QCOMPARE(current, QString());
    }
    void emulatorStopsWithTheWindowAndIsNotStored() {
        SKIP_WITHOUT_EMULATOR_ENTRY();
        PortFixture f(QStringLiteral("ttyKORVEN9"));
        const QString terminal = f.chooseEmulator();
        QVERIFY(QFile::exists(terminal));
        // Not even while it runs: a window that is killed leaves the real port behind.
        {
            QFile ini(f.path(QStringLiteral("rs232.ini")));
            if (ini.open(QIODevice::ReadOnly))
                QVERIFY(!ini.readAll().contains(terminal.toUtf8()));
        }
        f.form->close();
        QTRY_VERIFY_WITH_TIMEOUT(!QFile::exists(terminal), 5000);
        QFile ini(f.path(QStringLiteral("rs232.ini")));
        QVERIFY(ini.open(QIODevice::ReadOnly));
        QVERIFY(ini.readAll().contains("Port=ttyKORVEN9\r\n"));
    }
    void searchSelectsThePortThatAnswers() {
        // The search tries the ports the system lists; Wine lists those it found at start.
        KORVEN_SKIP_UNDER_WINE("a COM port added while it runs listed by the system");
        EmulatorProcess device;
        PortFixture f(device.path());
        QString result;
        QString chosen;
        f.driver.then([&](QWidget *w) {
            auto *d = qobject_cast<TComSettingsFrm *>(w);
            d->Combo1->setCurrentIndex(-1);
            d->bbtnSzukaj->click();
            result = d->lblWynik->text();
            chosen = d->Combo1->currentText();
            pressOk(w);
        });
        f.form->miWyborClick();
        QCOMPARE(chosen, device.path());
        QCOMPARE(result, QStringLiteral("Znaleziono: %1").arg(device.path()));
        QCOMPARE(f.form->ComPort1->settings.Port, device.path());
    }
    void searchSaysWhenNothingAnswers() {
        EmulatorProcess silent({"--silent"});
        PortFixture f(silent.path());
        QString result;
        f.driver.then([&](QWidget *w) {
            auto *d = qobject_cast<TComSettingsFrm *>(w);
            d->bbtnSzukaj->click();
            result = d->lblWynik->text();
            pressCancel(w);
        });
        f.form->miWyborClick();
        QCOMPARE(result, QStringLiteral("Mikroindekser nie odpowiada na żadnym porcie"));
        QCOMPARE(f.form->ComPort1->settings.Port, silent.path());
    }
};

QTEST_MAIN(TestGuiPort)
#include "tst_gui_port.moc"
