// The "Symulacja" window on the main window's program, driven headless.

#include "CliRun.h"
#include "GuiFixture.h"
#include "ProgramListModel.h"
#include "SimulationWindow.h"
#include "SteppingSession.h"
#include "WatchPanel.h"
#include "WindowPlacement.h"

#include <QApplication>
#include <QChart>
#include <QChartView>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QLabel>
#include <QLineSeries>
#include <QListView>
#include <QPushButton>
#include <QScrollBar>
#include <QSpinBox>
#include <QTabWidget>
#include <QTableView>
#include <QTableWidget>
#include <QTest>
#include <QValueAxis>
#include <QWheelEvent>

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

QString status(SimulationWindow *w) {
    return w->findChild<QLabel *>(QStringLiteral("lblStan"))->text();
}

QString watch(SimulationWindow *w, const char *name) {
    return w->findChild<sim::WatchPanel *>(QStringLiteral("tblPodglad"))
        ->value(QString::fromUtf8(name));
}

// The window with the keyboard, as the user has it after clicking into it.
bool activate(QWidget *w) {
    w->activateWindow();
    return QTest::qWaitForWindowActive(w);
}

// Types into a spin box as the user does, replacing what it showed.
void type(QAbstractSpinBox *field, const QString &text) {
    field->setFocus();
    field->selectAll();
    QTest::keyClicks(field, text);
    QTest::keyClick(field, Qt::Key_Tab);
}

QSet<int> marked(GuiFixture &f, ProgramListModel::LineMark mark) {
    return qobject_cast<ProgramListModel *>(f.child<QListView>("ListBoxProg")->model())
        ->markedRows(mark);
}

QValueAxis *timeAxis(SimulationWindow *w, const char *chart) {
    return qobject_cast<QValueAxis *>(w->findChild<QChartView *>(QString::fromLatin1(chart))
                                          ->chart()
                                          ->axes(Qt::Horizontal)
                                          .value(0));
}

QString seconds(double t) { return QString::number(t, 'f', 6).replace('.', ','); }

double moveTime(double d, double vmin, double vmax, double a) {
    const double da = (vmax * vmax - vmin * vmin) / (2 * a);
    if (2 * da <= d)
        return 2 * (vmax - vmin) / a + (d - 2 * da) / vmax;
    return 2 * (std::sqrt(vmin * vmin + a * d) - vmin) / a;
}

