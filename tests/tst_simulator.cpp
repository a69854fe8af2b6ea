#include "Breakpoints.h"
#include "ByteCode.h"
#include "DecodedProgram.h"
#include "ProgramLine.h"
#include "Simulation.h"
#include "SimulationText.h"
#include "SteppingSession.h"

#include <QTest>

#include <cmath>

using namespace korven;
using namespace korven::sim;

namespace {

const DriveSettings kDrive{1, 4, 5, 2047, 16}; // PulsDiv 5
const double kV = 15625.0 / (64.0 * 32.0);     // steps/s per velocity unit
const double kA = 244140624.0 / 1048576.0;     // steps/s^2 per acceleration unit

SimulationResult run(const QStringList &bodies, const SimulationOptions &options = {}) {
    QStringList lines;
    for (int i = 0; i < bodies.size(); ++i)
        lines.append(formatLine(i + 1, bodies[i]));
    return simulateProgram(lines, kDrive, options);
}

// vmin 13 units, vmax 131 units, acceleration 1 unit.
const QStringList kSettings = {QStringLiteral("Prędkość min(100,00) pps"),
                               QStringLiteral("Prędkość max(1000,00) pps"),
                               QStringLiteral("Przysp. max(232,83) pps/s^2")};
// The same speeds with acceleration 2047 units: a move of 1000 steps takes about 1 s.
const QStringList kFast = {QStringLiteral("Prędkość min(100,00) pps"),
                           QStringLiteral("Prędkość max(1000,00) pps"),
                           QStringLiteral("Przysp. max(476604,33) pps/s^2")};

double moveTime(double d, double vmin, double vmax, double a) {
    const double da = (vmax * vmax - vmin * vmin) / (2 * a);
    if (2 * da <= d)
        return 2 * (vmax - vmin) / a + (d - 2 * da) / vmax;
    return 2 * (std::sqrt(vmin * vmin + a * d) - vmin) / a;
}

InputChange input(int n, bool state, double t) { return InputChange{n, state, t}; }

} // namespace

class TestSimulator : public QObject {
    Q_OBJECT
private slots:
    void byteCodeComesFromTheCompiler() {
        const ByteCode &code = ByteCode::instance();
        QCOMPARE(int(code.opcode(Command::Wait)), 0x07);
        QCOMPARE(code.length(0x07), 3);
        QCOMPARE(code.length(0x02), 13);
        QCOMPARE(code.length(0x0A), 4);
        QCOMPARE(code.length(0x03), 0);
        QCOMPARE(code.command(0x00, 0x04), Command::Vmin);
        QCOMPARE(code.command(0x00, 0x06), Command::Vmax);
        QCOMPARE(code.command(0x00, 0x05), Command::None);
        QCOMPARE(code.command(0x12, 0), Command::WaitS);
    }

    void counterLoopOfWaits() {
        const SimulationResult r =
            run({QStringLiteral("Ustaw licznik powtórzeń(9)"), QStringLiteral("Czekaj[ms](250)"),
                 QStringLiteral("Skocz jeśli licz. powt.(2)"), QStringLiteral("Koniec")});
        QCOMPARE(r.end, EndReason::Koniec);
        QCOMPARE(r.timeS, 2.5);
        QCOMPARE(r.steps, 22);
        const QMap<int, qint64> counts{{1, 1}, {2, 10}, {3, 10}, {4, 1}};
        QCOMPARE(r.lineCounts, counts);
        QCOMPARE(r.trace.commands.size(), size_t(22));
        QCOMPARE(r.trace.commands.back().timeS, 2.5);
        QCOMPARE(r.trace.commands.back().line, 4);
    }

