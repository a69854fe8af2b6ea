#include "GuiFixture.h"

#include "Cp1250.h"
#include "ProgramLine.h"
#include "edV.h"
#include "eda.h"

#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QTest>

using namespace korven;

namespace {} // namespace

class TestGuiDrive : public QObject {
    Q_OBJECT
private slots:
    void speedDialogConvertsAndStores() {
        GuiFixture f;
        f.load({"Stop", "Koniec"}); // TRV10, depth 16
        QString steps, revs, rangeSteps, rangeRevs;
        f.driver.then([&](QWidget *w) {
            auto *d = qobject_cast<TedVForm *>(w);
            QCOMPARE(d->windowTitle(), QStringLiteral("Prędkość minimalna"));
            QVERIFY(!d->cbPredkoscPrec->isVisible());
            rangeSteps = d->lblZakresKrokow->text();
            rangeRevs = d->lblZakresObrotow->text();
            d->edIlKrokow->setText(QStringLiteral("1600"));
            d->edIlKrokowExit();
            steps = d->edIlKrokow->text();
            revs = d->edIlObrotow->text();
            pressOk(w);
        });
        f.child<QPushButton>("bbtnVmin")->click();
        QCOMPARE(rangeSteps, QStringLiteral("(7,63..15617,37)"));
        QCOMPARE(rangeRevs, QStringLiteral("(0,00..4,88)"));
        QCOMPARE(steps, QStringLiteral("1600,00"));
        QCOMPARE(revs, QStringLiteral("0,50"));
        QCOMPARE(f.form->programLines()[1], QStringLiteral("002: Prędkość min(1600,00) pps"));
        QCOMPARE(f.form->programImage()[1], QStringLiteral("00 04 00 00 D2"));
    }
    void revolutionsFillSteps() {
        GuiFixture f;
        f.load({"Stop", "Koniec"});
        f.driver.then([&](QWidget *w) {
            auto *d = qobject_cast<TedVForm *>(w);
            d->edIlObrotow->setText(QStringLiteral("1"));
            d->edIlObrotowExit();
            QCOMPARE(d->edIlKrokow->text(), QStringLiteral("3200,00"));
            pressOk(w);
        });
        f.child<QPushButton>("bbtnVmax")->click();
        QCOMPARE(f.form->programLines()[1], QStringLiteral("002: Prędkość max(3200,00) pps"));
    }
    void outOfRangeKeepsTheDialogOpen() {
        GuiFixture f;
        f.load({"Stop", "Koniec"});
        QStringList messages;
        f.driver
            .then([](QWidget *w) {
                auto *d = qobject_cast<TedVForm *>(w);
                d->edIlKrokow->setText(QStringLiteral("-500"));
                pressOk(w);
            })
            .then([&](QWidget *w) {
                messages << messageText(w);
                pressOk(w);
            })
            .then([&](QWidget *w) { // the speed dialog again: it stayed open
                auto *d = qobject_cast<TedVForm *>(w);
                QVERIFY(d);
                d->edIlKrokow->clear();
                pressOk(d);
            })
            .then([&](QWidget *w) {
                messages << messageText(w);
                pressOk(w);
            })
            .then([](QWidget *w) { pressCancel(w); });
        f.child<QPushButton>("bbtnVmin")->click();
        QCOMPARE(f.driver.pending(), 0);
        QCOMPARE(messages, QStringList({"Prędkość z poza zakresu !", "Nieprawidłowa prędkość !"}));
        QCOMPARE(f.form->programLines().size(), 2);

        f.driver.then([](QWidget *w) {
            auto *d = qobject_cast<TedVForm *>(w);
            QCOMPARE(d->lblZakresKrokow->text(), QStringLiteral("(±7,63..±15617,37)"));
            d->edIlKrokow->setText(QStringLiteral("-500"));
            pressOk(w);
        });
        f.child<QPushButton>("bbtnVtarget")->click();
        QCOMPARE(f.form->programLines()[1], QStringLiteral("002: Prędkość docelowa(-500,00) pps"));
    }
    void homingWithPrecision() {
        GuiFixture f;
        f.load({"Znajdź HOME(100,00)(5)", "Koniec"});
        f.driver.then([](QWidget *w) {
            auto *d = qobject_cast<TedVForm *>(w);
            QCOMPARE(d->windowTitle(), QStringLiteral("Znajdź HOME       "));
            QVERIFY(d->cbPredkoscPrec->isVisible());
            d->edIlKrokow->setText(QStringLiteral("-200"));
            d->cbPredkoscPrec->setCurrentIndex(3);
            pressOk(w);
        });
        f.child<QPushButton>("bbtnZnajdzHome")->click();
        QCOMPARE(f.form->programLines()[1], QStringLiteral("002: Znajdź HOME(-200,00)(3)"));
        f.select(0);
        f.driver.then([](QWidget *w) {
            auto *d = qobject_cast<TedVForm *>(w);
            QCOMPARE(d->cbPredkoscPrec->currentIndex(), 5);
            QCOMPARE(d->edIlKrokow->text(), QStringLiteral("100,00"));
            QCOMPARE(d->edIlObrotow->text(), QStringLiteral("0,03"));
            pressCancel(w);
        });
        f.form->ListBoxProgDblClick();
        QCOMPARE(f.driver.pending(), 0);
    }
    void emptyStoredSpeedIsReportedBeforeTheDialog() {
        GuiFixture f;
        f.driver.acceptMessages = true;
        f.load({"Prędkość max()", "Koniec"});
        f.driver.messages.clear();
        f.select(0);
        QString shown;
        f.driver.then([&](QWidget *w) {
            shown = qobject_cast<TedVForm *>(w)->edIlKrokow->text();
            pressCancel(w);
        });
        f.form->ListBoxProgDblClick();
        QCOMPARE(shown, QStringLiteral("0,00"));
        QCOMPARE(f.driver.messages.value(0), QStringLiteral("Prędkość z poza zakresu !"));
        QCOMPARE(f.form->programLines()[0], QStringLiteral("001: Prędkość max()"));
    }
    void accelerationDialog() {
        GuiFixture f;
        f.load({"Przysp. max(465,66) pps/s^2", "Koniec"});
        f.select(0);
        f.driver.then([](QWidget *w) {
            auto *d = qobject_cast<TedaForm *>(w);
            QCOMPARE(d->cbKroki->currentIndex(), 1);
            QCOMPARE(d->cbObroty->currentIndex(), 1);
            QCOMPARE(d->lblZakresKrokow->text(), QStringLiteral("(232,83..476604,33)"));
            QCOMPARE(d->lblZakresObrotow->text(), QStringLiteral("(0,07..148,94)"));
            QCOMPARE(d->cbKroki->itemText(0), QStringLiteral("232,83"));
            QCOMPARE(d->cbKroki->count(), 2047);
            d->cbObroty->setCurrentIndex(9);
            QCOMPARE(d->cbKroki->currentIndex(), 9);
            QTest::keyClicks(d->cbKroki, QStringLiteral("4"));
            QCOMPARE(d->cbKroki->currentIndex(), 9);
            pressOk(w);
        });
        f.form->ListBoxProgDblClick();
        QCOMPARE(f.form->programLines()[0], QStringLiteral("001: Przysp. max(2328,31) pps/s^2"));

        // OK with nothing chosen does nothing.
        bool stillOpen = false;
        f.driver.then([&](QWidget *w) {
            auto *d = qobject_cast<TedaForm *>(w);
            QCOMPARE(d->windowTitle(), QStringLiteral("Przyspieszenie maksymalne"));
            QCOMPARE(d->cbKroki->currentIndex(), -1);
            pressOk(w);
            stillOpen = d->isVisible();
            pressCancel(w);
        });
        f.child<QPushButton>("bbtn_a_max")->click();
        QVERIFY(stillOpen);
        QCOMPARE(f.form->programLines().size(), 2);
    }
    void speedDialogShowsWhatTheDeviceRunsAsTheUserTypes() {
        GuiFixture f;
        f.load({"Prędkość max(9000,00) pps", "Koniec"}); // TRV10, depth 16
        f.select(0);
        QStringList shown;
        f.driver.then([&](QWidget *w) {
            auto *d = qobject_cast<TedVForm *>(w);
            shown << d->lblWMikroindekserze->text();
            d->edIlKrokow->clear();
            QTest::keyClicks(d->edIlKrokow, QStringLiteral("40"));
            shown << d->lblWMikroindekserze->text();
            QTest::keyClicks(d->edIlKrokow, QStringLiteral("0"));
            shown << d->lblWMikroindekserze->text();
            QTest::keyClicks(d->edIlKrokow, QStringLiteral("00000"));
            shown << d->lblWMikroindekserze->text();
            d->edIlObrotow->clear();
            QTest::keyClicks(d->edIlObrotow, QStringLiteral("1"));
            shown << d->lblWMikroindekserze->text();
            pressCancel(w);
        });
        f.form->ListBoxProgDblClick();
        QCOMPARE(shown, QStringList({"≈ 9 002,69 kroków/s", "≈ 38,15 kroków/s", "≈ 396,73 kroków/s",
                                     "poza zakresem sterownika", "≈ 3 196,72 kroków/s"}));
        QCOMPARE(f.form->programLines()[0], QStringLiteral("001: Prędkość max(9000,00) pps"));
    }
    void typedAccelerationSelectsTheNearestListValue() {
        GuiFixture f;
        f.load({"Stop", "Koniec"});
        f.select(0);
        QString nearest;
        f.driver.then([&](QWidget *w) {
            auto *d = qobject_cast<TedaForm *>(w);
            QTest::keyClicks(d->edPrzyspieszenie, QStringLiteral("1000"));
            QCOMPARE(d->cbKroki->currentText(), QStringLiteral("931,32"));
            QCOMPARE(d->cbObroty->currentIndex(), 3);
            nearest = d->lblNajblizsza->text();
            // The list stays for choosing.
            d->cbKroki->setCurrentIndex(5);
            pressOk(w);
        });
        f.child<QPushButton>("bbtn_a_max")->click();
        QCOMPARE(nearest, QStringLiteral("Najbliższa wartość listy: 931,32 kroków/s²"));
        QCOMPARE(f.form->programLines()[1], QStringLiteral("002: Przysp. max(1396,98) pps/s^2"));
        f.driver.then([&](QWidget *w) {
            auto *d = qobject_cast<TedaForm *>(w);
            QTest::keyClicks(d->edPrzyspieszenie, QStringLiteral("9999999"));
            QCOMPARE(d->cbKroki->currentIndex(), 2046);
            d->edPrzyspieszenie->clear();
            QTest::keyClicks(d->edPrzyspieszenie, QStringLiteral("abc"));
            QCOMPARE(d->lblNajblizsza->text(), QStringLiteral("To nie jest liczba."));
            QTest::keyClick(d->edPrzyspieszenie, Qt::Key_Return);
        });
        f.child<QPushButton>("bbtn_a_max")->click();
        QCOMPARE(f.form->programLines()[2], QStringLiteral("003: Przysp. max(476604,33) pps/s^2"));
    }
    void parameterDisplayShortcut() {
        GuiFixture f;
        f.load({"Koniec"}, 5, 3); // writes mi.ini: TRV33, depth 8
        f.form->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(f.form.get()));
        QString text;
        f.driver.then([&](QWidget *w) {
            text = messageText(w);
            pressOk(w);
        });
        QTest::keySequence(f.form.get(), QKeySequence(QStringLiteral("Ctrl+Shift+Z")));
        QCOMPARE(text, QStringLiteral("Vmax = 1550\nGlPodz = 8,00\nPulsDiv = 5"));
        f.form->DisableControls();
        text.clear();
        QTest::keySequence(f.form.get(), QKeySequence(QStringLiteral("Ctrl+Shift+Z")));
        QTest::qWait(50);
        QVERIFY(text.isEmpty());
    }
};

QTEST_MAIN(TestGuiDrive)
#include "tst_gui_drive.moc"
