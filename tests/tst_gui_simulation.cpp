// The "Symulacja" window on the main window's program, driven headless.

#include "GuiFixture.h"
#include "SimulationWindow.h"

#include <QChartView>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QLabel>
#include <QLineSeries>
#include <QListView>
#include <QPushButton>
#include <QSpinBox>
#include <QTableView>
#include <QTableWidget>
#include <QTest>

using namespace korven;
using korven::sim::SimulationWindow;

namespace {

const double kV = 15625.0 / (64.0 * 32.0); // steps/s per velocity unit, PulsDiv 5

QLineSeries *series(SimulationWindow *w, const char *chart, const QString &name = {}) {
    auto *view = w->findChild<QChartView *>(QString::fromLatin1(chart));
    if (!view)
        return nullptr;
    for (QAbstractSeries *s : view->chart()->series()) {
        if (name.isEmpty() || s->objectName() == name)
            return qobject_cast<QLineSeries *>(s);
    }
    return nullptr;
}

SimulationWindow *open(GuiFixture &f, const char *action = "miSymulacja") {
    f.form->findChild<QAction *>(QString::fromLatin1(action))->trigger();
    return f.form->findChild<SimulationWindow *>(QStringLiteral("SimulationWindow"));
}

QString summary(SimulationWindow *w) {
    return w->findChild<QLabel *>(QStringLiteral("lblPodsumowanie"))->text();
}

} // namespace