    void conditionalJumpFollowsTheInputSchedule() {
        const QStringList program = {QStringLiteral("Skocz jeśli wejście(4)(3)(1)"),
                                     QStringLiteral("Czekaj[ms](100)"),
                                     QStringLiteral("Skocz do linii(1)"), QStringLiteral("Koniec")};
        SimulationOptions options;
        options.inputs = {input(3, true, 0.35)};
        SimulationResult r = run(program, options);
        QCOMPARE(r.end, EndReason::Koniec);
        QCOMPARE(r.timeS, 0.4);
        QCOMPARE(r.lineCounts.value(1), 5);
        // Another input does not count; the awaited state "off" jumps at once.
        options.inputs = {input(2, true, 0.0)};
        QCOMPARE(run(program, options).end, EndReason::Loop);
        r = run({QStringLiteral("Skocz jeśli wejście(4)(3)(0)"), QStringLiteral("Czekaj[ms](100)"),
                 QStringLiteral("Skocz do linii(1)"), QStringLiteral("Koniec")},
                options);
        QCOMPARE(r.end, EndReason::Koniec);
        QCOMPARE(r.timeS, 0.0);
        // On from the start, off at 0.25 s: the wait loop ends at the check at 0.3 s.
        options.inputs = {input(3, false, 0.25), input(3, true, 0.0)};
        r = run({QStringLiteral("Skocz jeśli wejście(4)(3)(0)"), QStringLiteral("Czekaj[ms](100)"),
                 QStringLiteral("Skocz do linii(1)"), QStringLiteral("Koniec")},
                options);
        QCOMPARE(r.end, EndReason::Koniec);
        QCOMPARE(r.timeS, 0.3);
    }

    void movesTakeTheClosedFormTime() {
        const double vmin = 13 * kV, vmax = 131 * kV, a = kA;
        // Trapezoid out, triangle back part of the way, then to a negative position.
        const SimulationResult r =
            run(kSettings + QStringList{QStringLiteral("Znajdź pozycję(10000)"),
                                        QStringLiteral("Znajdź pozycję(9000)"),
                                        QStringLiteral("Znajdź pozycję(-5000)"),
                                        QStringLiteral("Znajdź pozycję(-5000)"),
                                        QStringLiteral("Koniec")});
        QCOMPARE(r.end, EndReason::Koniec);
        const double t1 = moveTime(10000, vmin, vmax, a);
        const double t2 = moveTime(1000, vmin, vmax, a);
        const double t3 = moveTime(14000, vmin, vmax, a);
        QVERIFY(2 * (vmax * vmax - vmin * vmin) / (2 * a) > 1000); // the second is a triangle
        QVERIFY(std::fabs(r.trace.commands[4].timeS - t1) < 1e-9);
        QVERIFY(std::fabs(r.trace.commands[5].timeS - (t1 + t2)) < 1e-9);
        QVERIFY(std::fabs(r.timeS - (t1 + t2 + t3)) < 1e-9);
        QCOMPARE(r.position, -5000.0);
        QCOMPARE(r.trace.commands[5].position, 9000.0);
        // The highest speed of the trace is vmax; of the triangle, below it.
        double peak = 0;
        for (const MotionPoint &p : r.trace.motion)
            peak = std::max(peak, std::fabs(p.velocity));
        QVERIFY(std::fabs(peak - vmax) < 1e-9);
    }

    void homingMovesToTheSwitchAndZeroesTheCounter() {
        SimulationOptions options;
        options.homeAt = -3000;
        const SimulationResult r =
            run(kSettings + QStringList{QStringLiteral("Znajdź HOME(-500,00)(2)"),
                                        QStringLiteral("Znajdź pozycję(100)"),
                                        QStringLiteral("Zeruj licznik pozycji"),
                                        QStringLiteral("Znajdź HOME(500,00)(0)"),
                                        QStringLiteral("Koniec")},
                options);
        QCOMPARE(r.end, EndReason::Koniec);
        const double vmin = 13 * kV, home = 66 * kV; // 500 steps/s is 65.5 -> 66 units
        const double t1 = moveTime(3000, vmin, home, kA);
        const double t2 = moveTime(100, vmin, 131 * kV, kA);
        QVERIFY(std::fabs(r.trace.commands[4].timeS - t1) < 1e-9);
        QCOMPARE(r.trace.commands[4].position, 0.0);
        // The switch is now 100 steps behind the cleared counter.
        const double t3 = moveTime(100, vmin, home, kA);
        QVERIFY(std::fabs(r.timeS - (t1 + t2 + t3)) < 1e-9);
        QCOMPARE(r.position, 0.0);
    }

