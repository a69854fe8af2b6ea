#pragma once

#include "DecodedProgram.h"
#include "DriveSettings.h"
#include "SimulationTypes.h"

#include <QSet>
#include <QStringList>

#include <memory>
#include <optional>

namespace korven::sim {

class Simulator;

// The machine at the current moment of a paused run, as the watch panel shows it.
struct WatchValues {
    double timeS = 0;
    double position = 0;          // steps
    double velocity = 0;          // steps/s
    std::optional<double> target; // the velocity mode's target, steps/s
    quint32 counter = 0;
    quint8 outputs = 0; // device bits: OUT 1..6, PK 2, PK 1
    bool enable = false;
    quint8 inputs = 0; // bit n - 1 for IN n, from the input schedule
    // The settings in steps/s and steps/s^2 with their register values, once set.
    struct Setting {
        double value = 0;
        int reg = 0;
    };
    std::optional<Setting> vmin, vmax, accel;
};

// The program run step by step, from the same image the device gets: the whole run (for
// the plots and the summary) and a second run that pauses after a command, at
// breakpoints or at a line. Both follow one model, so running on to the end gives the
// whole run's outcome.
class SteppingSession {
public:
    enum class State { Idle, Paused, Ended };
    // Why the run paused last.
    enum class Stop { None, Start, Step, Breakpoint, Cursor, Repeat, End };

    SteppingSession(const QStringList &lines, const DriveSettings &drive,
                    const SimulationOptions &options);
    ~SteppingSession();
    SteppingSession(const SteppingSession &) = delete;
    SteppingSession &operator=(const SteppingSession &) = delete;

    const SimulationResult &wholeRun() const { return m_whole; }
    // False when the program does not compile: there is nothing to step through.
    bool canStart() const { return m_program.has_value(); }
    State state() const;
    Stop lastStop() const { return m_stop; }
    // Paused, or idle with a program: a step or a run can follow.
    bool canGoOn() const;

    // Back to the start, paused before the first command.
    void restart();
    // One command; from idle, the start, paused before the first command.
    void step();
    // Runs to the next command on one of breakpointLines or on cursorLine (1-based; 0 for
    // none) or to the end; from idle the first command may be the one. In an endless loop
    // the run pauses when a whole period has passed with none of them: none will come.
    void runTo(const QSet<int> &breakpointLines, int cursorLine = 0);

    // The line of the command about to run (where the run ended, once ended), 0 idle.
    int currentLine() const;
    double time() const;
    WatchValues watch() const;
    // The run as far as it went; a pause at the loop's repetition reads as the loop.
    SimulationResult result() const;

private:
    bool start();

    SimulationOptions m_options;
    std::optional<DecodedProgram> m_program;
    SimulationResult m_whole;
    std::unique_ptr<Simulator> m_sim;
    Stop m_stop = Stop::None;
};

} // namespace korven::sim
