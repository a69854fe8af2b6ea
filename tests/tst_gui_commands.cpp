#include "GuiFixture.h"

#include "WybSter.h"
#include "edEnable.h"
#include "edSkoczJesliWejscie.h"
#include "edV.h"
#include "edWyjscia.h"
#include "edWyjscie.h"
#include "eda.h"
#include "wartosc.h"

#include "Cp1250.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTest>

using namespace korven;

namespace {

template <typename T> T *as(QWidget *w) {
    T *t = qobject_cast<T *>(w);
    if (!t)
        qWarning("unexpected dialog %s", qPrintable(w->windowTitle()));
    return t;
}

} // namespace

class TestGuiCommands : public QObject {
    Q_OBJECT
private slots:
    void firstCommandAsksForTheDriver() {
        GuiFixture f;
        TWForm *seen = nullptr;
        QString range, unit, title;
        f.driver
            .then([&](QWidget *w) {
                auto *d = as<TWybSterForm>(w);
                QCOMPARE(d->windowTitle(), QStringLiteral("Wybór sterownika"));
                QCOMPARE(d->cbSterownik->currentText(), QStringLiteral("TRV20"));
                QCOMPARE(d->cbGlPodKrok->currentText(), QStringLiteral("1"));
                pressOk(w);
            })
            .then([&](QWidget *w) {
                seen = as<TWForm>(w);
                title = seen->windowTitle();
                unit = seen->lblJM->text();
                range = seen->lblZakres->text();
                seen->edWartosc->setValue(250);
                pressOk(w);
            });
        f.child<QPushButton>("bbtnCzekaj")->click();
        QCOMPARE(f.driver.pending(), 0);
        QCOMPARE(title, QStringLiteral("Czekaj [ms]"));
        QCOMPARE(unit, QStringLiteral("[ms]"));
        QCOMPARE(range, QStringLiteral("(0 .. 65535)"));
        QCOMPARE(f.form->programLines(), QStringList({"001: Czekaj[ms](250)", "002: Koniec"}));
        QFile ini(f.path(QStringLiteral("mi.ini")));
        QVERIFY(ini.open(QIODevice::ReadOnly));
        QCOMPARE(ini.readAll(), QByteArray("[Opcje]\r\nSterownik=0\r\nGlPodzialu=0\r\n"));
        QCOMPARE(f.child<QLabel>("driverPanel")->text(),
                 QStringLiteral("Sterownik: TRV20 Głębokość podziału mikrokrokowego: 1"));
        QCOMPARE(f.form->programImage(), QStringList({"07 00 FA", "05"}));

        // The second command goes straight to its dialog.
        f.driver.then([](QWidget *w) {
            QVERIFY(as<TWForm>(w));
            pressOk(w);
        });
        f.child<QPushButton>("bbtnCzekajs")->click();
        QCOMPARE(f.form->programLines().size(), 3);
    }
    void cancelledDriverDialogAddsNothing() {
        GuiFixture f;
        f.driver.then([](QWidget *w) {
            auto *d = as<TWybSterForm>(w);
            d->cbSterownik->setCurrentIndex(7);
            emit d->cbSterownik->activated(7);
            QCOMPARE(d->cbGlPodKrok->count(), 14);
            pressCancel(w);
        });
        f.child<QPushButton>("bbtnStop")->click();
        QCOMPARE(f.driver.pending(), 0);
        QCOMPARE(f.form->programLines(), QStringList{"001: Koniec"});
        QCOMPARE(f.child<QLabel>("driverPanel")->text(),
                 QStringLiteral("Sterownik: TRV50 Głębokość podziału mikrokrokowego: 2"));
        QVERIFY(!QFile::exists(f.path(QStringLiteral("mi.ini"))));
    }
    void commandsWithoutDialog() {
        GuiFixture f;
        f.load({"Stop", "Koniec"});
        f.child<QPushButton>("bbtnHamuj")->click();
        f.child<QPushButton>("bbtnZerujLicznikPozycji")->click();
        f.child<QPushButton>("bbtnKoniec")->click();
        QCOMPARE(f.form->programLines(),
                 QStringList({"001: Stop", "002: Hamuj", "003: Zeruj licznik pozycji",
                              "004: Koniec", "005: Koniec"}));
    }
    void jumpRanges() {
        GuiFixture f;
        f.load({"Skocz jeśli licz. powt.(9)", "Skocz jeśli wejście(3)(2)(1)",
                "Skocz do linii(70000)", "Stop", "Koniec"});
        std::pair<int, int> addRange, counterRange, jumpIfRange;
        int counterValue = 0, jumpValue = 0;
        f.driver.then([&](QWidget *w) {
            auto *d = as<TWForm>(w);
            addRange = {d->edWartosc->minimum(), d->edWartosc->maximum()};
            QCOMPARE(d->edWartosc->value(), 1);
            QCOMPARE(d->lblWart->text(), QStringLiteral("Nr linii:"));
            pressCancel(w);
        });
        f.child<QPushButton>("bbtnPrzemieszczenie")->click();
        QCOMPARE(addRange, std::make_pair(1, 5));

        f.select(0);
        f.driver.then([&](QWidget *w) {
            auto *d = as<TWForm>(w);
            QCOMPARE(d->windowTitle(),
                     QStringLiteral("Skocz jeśli licznik powtórzeń różny od zera i zmniejsz o 1"));
            counterRange = {d->edWartosc->minimum(), d->edWartosc->maximum()};
            counterValue = d->edWartosc->value();
            pressOk(w);
        });
        f.form->ListBoxProgDblClick();
        QCOMPARE(counterRange, std::make_pair(1, 4));
        QCOMPARE(counterValue, 4); // a target above N - 1 opens as N - 1
        QCOMPARE(f.form->programLines()[0], QStringLiteral("001: Skocz jeśli licz. powt.(4)"));
        QCOMPARE(f.form->programLines().size(), 5);

        f.select(1);
        f.driver.then([&](QWidget *w) {
            auto *d = as<TedSkoczJWejForm>(w);
            QCOMPARE(d->windowTitle(), QStringLiteral("Wprowadź"));
            jumpIfRange = {d->edNrLinii->minimum(), d->edNrLinii->maximum()};
            QCOMPARE(d->cbNrLinii->currentText(), QStringLiteral("IN 2"));
            QVERIFY(d->rbOn->isChecked());
            d->rbOff->setChecked(true);
            pressOk(w);
        });
        f.form->ListBoxProgDblClick();
        QCOMPARE(jumpIfRange, std::make_pair(1, 5));
        QCOMPARE(f.form->programLines()[1], QStringLiteral("002: Skocz jeśli wejście(3)(2)(0)"));

        f.select(2);
        f.driver.then([&](QWidget *w) {
            jumpValue = as<TWForm>(w)->edWartosc->value();
            pressCancel(w);
        });
        f.form->ListBoxProgDblClick();
        QCOMPARE(jumpValue, 70000);
    }
    void editsShowStoredValues() {
        GuiFixture f;
        f.driver.acceptMessages = true; // the two values beyond their fields do not compile
        f.load({"Czekaj[ms](70000)", "Ustaw licznik powtórzeń(65536)", "Znajdź pozycję(8388607)",
                "Ustaw wyjście(7)(0)", "Wyjścia(0,0,0,0,0,0,1,1)", "Enable/Disable(Low)",
                "Enable/Disable(High)", "Koniec"});
        const QStringList before = f.form->programLines();
        QList<int> values;
        for (int row : {0, 1, 2}) {
            f.select(row);
            f.driver.then([&](QWidget *w) {
                values.append(as<TWForm>(w)->edWartosc->value());
                pressCancel(w);
            });
            f.form->ListBoxProgDblClick();
        }
        QCOMPARE(values, QList<int>({70000, 65535, 8388607}));

        f.select(3);
        f.driver.then([](QWidget *w) {
            auto *d = as<TedWyjscieForm>(w);
            QCOMPARE(d->cbNrLinii->currentText(), QStringLiteral("PK 1"));
            QVERIFY(d->rbOff->isChecked());
            pressOk(w);
        });
        f.form->ListBoxProgDblClick();
        f.select(4);
        f.driver.then([](QWidget *w) {
            auto *d = as<TedWyjsciaForm>(w);
            QCOMPARE(d->states(),
                     (std::array<bool, 8>{false, false, false, false, false, false, true, true}));
            pressOk(w);
        });
        f.form->ListBoxProgDblClick();
        for (int row : {5, 6}) {
            f.select(row);
            f.driver.then([row](QWidget *w) {
                auto *d = as<TedEnableForm>(w);
                QCOMPARE(d->rbLow->isChecked(), row == 5);
                QCOMPARE(d->rbHight->isChecked(), row == 6);
                pressOk(w);
            });
            f.form->ListBoxProgDblClick();
        }
        QCOMPARE(f.driver.pending(), 0);
        QVERIFY(f.driver.messages.first().startsWith(
            QStringLiteral("Błąd w linii 1 (001: Czekaj[ms](70000))")));
        // Confirming unchanged dialogs rewrites the same lines.
        QCOMPARE(f.form->programLines(), before);
    }
    void editWithoutDialogStillRecompiles() {
        GuiFixture f;
        f.load({"Stop", "Koniec"});
        f.prog->setImage({});
        f.select(0);
        f.form->ListBoxProgDblClick();
        QCOMPARE(f.form->programImage(), QStringList({"0B", "05"}));
    }
    void brokenFieldIsReportedAndKept() {
        GuiFixture f;
        f.driver.then([](QWidget *w) { pressOk(w); }); // the compile error on load
        f.load({"Czekaj[ms](abc)", "Skocz jeśli wejście(x)(1)(1)", "Koniec"});
        QString message;
        for (int row : {0, 1}) {
            f.select(row);
            f.driver.then([&](QWidget *w) {
                message = messageText(w);
                pressOk(w);
            });
            f.form->ListBoxProgDblClick();
            QVERIFY2(message.startsWith(QStringLiteral("Linia %1: ").arg(row + 1)),
                     qPrintable(message));
            // The compile error that persists is not shown again.
            QCOMPARE(f.driver.pending(), 0);
        }
        QCOMPARE(f.form->programLines()[0], QStringLiteral("001: Czekaj[ms](abc)"));
    }
    void addFlowsBuildTheirLines() {
        GuiFixture f;
        f.load({"Koniec"});
        const auto add = [&](QPushButton *button, DialogDriver::Step step) {
            f.driver.then([](QWidget *w) { pressOk(w); }); // the driver dialog: one line
            f.driver.then(std::move(step));
            button->click();
            QCOMPARE(f.driver.pending(), 0);
        };
        add(f.child<QPushButton>("bbtnZnajdzPozycje"), [](QWidget *w) {
            auto *d = as<TWForm>(w);
            QCOMPARE(d->lblJM->text(), QStringLiteral("kroków"));
            d->edWartosc->setValue(-9999999); // clamped into the range
            pressOk(w);
        });
        f.driver.then([](QWidget *w) {
            auto *d = as<TedWyjscieForm>(w);
            QCOMPARE(d->windowTitle(), QStringLiteral("Przełącz wyjście"));
            d->cbNrLinii->setCurrentIndex(7);
            pressOk(w);
        });
        f.child<QPushButton>("bbtnPrzelaczWyjscie")->click();
        f.driver.then([](QWidget *w) {
            auto *d = as<TedWyjsciaForm>(w);
            d->cb[0]->setChecked(true);
            d->cb[7]->setChecked(true);
            pressOk(w);
        });
        f.child<QPushButton>("bbtnUstawWyjscia")->click();
        f.driver.then([](QWidget *w) {
            as<TedEnableForm>(w)->rbLow->setChecked(true);
            pressOk(w);
        });
        f.child<QPushButton>("bbtnEnable")->click();
        f.driver.then([](QWidget *w) {
            auto *d = as<TWForm>(w);
            QCOMPARE(d->lblZakres->text(), QStringLiteral("(0 .. 65535)"));
            d->edWartosc->setValue(300);
            pressOk(w);
        });
        f.child<QPushButton>("bbtnUstawLicznikPowtorzen")->click();
        f.driver.then([](QWidget *w) {
            auto *d = as<TedSkoczJWejForm>(w);
            QCOMPARE(d->windowTitle(), QStringLiteral("Skocz jeśli wejście"));
            QCOMPARE(d->edNrLinii->value(), 1);
            d->cbNrLinii->setCurrentIndex(2);
            pressOk(w);
        });
        f.child<QPushButton>("bbtnSkoczJesliWejsice")->click();
        f.driver.then([](QWidget *w) { pressCancel(w); });
        f.child<QPushButton>("bbtnCzekajs")->click();
        QCOMPARE(f.form->programLines(),
                 QStringList({"001: Znajdź pozycję(-8388607)", "002: Ustaw wyjście(8)(1)",
                              "003: Wyjścia(1,0,0,0,0,0,0,1)", "004: Enable/Disable(Low)",
                              "005: Ustaw licznik powtórzeń(300)",
                              "006: Skocz jeśli wejście(1)(3)(1)", "007: Koniec"}));
    }
    void enterAndEscapeInTheValueDialog() {
        GuiFixture f;
        f.load({"Stop", "Koniec"});
        f.driver.then([](QWidget *w) {
            auto *d = as<TWForm>(w);
            d->edWartosc->setFocus();
            d->edWartosc->selectAll();
            QTest::keyClicks(d->edWartosc, QStringLiteral("abc99999999"));
            QTest::keyClick(d->edWartosc, Qt::Key_Return);
            // Beyond the range: shown clamped, confirmed a second time.
            QCOMPARE(d->edWartosc->text(), QStringLiteral("65535"));
            QTest::keyClick(d->edWartosc, Qt::Key_Return);
        });
        f.child<QPushButton>("bbtnCzekaj")->click();
        // Letters never enter the field.
        QCOMPARE(f.form->programLines()[1], QStringLiteral("002: Czekaj[ms](65535)"));
        f.driver.then([](QWidget *w) { QTest::keyClick(w, Qt::Key_Escape); });
        f.child<QPushButton>("bbtnCzekaj")->click();
        QCOMPARE(f.form->programLines().size(), 3);
    }
};

QTEST_MAIN(TestGuiCommands)
#include "tst_gui_commands.moc"