    void velocityModeGoesOnUnderAWait() {
        const double vt = 66 * kV, a = kA, ramp = vt / a; // 2.16 s of ramp
        const SimulationResult r = run(
            kSettings + QStringList{QStringLiteral("Prędkość docelowa(500,00) pps"),
                                    QStringLiteral("Czekaj[s](1)"), QStringLiteral("Czekaj[s](3)"),
                                    QStringLiteral("Hamuj"), QStringLiteral("Koniec")});
        QCOMPARE(r.end, EndReason::Koniec);
        const ExecutedCommand &second = r.trace.commands[5];
        QCOMPARE(second.timeS, 1.0);
        QVERIFY(std::fabs(second.velocity - a) < 1e-9);
        QVERIFY(std::fabs(second.position - a / 2) < 1e-9);
        const ExecutedCommand &brake = r.trace.commands[6];
        QCOMPARE(brake.timeS, 4.0);
        QCOMPARE(brake.velocity, vt);
        const double ramped = vt * vt / (2 * a);
        QVERIFY(std::fabs(brake.position - (ramped + vt * (4 - ramp))) < 1e-6);
        QVERIFY(std::fabs(r.timeS - (4 + ramp)) < 1e-9);
        QVERIFY(std::fabs(r.position - (2 * ramped + vt * (4 - ramp))) < 1e-6);
        QCOMPARE(r.velocity, 0.0);
        // Backwards: the target's sign is the direction.
        const SimulationResult back =
            run(kSettings + QStringList{QStringLiteral("Prędkość docelowa(-500,00) pps"),
                                        QStringLiteral("Czekaj[s](5)"), QStringLiteral("Stop"),
                                        QStringLiteral("Koniec")});
        QVERIFY(std::fabs(back.position + (ramped + vt * (5 - ramp))) < 1e-6);
    }

    void endlessCycleEndsAsALoopWithItsPeriod() {
        const double cycle = 2 * moveTime(1000, 13 * kV, 131 * kV, kA) + 0.5;
        SimulationResult r = run(
            kSettings +
            QStringList{QStringLiteral("Znajdź pozycję(1000)"), QStringLiteral("Czekaj[ms](200)"),
                        QStringLiteral("Znajdź pozycję(0)"), QStringLiteral("Czekaj[ms](300)"),
                        QStringLiteral("Skocz do linii(4)"), QStringLiteral("Koniec")});
        QCOMPARE(r.end, EndReason::Loop);
        QVERIFY(std::fabs(r.periodS - cycle) < 1e-9);
        QVERIFY(std::fabs(r.timeS - 2 * cycle) < 1e-9); // the jump's state first repeats
        QCOMPARE(r.steps, 3 + 9); // the settings, twice lines 4 to 7, the jump once
        QCOMPARE(r.lineCounts.value(8), 1);
        // A counter loop inside an endless one.
        r = run({QStringLiteral("Ustaw licznik powtórzeń(3)"), QStringLiteral("Czekaj[ms](10)"),
                 QStringLiteral("Skocz jeśli licz. powt.(2)"), QStringLiteral("Skocz do linii(1)"),
                 QStringLiteral("Koniec")});
        QCOMPARE(r.end, EndReason::Loop);
        QCOMPARE(r.periodS, 0.04);
        QCOMPARE(r.timeS, 0.05);
        QCOMPARE(r.steps, 12);
        // A lead-in before the cycle.
        r = run({QStringLiteral("Skocz do linii(2)"), QStringLiteral("Czekaj[ms](10)"),
                 QStringLiteral("Skocz do linii(2)"), QStringLiteral("Koniec")});
        QCOMPARE(r.end, EndReason::Loop);
        QCOMPARE(r.timeS, 0.02);
        QCOMPARE(r.periodS, 0.01);
        // Still moving: the position never repeats, a limit ends it.
        SimulationOptions options;
        options.maxTimeS = 60;
        r = run(kSettings + QStringList{QStringLiteral("Prędkość docelowa(100,00) pps"),
                                        QStringLiteral("Czekaj[ms](100)"),
                                        QStringLiteral("Skocz do linii(5)"),
                                        QStringLiteral("Koniec")},
                options);
        QCOMPARE(r.end, EndReason::TimeLimit);
        QCOMPARE(r.timeS, 60.0);
        // A pending input change is part of the state: no loop before it.
        options.inputs = {input(1, true, 30)};
        r = run({QStringLiteral("Skocz jeśli wejście(4)(1)(1)"), QStringLiteral("Czekaj[ms](250)"),
                 QStringLiteral("Skocz do linii(1)"), QStringLiteral("Koniec")},
                options);
        QCOMPARE(r.end, EndReason::Koniec);
        QCOMPARE(r.timeS, 30.0);
    }