class TestGuiSimulation : public QObject {
    Q_OBJECT
private slots:
    void opensOnTheProgramWithItsCurves() {
        GuiFixture f;
        f.load({"Prędkość min(100,00) pps", "Prędkość max(1000,00) pps",
                "Przysp. max(232,83) pps/s^2", "Enable/Disable(High)", "Ustaw wyjście(2)(1)",
                "Znajdź pozycję(10000)", "Ustaw wyjście(2)(0)", "Czekaj[ms](500)", "Koniec"});
        SimulationWindow *w = open(f);
        QVERIFY(w);
        QVERIFY(w->isVisible());
        QCOMPARE(w->windowTitle(), QStringLiteral("Symulacja"));
        QVERIFY(summary(w).startsWith(QStringLiteral("Program kończy się poleceniem Koniec po")));
        QVERIFY(!w->findChild<QLabel *>(QStringLiteral("lblSzacunek"))->text().isEmpty());
        const double end = w->result().timeS;
        QVERIFY(end > 13);

        QLineSeries *x = series(w, "chartPolozenie");
        QVERIFY(x && x->count() > 10);
        QCOMPARE(x->at(0), QPointF(0, 0));
        QCOMPARE(x->at(x->count() - 1), QPointF(end, 10000));
        for (int i = 1; i < x->count(); ++i) // a move forward never goes back
            QVERIFY(x->at(i).y() >= x->at(i - 1).y() && x->at(i).x() >= x->at(i - 1).x());
        QLineSeries *v = series(w, "chartPredkosc");
        QVERIFY(v);
        double peak = 0;
        for (const QPointF &p : v->points())
            peak = std::max(peak, p.y());
        QVERIFY(std::fabs(peak - 131 * kV) < 1e-9);
        QCOMPARE(v->at(v->count() - 1), QPointF(end, 0));

        // Enable on at 0; OUT 2 on at 0, off when the move ends.
        QLineSeries *enable = series(w, "chartWyjscia", QStringLiteral("seriesEnable"));
        QLineSeries *out2 = series(w, "chartWyjscia", QStringLiteral("seriesOutput1"));
        QVERIFY(enable && out2);
        QVERIFY(!series(w, "chartWyjscia", QStringLiteral("seriesOutput0")));
        QCOMPARE(enable->at(enable->count() - 1), QPointF(end, 1));
        const QList<QPointF> steps = out2->points();
        QCOMPARE(steps.size(), 6);
        QCOMPARE(steps[2], QPointF(0, 2.5));
        QCOMPARE(steps[3].y(), 2.5);
        QVERIFY(std::fabs(steps[3].x() - (end - 0.5)) < 1e-9);
        QCOMPARE(steps[4], QPointF(steps[3].x(), 1.5));

        // The executed lines; clicking one selects it in the program list.
        auto *table = w->findChild<QTableView *>(QStringLiteral("tblWykonane"));
        QCOMPARE(table->model()->rowCount(), 9);
        QCOMPARE(table->model()->index(5, 2).data().toString(),
                 QStringLiteral("Znajdź pozycję(10000)"));
        QCOMPARE(table->model()->index(6, 3).data().toString(), QStringLiteral("10000,00"));
        table->scrollTo(table->model()->index(5, 0));
        QTest::mouseClick(table->viewport(), Qt::LeftButton, {},
                          table->visualRect(table->model()->index(5, 1)).center());
        QCOMPARE(f.child<QListView>("ListBoxProg")->currentIndex().row(), 5);
        QCOMPARE(f.child<QListView>("ListBoxProg")->selectionModel()->selectedRows().value(0).row(),
                 5);
        // The toolbar button shows the same window.
        QCOMPARE(open(f, "tbtnSymulacja"), w);
        QCOMPARE(f.form->findChildren<SimulationWindow *>().size(), 1);
    }
    void followsTheProgramAndItsSettings() {
        GuiFixture f;
        f.load({"Skocz jeśli wejście(4)(2)(1)", "Czekaj[ms](100)", "Skocz do linii(1)", "Koniec"});
        SimulationWindow *w = open(f);
        QCOMPARE(w->result().end, sim::EndReason::Loop);
        QVERIFY(summary(w).contains(QStringLiteral("okres pętli 0,100000 s")));
        // An input schedule entry: IN 2 on at 0,35 s ends the wait at 0,4 s.
        w->findChild<QPushButton *>(QStringLiteral("btnDodajWejscie"))->click();
        w->findChild<QSpinBox *>(QStringLiteral("edWejscie0"))->setValue(2);
        w->findChild<QDoubleSpinBox *>(QStringLiteral("edCzas0"))->setValue(0.35);
        QTRY_COMPARE_WITH_TIMEOUT(w->result().end, sim::EndReason::Koniec, 5000);
        QCOMPARE(w->result().timeS, 0.4);
        w->findChild<QComboBox *>(QStringLiteral("cbStan0"))->setCurrentIndex(0);
        QTRY_COMPARE_WITH_TIMEOUT(w->result().end, sim::EndReason::Loop, 5000);
        // The program changes in the main window: the window follows.
        f.load({"Czekaj[s](2)", "Koniec"});
        QTRY_COMPARE_WITH_TIMEOUT(w->result().timeS, 2.0, 5000);
        QCOMPARE(w->findChild<QTableView *>(QStringLiteral("tblWykonane"))->model()->rowCount(), 2);
        // The home position: homing from 0 to the switch.
        f.load({"Prędkość min(100,00) pps", "Prędkość max(1000,00) pps",
                "Przysp. max(232,83) pps/s^2", "Znajdź HOME(500,00)(0)", "Koniec"});
        QTRY_COMPARE_WITH_TIMEOUT(w->result().steps, 5, 5000);
        QCOMPARE(w->result().end, sim::EndReason::Koniec);
        QCOMPARE(w->result().timeS, 0.0);
        w->findChild<QSpinBox *>(QStringLiteral("edHome"))->setValue(-1000);
        QTRY_VERIFY_WITH_TIMEOUT(w->result().timeS > 1, 5000);
        QCOMPARE(series(w, "chartPolozenie")->points().first(), QPointF(0, 0));
        double lowest = 0;
        for (const QPointF &p : series(w, "chartPolozenie")->points())
            lowest = std::min(lowest, p.y());
        QVERIFY(lowest < -999);
        // A program the simulator refuses: the error in words.
        f.load({"Znajdź pozycję(5)", "Koniec"});
        QTRY_VERIFY_WITH_TIMEOUT(summary(w).contains(QStringLiteral("Błąd w linii 1")), 5000);
    }
};

QTEST_MAIN(TestGuiSimulation)
#include "tst_gui_simulation.moc"
