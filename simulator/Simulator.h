#pragma once

#include "DecodedProgram.h"
#include "SimulationTypes.h"

#include <cmath>
#include <limits>

namespace korven::sim {

// Everything that decides how a run goes on from a jump; two runs that meet in equal
// states (with no input change pending) go on alike for ever.
struct MachineState {
    int pc = 0;
    quint32 counter = 0;
    double position = 0; // what the position counter reads
    double velocity = 0;
    double target = 0; // velocity mode: the velocity being ramped to
    bool velocityMode = false;
    double home = 0; // the home switch, in the counter's coordinates
    double vmin = 0, vmax = 0, accel = 0;
    quint8 settings = 0; // bits: vmin, vmax, acceleration set
    quint8 outputs = 0;
    bool enable = false;

    bool sameAs(const MachineState &o) const;
};

// Executes a decoded program command by command, keeping simulated time.
//
// A cycle of commands that takes no time is a busy wait: when the state at a jump repeats
// with no time passed, time passes at once to the next scheduled input change (the
// velocity mode goes on meanwhile); with none to come the run ends waiting for ever.
class Simulator {
public:
    enum class Status { Running, Sampled, LoopFound, Ended, Paused };

    Simulator(const DecodedProgram &program, const SimulationOptions &options,
              SimulationTrace *trace);

    // Runs until the run ends, until the sampleLimit-th jump state is reached (states are
    // sampled at jumps once no input change is pending), or, with watchForLoop, until
    // a sampled state that took time repeats (Brent's cycle search: the period in samples).
    Status run(qint64 sampleLimit, bool watchForLoop);
    // Step by step: runs until the run ends, until stepLimit commands have run in all, or
    // until the command about to run is marked in stopBefore (one flag per instruction;
    // the first command of the call always runs).
    Status runSteps(qint64 stepLimit, const std::vector<char> *stopBefore);

    const MachineState &state() const { return m_s; }
    double time() const { return m_nanoseconds * 1e-9 + m_motionSeconds; }
    qint64 steps() const { return m_steps; }
    qint64 samples() const { return m_samples; }
    qint64 loopSamples() const { return m_brentLambda; }
    bool ended() const { return m_ended; }
    EndReason end() const { return m_end; }
    const QString &error() const { return m_error; }
    int errorLine() const { return m_errorLine; }
    int waitLine() const { return m_waitLine; }
    int waitInput() const { return m_waitInput; }
    // The program line of the command about to run, 0 for none.
    int currentLine() const;
    // The inputs (bit n - 1 for IN n) as the schedule has them at the current time.
    quint8 inputsNow() const;
    // The command that last set vmin (0), vmax (1) or the acceleration (2), or null.
    const Instruction *lastSetting(int which) const;
    QMap<int, qint64> lineCounts() const;
    QMap<int, LineStats> lineStats() const;
    // The run so far as a result: end, time, position, counts (the trace apart).
    void fillResult(SimulationResult &result) const;

private:
    bool step();
    bool fail(const Instruction &in, const QString &what);
    void applyInputs();
    void applyInputsUpTo(double seconds);
    // Before a jump: pending inputs and the busy-wait check; false when the run ended.
    bool beforeJump(const Instruction &in);
    bool busyWait(const Instruction &in);
    bool passTime(double seconds, qint64 exactNanoseconds);
    void coast(double span);
    bool piece(double seconds, double acceleration);
    bool move(const Instruction &in, double to, double cruise);
    bool requireSettings(const Instruction &in);
    void point();
    void outputsChanged();

    const std::vector<Instruction> &m_code;
    const SimulationOptions &m_options;
    SimulationTrace *m_trace;
    std::vector<InputChange> m_inputs;
    size_t m_nextInput = 0;
    quint8 m_inputState = 0;
    MachineState m_s;
    qint64 m_nanoseconds = 0;   // waits, exact
    double m_motionSeconds = 0; // moves and ramps
    double m_pieceStart = 0;    // time within the current command's motion
    qint64 m_steps = 0;
    qint64 m_samples = 0;
    std::vector<qint64> m_counts;
    std::vector<double> m_firstTime, m_lastTime;
    int m_settingAt[3] = {-1, -1, -1};
    EndReason m_end = EndReason::Koniec;
    bool m_ended = false;
    QString m_error;
    int m_errorLine = 0;
    // The jump about to run has been checked (a run may pause at it and resume).
    bool m_jumpChecked = false;
    // Brent's cycle search over states that take time.
    MachineState m_saved;
    double m_savedTime = 0;
    qint64 m_brentPower = 1, m_brentLambda = 0;
    bool m_haveSaved = false;
    // Brent's cycle search within a stretch of commands that take no time.
    qint64 m_stillNanoseconds = 0;
    double m_stillMotion = std::numeric_limits<double>::quiet_NaN();
    MachineState m_still;
    qint64 m_stillSteps = 0;
    qint64 m_stillPower = 1, m_stillLambda = 0;
    // The last input poll, for naming what an endless wait waits for.
    int m_lastPoll = -1;
    qint64 m_lastPollStep = -1;
    int m_waitLine = 0, m_waitInput = 0;
};

} // namespace korven::sim