    // Busy waits: a cycle that takes no time lets time pass to the next input change.
    void pickAndPlaceWaitsForItsInput() {
        const QStringList program =
            kFast + QStringList{QStringLiteral("Znajdź pozycję(1000)"),
                                QStringLiteral("Skocz jeśli wejście(5)(3)(0)"),
                                QStringLiteral("Znajdź pozycję(0)"), QStringLiteral("Koniec")};
        const double move = moveTime(1000, 13 * kV, 131 * kV, 2047 * kA);
        QVERIFY(move < 2.5);
        SimulationOptions options;
        options.inputs = {input(3, true, 2.5)};
        SimulationResult r = run(program, options);
        QCOMPARE(r.end, EndReason::Koniec);
        QVERIFY2(std::fabs(r.timeS - (2.5 + move)) < 1e-9, qPrintable(QString::number(r.timeS)));
        QCOMPARE(r.position, 0.0);
        // The wait costs two polls, not one for every moment of it.
        QCOMPARE(r.steps, 3 + 1 + 2 + 1 + 1);
        QCOMPARE(r.lineCounts.value(5), 2);
        QVERIFY(std::fabs(r.trace.commands[4].timeS - move) < 1e-9);
        QCOMPARE(r.trace.commands[5].line, 5);
        QCOMPARE(r.trace.commands[5].timeS, 2.5);
        QCOMPARE(r.trace.commands[6].position, 1000.0);

        // Nothing to come: the program waits for ever from the end of the first move.
        r = run(program);
        QCOMPARE(r.end, EndReason::Wait);
        QVERIFY(std::fabs(r.timeS - move) < 1e-9);
        QCOMPARE(r.position, 1000.0);
        QCOMPARE(r.waitLine, 5);
        QCOMPARE(r.waitInput, 3);
        QVERIFY2(summaryText(r).startsWith(
                     QStringLiteral("Program czeka bez końca na zmianę wejścia IN 3 (linia 5)")),
                 qPrintable(summaryText(r)));
        const QString json = QString::fromUtf8(resultJson(r));
        QVERIFY2(json.contains(QStringLiteral("\"end\":\"wait\"")), qPrintable(json));
        QVERIFY(!json.contains(QStringLiteral("period_s")));
        QVERIFY(json.contains(QStringLiteral("\"wait_line\":5")));
        QVERIFY(json.contains(QStringLiteral("\"wait_input\":3")));
        // Another input changes meanwhile: the wait goes on past it.
        options.inputs = {input(1, true, 1.5), input(3, true, 2.5)};
        r = run(program, options);
        QCOMPARE(r.end, EndReason::Koniec);
        QVERIFY(std::fabs(r.timeS - (2.5 + move)) < 1e-9);

        // The change comes after the time limit: the wait is cut there.
        options.inputs = {input(3, true, 100)};
        options.maxTimeS = 10;
        r = run(program, options);
        QCOMPARE(r.end, EndReason::TimeLimit);
        QCOMPARE(r.timeS, 10.0);
        QCOMPARE(r.position, 1000.0);
    }