// Moves 1000 steps out, waits for IN 3, switches OUT 1 on and moves back.
const QStringList kPickAndPlace = {"Prędkość min(100,00) pps",
                                   "Prędkość max(1000,00) pps",
                                   "Przysp. max(476604,33) pps/s^2",
                                   "Znajdź pozycję(1000)",
                                   "Skocz jeśli wejście(5)(3)(0)",
                                   "Ustaw wyjście(1)(1)",
                                   "Znajdź pozycję(0)",
                                   "Koniec"};

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

        // The run command by command; clicking one selects its line in the program list.
        auto *table = w->findChild<QTableView *>(QStringLiteral("tblPrzebieg"));
        w->findChild<QTabWidget *>(QStringLiteral("tabTabele"))->setCurrentIndex(1);
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
        QCOMPARE(w->findChild<QTableView *>(QStringLiteral("tblPrzebieg"))->model()->rowCount(), 2);
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

    void stepsOverAMoveAndAWait() {
        GuiFixture f;
        f.load(kPickAndPlace);
        SimulationWindow *w = open(f);
        QVERIFY(activate(w));
        // IN 3 on at 2,5 s, typed with the decimal comma.
        w->findChild<QPushButton *>(QStringLiteral("btnDodajWejscie"))->click();
        type(w->findChild<QSpinBox *>(QStringLiteral("edWejscie0")), QStringLiteral("3"));
        auto *at = w->findChild<QDoubleSpinBox *>(QStringLiteral("edCzas0"));
        type(at, QStringLiteral("2,5"));
        QCOMPARE(at->value(), 2.5);
        QCOMPARE(at->text(), QStringLiteral("2,500"));
        QVERIFY(activate(w));
        QCOMPARE(watch(w, "Czas [s]"), QStringLiteral("–")); // nothing paused yet

        QTest::keyClick(w, Qt::Key_F10); // the start: before line 1
        QCOMPARE(w->session().currentLine(), 1);
        QCOMPARE(watch(w, "Czas [s]"), QStringLiteral("0,000000"));
        QCOMPARE(watch(w, "Prędkość min [kroki/s]"), QStringLiteral("nie ustawiono"));
        QCOMPARE(marked(f, ProgramListModel::LineMark::Current), QSet<int>{0});
        for (int k = 0; k < 3; ++k)
            QTest::keyClick(w, Qt::Key_F10);
        QCOMPARE(watch(w, "Prędkość min [kroki/s]"), QStringLiteral("99,18 (rej. 13)"));
        QCOMPARE(watch(w, "Prędkość max [kroki/s]"), QStringLiteral("999,45 (rej. 131)"));
        QCOMPARE(watch(w, "Przysp. max [kroki/s²]"), QStringLiteral("476604,33 (rej. 2047)"));
        // Over the move.
        QTest::keyClick(w, Qt::Key_F10);
        const double move = moveTime(1000, 13 * kV, 131 * kV, 2047 * 244140624.0 / 1048576.0);
        QCOMPARE(w->session().currentLine(), 5);
        QCOMPARE(watch(w, "Czas [s]"), seconds(move));
        QCOMPARE(watch(w, "Pozycja [kroki]"), QStringLiteral("1000,00"));
        QCOMPARE(watch(w, "Prędkość [kroki/s]"), QStringLiteral("0,00"));
        QCOMPARE(watch(w, "IN 3"), QStringLiteral("Off"));
        // The poll runs once, then the wait lasts until IN 3 comes on.
        QTest::keyClick(w, Qt::Key_F10);
        QCOMPARE(w->session().currentLine(), 5);
        QCOMPARE(watch(w, "Czas [s]"), seconds(move));
        QTest::keyClick(w, Qt::Key_F10);
        QCOMPARE(w->session().currentLine(), 6);
        QCOMPARE(watch(w, "Czas [s]"), QStringLiteral("2,500000"));
        QCOMPARE(watch(w, "IN 3"), QStringLiteral("On"));
        QCOMPARE(watch(w, "OUT 1"), QStringLiteral("Off"));
        QVERIFY(status(w).startsWith(
            QStringLiteral("Wstrzymano przed linią 006: Ustaw wyjście(1)(1), czas 2,500000 s")));
        // The line about to run, marked in the program list and the executed lines.
        QCOMPARE(marked(f, ProgramListModel::LineMark::Current), QSet<int>{5});
        auto *lines = w->findChild<QTableView *>(QStringLiteral("tblWykonane"));
        QVERIFY(lines->model()->index(5, 0).data().toString().startsWith(QStringLiteral("\u25B6")));
        QVERIFY(
            !lines->model()->index(4, 0).data().toString().startsWith(QStringLiteral("\u25B6")));
        // A cursor at the current time in every plot.
        for (const char *chart : {"chartPolozenie", "chartPredkosc", "chartWyjscia"}) {
            QLineSeries *cursor = series(w, chart, QString::fromLatin1(chart) + "Kursor");
            QVERIFY2(cursor && cursor->isVisible(), chart);
            QCOMPARE(cursor->at(0).x(), 2.5);
        }
        // F10 in the main window steps too.
        QVERIFY(activate(f.form.get()));
        QTest::keyClick(f.form.get(), Qt::Key_F10);
        QCOMPARE(watch(w, "OUT 1"), QStringLiteral("On"));
        QCOMPARE(marked(f, ProgramListModel::LineMark::Current), QSet<int>{6});
        // From the start again; closing the window takes the mark away.
        w->findChild<QPushButton *>(QStringLiteral("btnOdPoczatku"))->click();
        QCOMPARE(w->session().currentLine(), 1);
        QCOMPARE(watch(w, "OUT 1"), QStringLiteral("Off"));
        w->close();
        QCOMPARE(marked(f, ProgramListModel::LineMark::Current), QSet<int>());
        // A change of the program ends the paused run.
        w = open(f);
        QCOMPARE(marked(f, ProgramListModel::LineMark::Current), QSet<int>{0});
        f.load({"Czekaj[ms](10)", "Koniec"});
        QTRY_COMPARE_WITH_TIMEOUT(w->session().state(), sim::SteppingSession::State::Idle, 5000);
        QCOMPARE(marked(f, ProgramListModel::LineMark::Current), QSet<int>());
    }

    void breakpointInACounterLoopStopsOncePerCycle() {
        GuiFixture f;
        f.load({"Ustaw licznik powtórzeń(2)", "Czekaj[ms](100)", "Ustaw wyjście(1)(1)",
                "Skocz jeśli licz. powt.(2)", "Koniec"});
        QVERIFY(activate(f.form.get()));
        f.select(2);
        QTest::keyClick(f.form.get(), Qt::Key_F9);
        QCOMPARE(marked(f, ProgramListModel::LineMark::Breakpoint), QSet<int>{2});
        SimulationWindow *w = open(f);
        QVERIFY(activate(w));
        QStringList stops;
        for (int k = 0; k < 10; ++k) {
            QTest::keyClick(w, Qt::Key_F5);
            if (w->session().state() != sim::SteppingSession::State::Paused)
                break;
            QCOMPARE(w->session().currentLine(), 3);
            QVERIFY(status(w).endsWith(QStringLiteral("(pułapka).")));
            stops << watch(w, "Czas [s]") + QLatin1Char('/') + watch(w, "Licznik powtórzeń");
        }
        QCOMPARE(stops, (QStringList{"0,100000/2", "0,200000/1", "0,300000/0"}));
        QVERIFY(status(w).startsWith(QStringLiteral("Przebieg zakończony.\nProgram kończy się")));
        QVERIFY(!w->findChild<QPushButton *>(QStringLiteral("btnKrok"))->isEnabled());

        // The breakpoint stays with its line when lines move, and comes back with an undo.
        f.select(2);
        f.form->sbtnPrzesunWGoreClick();
        QCOMPARE(f.form->programLines()[1], QStringLiteral("002: Ustaw wyjście(1)(1)"));
        QCOMPARE(marked(f, ProgramListModel::LineMark::Breakpoint), QSet<int>{1});
        f.child<QAction>("miCofnij")->trigger();
        QCOMPARE(marked(f, ProgramListModel::LineMark::Breakpoint), QSet<int>{2});
        // "Do kursora" runs to the selected line; F9 in the window clears the breakpoint.
        f.select(1);
        w->findChild<QPushButton *>(QStringLiteral("btnOdPoczatku"))->click();
        w->findChild<QPushButton *>(QStringLiteral("btnDoKursora"))->click();
        QCOMPARE(w->session().currentLine(), 2);
        QVERIFY(status(w).endsWith(QStringLiteral("(kursor).")));
        f.select(2);
        QVERIFY(activate(w));
        QTest::keyClick(w, Qt::Key_F9);
        QCOMPARE(marked(f, ProgramListModel::LineMark::Breakpoint), QSet<int>());
        // Breakpoints are no part of the file.
        QVERIFY(activate(f.form.get()));
        QTest::keyClick(f.form.get(), Qt::Key_F9);
        QVERIFY(f.form->SaveProgramToFile(f.path(QStringLiteral("zapis.dat"))));
        f.form->LoadProgramFromFile(f.path(QStringLiteral("zapis.dat")));
        QCOMPARE(marked(f, ProgramListModel::LineMark::Breakpoint), QSet<int>());
    }

    void continueToTheEndSaysWhatTheCommandLineSays() {
        GuiFixture f;
        f.load(kPickAndPlace);
        SimulationWindow *w = open(f);
        w->findChild<QPushButton *>(QStringLiteral("btnDodajWejscie"))->click();
        w->findChild<QSpinBox *>(QStringLiteral("edWejscie0"))->setValue(3);
        w->findChild<QDoubleSpinBox *>(QStringLiteral("edCzas0"))->setValue(2.5);
        QVERIFY(activate(w));
        QTest::keyClick(w, Qt::Key_F5);
        QCOMPARE(w->session().state(), sim::SteppingSession::State::Ended);
        const CliRun cli = runCli({QStringLiteral("simulate"), f.path(QStringLiteral("p.dat")),
                                   QStringLiteral("--input"), QStringLiteral("3=1@2,5")});
        QCOMPARE(cli.code, 0);
        const QStringList out = cli.out.trimmed().split(QLatin1Char('\n'));
        const QString summaryLines = out.mid(out.size() - 2).join(QLatin1Char('\n'));
        QVERIFY(summaryLines.startsWith(QStringLiteral("Program kończy się poleceniem Koniec")));
        QCOMPARE(status(w), QStringLiteral("Przebieg zakończony.\n") + summaryLines);
        // Without the input: the program waits for ever, in both.
        w->findChild<QPushButton *>(QStringLiteral("btnUsunWejscie"))->click();
        QTest::keyClick(w, Qt::Key_F5);
        const CliRun waiting =
            runCli({QStringLiteral("simulate"), f.path(QStringLiteral("p.dat"))});
        const QStringList waitOut = waiting.out.trimmed().split(QLatin1Char('\n'));
        QVERIFY(waitOut.value(waitOut.size() - 2)
                    .startsWith(QStringLiteral(
                        "Program czeka bez końca na zmianę wejścia IN 3 (linia 5)")));
        QCOMPARE(status(w), QStringLiteral("Przebieg zakończony.\n") +
                                waitOut.mid(waitOut.size() - 2).join(QLatin1Char('\n')));
        QCOMPARE(w->session().currentLine(), 5);
    }

    void timeFieldsTakeTheDecimalComma() {
        GuiFixture f;
        f.load({"Czekaj[s](10)", "Koniec"});
        SimulationWindow *w = open(f);
        QVERIFY(activate(w));
        auto *limit = w->findChild<QDoubleSpinBox *>(QStringLiteral("edLimitCzasu"));
        type(limit, QStringLiteral("3,5"));
        QCOMPARE(limit->value(), 3.5);
        QTRY_COMPARE_WITH_TIMEOUT(w->result().end, sim::EndReason::TimeLimit, 5000);
        QCOMPARE(w->result().timeS, 3.5);
        type(limit, QStringLiteral("4.25"));
        QCOMPARE(limit->value(), 4.25);
        QCOMPARE(limit->text(), QStringLiteral("4,250 s"));
        w->findChild<QPushButton *>(QStringLiteral("btnDodajWejscie"))->click();
        auto *at = w->findChild<QDoubleSpinBox *>(QStringLiteral("edCzas0"));
        type(at, QStringLiteral("0,75"));
        QCOMPARE(at->value(), 0.75);
    }

    void plotsShareOneTimeAxis() {
        GuiFixture f;
        f.load({"Prędkość min(100,00) pps", "Prędkość max(1000,00) pps",
                "Przysp. max(232,83) pps/s^2", "Ustaw wyjście(1)(1)", "Znajdź pozycję(10000)",
                "Ustaw wyjście(1)(0)", "Znajdź pozycję(-2000)", "Koniec"});
        SimulationWindow *w = open(f);
        const char *charts[] = {"chartPolozenie", "chartPredkosc", "chartWyjscia"};
        const double end = w->result().timeS;
        const auto ranges = [&] {
            QList<QPair<double, double>> r;
            for (const char *c : charts)
                r.append({timeAxis(w, c)->min(), timeAxis(w, c)->max()});
            return r;
        };
        for (const auto &r : ranges())
            QCOMPARE(r, qMakePair(0.0, end));
        // The wheel over one chart zooms all three.
        QChartView *velocity = w->findChild<QChartView *>(QStringLiteral("chartPredkosc"));
        const QPointF middle = QRectF(velocity->viewport()->rect()).center();
        QWheelEvent wheel(middle, velocity->viewport()->mapToGlobal(middle), QPoint(),
                          QPoint(0, 360), Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(velocity->viewport(), &wheel);
        const QList<QPair<double, double>> zoomed = ranges();
        QVERIFY(zoomed[0].second - zoomed[0].first < end * 0.6);
        QCOMPARE(zoomed[1], zoomed[0]);
        QCOMPARE(zoomed[2], zoomed[0]);
        // The scroll bar under them moves all three to the end.
        auto *bar = w->findChild<QScrollBar *>(QStringLiteral("sbCzas"));
        QVERIFY(bar->isEnabled());
        bar->setValue(bar->maximum());
        for (const auto &r : ranges())
            QVERIFY(std::fabs(r.second - end) < end * 1e-6);
        // A double click shows the whole run again.
        QTest::mouseDClick(w->findChild<QChartView *>(QStringLiteral("chartWyjscia"))->viewport(),
                           Qt::LeftButton);
        for (const auto &r : ranges())
            QCOMPARE(r, qMakePair(0.0, end));
        // Labels fall on round numbers from 0, with the decimal comma.
        for (const char *c : charts) {
            QChart *chart = w->findChild<QChartView *>(QString::fromLatin1(c))->chart();
            QVERIFY(chart->localizeNumbers());
            QCOMPARE(chart->locale().decimalPoint(), QStringLiteral(","));
            for (QAbstractAxis *a : chart->axes()) {
                auto *axis = qobject_cast<QValueAxis *>(a);
                if (!axis || axis->inherits("QCategoryAxis"))
                    continue;
                QCOMPARE(axis->tickType(), QValueAxis::TicksDynamic);
                QCOMPARE(axis->tickAnchor(), 0.0);
                QVERIFY(axis->min() <= 0 && axis->max() >= 0);
            }
        }
    }

    void opensBesideTheMainWindow() {
        using sim::placeBeside;
        const QRect screen(0, 0, 1920, 1040);
        const QSize wanted(1150, 980);
        // Room on the right.
        sim::WindowPlacement p =
            placeBeside(QRect(100, 50, 800, 560), QRect(525, 80, 375, 500), screen, wanted, 640);
        QCOMPARE(p.window, QRect(900, 50, 1020, 980));
        QCOMPARE(p.mainTopLeft, QPoint(100, 50));
        // Room on the left.
        p = placeBeside(QRect(1200, 100, 700, 560), QRect(1625, 130, 275, 500), screen, wanted,
                        640);
        QCOMPARE(p.window, QRect(50, 60, 1150, 980));
        // A centred main window: it moves to the right edge; the new window leaves its list free.
        const QRect main(560, 240, 800, 560), list(985, 270, 375, 530);
        p = placeBeside(main, list, screen, wanted, 640);
        QCOMPARE(p.mainTopLeft, QPoint(1120, 240));
        QCOMPARE(p.window.left(), 0);
        QVERIFY(!p.window.intersects(list.translated(1120 - 560, 0)));
        QCOMPARE(p.window.width(), 1150);
        // The real window: shown beside, never over the list where the screen allows it.
        GuiFixture f;
        SimulationWindow *w = open(f);
        QVERIFY(w->isVisible());
        const QRect listNow(f.child<QListView>("ListBoxProg")->mapToGlobal(QPoint(0, 0)),
                            f.child<QListView>("ListBoxProg")->size());
        const QRect available = w->screen()->availableGeometry();
        if (available.width() >= f.form->frameGeometry().width() + 640 + 425)
            QVERIFY(!w->frameGeometry().intersects(listNow));
    }
};

QTEST_MAIN(TestGuiSimulation)
#include "tst_gui_simulation.moc"