    void velocityModeRunsThroughAWait() {
        const double vt = 66 * kV, a = kA, ramp = vt / a; // 2.16 s of ramp
        SimulationOptions options;
        options.inputs = {input(1, true, 5)};
        const SimulationResult r =
            run(kSettings + QStringList{QStringLiteral("Prędkość docelowa(500,00) pps"),
                                        QStringLiteral("Skocz jeśli wejście(5)(1)(0)"),
                                        QStringLiteral("Hamuj"), QStringLiteral("Koniec")},
                options);
        QCOMPARE(r.end, EndReason::Koniec);
        const ExecutedCommand &brake = r.trace.commands[r.trace.commands.size() - 2];
        QCOMPARE(brake.line, 6);
        QCOMPARE(brake.timeS, 5.0);
        QCOMPARE(brake.velocity, vt);
        const double ramped = vt * vt / (2 * a);
        QVERIFY(std::fabs(brake.position - (ramped + vt * (5 - ramp))) < 1e-6);
        QVERIFY(std::fabs(r.timeS - (5 + ramp)) < 1e-9);
        QVERIFY(std::fabs(r.position - (2 * ramped + vt * (5 - ramp))) < 1e-6);
        QVERIFY(r.steps < 12);
        // The motion trace has the ramp's end inside the wait.
        const auto corner =
            std::find_if(r.trace.motion.begin(), r.trace.motion.end(),
                         [&](const MotionPoint &p) { return std::fabs(p.timeS - ramp) < 1e-9; });
        QVERIFY(corner != r.trace.motion.end());
        QCOMPARE(corner->velocity, vt);
    }

    void inputGoingOnAndOffThreeTimes() {
        SimulationOptions options;
        for (int k = 0; k < 3; ++k)
            options.inputs += {input(1, true, 2 * k + 1), input(1, false, 2 * k + 2)};
        const SimulationResult r = run(
            {QStringLiteral("Ustaw licznik powtórzeń(2)"),
             QStringLiteral("Skocz jeśli wejście(2)(1)(0)"), QStringLiteral("Ustaw wyjście(1)(1)"),
             QStringLiteral("Skocz jeśli wejście(4)(1)(1)"), QStringLiteral("Ustaw wyjście(1)(0)"),
             QStringLiteral("Skocz jeśli licz. powt.(2)"), QStringLiteral("Koniec")},
            options);
        QCOMPARE(r.end, EndReason::Koniec);
        QCOMPARE(r.timeS, 6.0);
        // OUT 1 follows the input: on at 1, 3, 5 s, off at 2, 4, 6 s.
        QList<double> switched;
        for (size_t i = 1; i < r.trace.outputs.size(); ++i)
            switched.append(r.trace.outputs[i].timeS);
        QCOMPARE(switched, (QList<double>{1, 2, 3, 4, 5, 6}));
        // The cycle time of the loop's lines.
        const LineStats out = r.lineStats.value(3);
        QCOMPARE(out.count, 3);
        QCOMPARE(out.firstS, 1.0);
        QCOMPARE(out.meanIntervalS(), 2.0);
        QCOMPARE(r.lineStats.value(7).count, 1);
        QCOMPARE(r.lineStats.value(7).firstS, 6.0);
    }

    void twoLinePollAndAJumpToItself() {
        const QStringList poll = {QStringLiteral("Skocz jeśli wejście(3)(2)(1)"),
                                  QStringLiteral("Skocz do linii(1)"),
                                  QStringLiteral("Czekaj[ms](500)"), QStringLiteral("Koniec")};
        SimulationOptions options;
        options.inputs = {input(2, true, 1.5)};
        SimulationResult r = run(poll, options);
        QCOMPARE(r.end, EndReason::Koniec);
        QCOMPARE(r.timeS, 2.0);
        QVERIFY(r.steps < 10);
        r = run(poll);
        QCOMPARE(r.end, EndReason::Wait);
        QCOMPARE(r.timeS, 0.0);
        QCOMPARE(r.waitLine, 1); // the poll, not the jump back
        QCOMPARE(r.waitInput, 2);
        // A jump to itself polls nothing.
        r = run({QStringLiteral("Skocz do linii(1)"), QStringLiteral("Koniec")});
        QCOMPARE(r.end, EndReason::Wait);
        QCOMPARE(r.timeS, 0.0);
        QCOMPARE(r.waitLine, 1);
        QCOMPARE(r.waitInput, 0);
        QVERIFY2(summaryText(r).startsWith(QStringLiteral(
                     "Program czeka bez końca w pętli bez upływu czasu (linia 1), od 0,000000 s.")),
                 qPrintable(summaryText(r)));
        // A counter loop without time is no wait: the counter differs on every pass.
        r = run({QStringLiteral("Ustaw licznik powtórzeń(1000)"),
                 QStringLiteral("Skocz jeśli licz. powt.(2)"), QStringLiteral("Koniec")});
        QCOMPARE(r.end, EndReason::Koniec);
        QCOMPARE(r.lineCounts.value(2), 1001);
    }

    void outputsToggledInsideAWait() {
        SimulationOptions options;
        options.inputs = {input(4, true, 3)};
        const SimulationResult r =
            run({QStringLiteral("Ustaw wyjście(1)(1)"), QStringLiteral("Ustaw wyjście(1)(0)"),
                 QStringLiteral("Skocz jeśli wejście(1)(4)(0)"), QStringLiteral("Koniec")},
                options);
        QCOMPARE(r.end, EndReason::Koniec);
        QCOMPARE(r.timeS, 3.0);
        QVERIFY(r.steps < 10);
        // Every switching happens at 0 s; OUT 1 is off through the wait.
        for (const OutputState &o : r.trace.outputs)
            QCOMPARE(o.timeS, 0.0);
        QCOMPARE(int(r.trace.outputs.back().outputs), 0);
    }

    void steppingReachesTheWholeRunsEnd() {
        const QStringList bodies = {
            QStringLiteral("Ustaw licznik powtórzeń(2)"), QStringLiteral("Czekaj[ms](100)"),
            QStringLiteral("Skocz jeśli licz. powt.(2)"),
            QStringLiteral("Skocz jeśli wejście(4)(1)(0)"), QStringLiteral("Koniec")};
        QStringList lines;
        for (int i = 0; i < bodies.size(); ++i)
            lines.append(formatLine(i + 1, bodies[i]));
        SimulationOptions options;
        options.inputs = {input(1, true, 2)};
        SteppingSession s(lines, kDrive, options);
        QCOMPARE(s.state(), SteppingSession::State::Idle);
        s.step(); // the start: paused before line 1
        QCOMPARE(s.currentLine(), 1);
        QCOMPARE(s.state(), SteppingSession::State::Paused);
        s.step();
        QCOMPARE(s.watch().counter, quint32(2));
        // A breakpoint inside the counter loop stops there once a pass.
        QList<double> stops;
        for (s.runTo({3}); s.lastStop() == SteppingSession::Stop::Breakpoint; s.runTo({3}))
            stops.append(s.time());
        QCOMPARE(stops.size(), 3);
        for (int k = 0; k < 3; ++k)
            QCOMPARE(stops[k], 0.1 * (k + 1));
        QCOMPARE(s.lastStop(), SteppingSession::Stop::End);
        QCOMPARE(s.result().end, EndReason::Koniec);
        QCOMPARE(s.result().timeS, s.wholeRun().timeS);
        QCOMPARE(s.result().steps, s.wholeRun().steps);
        QCOMPARE(s.time(), 2.0);
        // To the cursor from the start; the watch reads the schedule's inputs.
        s.restart();
        s.runTo({}, 4);
        QCOMPARE(s.lastStop(), SteppingSession::Stop::Cursor);
        QCOMPARE(s.time(), 0.3);
        QCOMPARE(int(s.watch().inputs), 0);
        s.step(); // the poll once, then the wait
        QCOMPARE(s.time(), 0.3);
        s.step();
        QCOMPARE(s.time(), 2.0);
        QCOMPARE(int(s.watch().inputs), 1);
        QCOMPARE(s.currentLine(), 5);
        // An endless loop: running on stops at the first repetition, as the whole run says.
        lines[4] = formatLine(5, QStringLiteral("Skocz do linii(1)"));
        lines.append(formatLine(6, QStringLiteral("Koniec")));
        SteppingSession loop(lines, kDrive, options);
        QCOMPARE(loop.wholeRun().end, EndReason::Loop);
        loop.runTo({});
        QCOMPARE(loop.lastStop(), SteppingSession::Stop::Repeat);
        QCOMPARE(summaryText(loop.result()), summaryText(loop.wholeRun()));
        // And once a period later, where the state is the same again.
        const double first = loop.time();
        const int line = loop.currentLine();
        QCOMPARE(loop.result().steps, loop.wholeRun().steps);
        loop.runTo({});
        QCOMPARE(loop.lastStop(), SteppingSession::Stop::Repeat);
        QVERIFY(std::fabs(loop.time() - first - loop.wholeRun().periodS) < 1e-9);
        QCOMPARE(loop.currentLine(), line);
    }

    void breakpointsFollowTheirLines() {
        Breakpoints b;
        QVERIFY(b.toggle(11));
        QVERIFY(b.toggle(13));
        QCOMPARE(b.rows({10, 11, 12, 13}), (QSet<int>{1, 3}));
        QCOMPARE(b.lines({13, 12, 11}), (QSet<int>{1, 3}));
        QVERIFY(!b.toggle(11));
        QCOMPARE(b.rows({10, 11, 12, 13}), (QSet<int>{3}));
        QCOMPARE(b.rows({10, 12}), QSet<int>());
    }

    void jumpsFollowTheImageBytes() {
        // Line 2 jumps to address 1, into the wait's operand.
        SimulationResult r =
            simulate(DecodedProgram::fromImage({"07 00 0A", "04 FF FC", "05"}, 5), {});
        QCOMPARE(r.end, EndReason::Error);
        QCOMPARE(r.errorLine, 2);
        QVERIFY2(r.error.contains(QStringLiteral("linii 2")), qPrintable(r.error));
        QVERIFY(r.error.contains(QStringLiteral("środek polecenia")));
        QCOMPARE(r.timeS, 0.01);
        r = simulate(DecodedProgram::fromImage({"07 00 0A", "04 00 10", "05"}, 5), {});
        QCOMPARE(r.end, EndReason::Error);
        QVERIFY(r.error.contains(QStringLiteral("poza program")));
        // A target beyond the last line addresses the end of the image.
        r = run({QStringLiteral("Czekaj[ms](1)"), QStringLiteral("Skocz do linii(9)"),
                 QStringLiteral("Koniec")});
        QCOMPARE(r.end, EndReason::Error);
        QCOMPARE(r.errorLine, 2);
        // Displacements decoded as the device adds them: forward over nothing.
        r = simulate(DecodedProgram::fromImage({"04 00 01", "05"}, 5), {});
        QCOMPARE(r.end, EndReason::Koniec);
        // The same bytes without line boundaries, as the emulator holds them.
        r = simulate(DecodedProgram::fromBytes(QByteArray::fromHex("07000A04FFFB05"), 5), {});
        QCOMPARE(r.end, EndReason::Loop);
        QCOMPARE(r.periodS, 0.01);
    }

    void faultsNameTheLine() {
        SimulationResult r = run({QStringLiteral("Prędkość min(100,00) pps"),
                                  QStringLiteral("Znajdź pozycję(100)"), QStringLiteral("Koniec")});
        QCOMPARE(r.end, EndReason::Error);
        QCOMPARE(r.errorLine, 2);
        QVERIFY(r.error.startsWith(QStringLiteral("Błąd w linii 2 (Znajdź pozycję)")));
        r = simulate(DecodedProgram::fromImage({"03", "05"}, 5), {});
        QCOMPARE(r.end, EndReason::Error);
        QVERIFY2(r.error.contains(QStringLiteral("03h")), qPrintable(r.error));
        r = simulate(DecodedProgram::fromImage({"07 00 0A"}, 5), {});
        QCOMPARE(r.end, EndReason::Error);
        QCOMPARE(r.errorLine, 1);
        r = run({QStringLiteral("Czekaj[ms](70000)"), QStringLiteral("Koniec")});
        QCOMPARE(r.end, EndReason::Error);
        QCOMPARE(r.errorLine, 1);
    }

    void limitsEndTheRun() {
        SimulationOptions options;
        options.maxSteps = 1000;
        SimulationResult r =
            run({QStringLiteral("Ustaw licznik powtórzeń(65535)"), QStringLiteral("Czekaj[ms](1)"),
                 QStringLiteral("Skocz jeśli licz. powt.(2)"), QStringLiteral("Koniec")},
                options);
        QCOMPARE(r.end, EndReason::StepLimit);
        QCOMPARE(r.steps, 1000);
        QCOMPARE(r.timeS, 0.5);
        r = run({QStringLiteral("Czekaj[s](5000)"), QStringLiteral("Koniec")});
        QCOMPARE(r.end, EndReason::TimeLimit);
        QCOMPARE(r.timeS, 3600.0);
        // A move cut by the limit stops where the motor is then.
        options = {};
        options.maxTimeS = 1;
        r = run(kSettings +
                    QStringList{QStringLiteral("Znajdź pozycję(10000)"), QStringLiteral("Koniec")},
                options);
        QCOMPARE(r.end, EndReason::TimeLimit);
        QCOMPARE(r.timeS, 1.0);
        QVERIFY(r.position > 0 && r.position < 10000);
    }

    void outputsAndEnableAreTraced() {
        const SimulationResult r =
            run({QStringLiteral("Enable/Disable(High)"), QStringLiteral("Ustaw wyjście(7)(1)"),
                 QStringLiteral("Czekaj[ms](100)"), QStringLiteral("Wyjścia(1,0,0,0,0,0,0,1)"),
                 QStringLiteral("Koniec")});
        QCOMPARE(r.end, EndReason::Koniec);
        QCOMPARE(r.trace.outputs.size(), size_t(4));
        QCOMPARE(r.trace.outputs[1].enable, true);
        QCOMPARE(int(r.trace.outputs[2].outputs), 0x80); // PK 1
        QCOMPARE(r.trace.outputs[3].timeS, 0.1);
        QCOMPARE(int(r.trace.outputs[3].outputs), 0x41); // OUT 1, PK 2
    }

    void textAndJson() {
        const SimulationResult r =
            run({QStringLiteral("Czekaj[ms](1500)"), QStringLiteral("Koniec")});
        QCOMPARE(QString::fromUtf8(resultJson(r)),
                 QStringLiteral("{\"end\":\"koniec\",\"line_counts\":{\"1\":1,\"2\":1},"
                                "\"position\":0,\"steps\":2,\"time_s\":1.5}"));
        QVERIFY(summaryText(r).startsWith(
            QStringLiteral("Program kończy się poleceniem Koniec po 1,500000 s.")));
        InputChange c;
        QString error;
        QVERIFY(parseInputSwitch(QStringLiteral("3=1@2,5"), &c, &error));
        QCOMPARE(c.input, 3);
        QCOMPARE(c.state, true);
        QCOMPARE(c.timeS, 2.5);
        QVERIFY(!parseInputSwitch(QStringLiteral("0=1@1"), &c, &error));
        QVERIFY(!parseInputSwitch(QStringLiteral("1=2@1"), &c, &error));
        QVERIFY(!parseInputSwitch(QStringLiteral("1=1"), &c, &error));
        QVERIFY(!parseInputSwitch(QStringLiteral("1=1@-3"), &c, &error));
    }
};

QTEST_GUILESS_MAIN(TestSimulator)
#include "tst_simulator.moc"
