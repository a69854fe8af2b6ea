#pragma once

#include "DecodedProgram.h"
#include "SimulationTypes.h"

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
class Simulator {
public:
    enum class Status { Running, Sampled, LoopFound, Ended };

    Simulator(const DecodedProgram &program, const SimulationOptions &options,
              SimulationTrace *trace);

    // Runs until the run ends, until the sampleLimit-th jump state is reached (states are
    // sampled at jumps once no input change is pending), or, with watchForLoop, until
    // a sampled state repeats (Brent's cycle search: the period in samples).
    Status run(qint64 sampleLimit, bool watchForLoop);

    const MachineState &state() const { return m_s; }
    double time() const { return m_nanoseconds * 1e-9 + m_motionSeconds; }
    qint64 steps() const { return m_steps; }
    qint64 samples() const { return m_samples; }
    qint64 loopSamples() const { return m_brentLambda; }
    EndReason end() const { return m_end; }
    const QString &error() const { return m_error; }
    int errorLine() const { return m_errorLine; }
    QMap<int, qint64> lineCounts() const;

private:
    bool step();
    bool fail(const Instruction &in, const QString &what);
    void applyInputs();
    bool passTime(double seconds, qint64 exactNanoseconds);
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
    EndReason m_end = EndReason::Koniec;
    bool m_ended = false;
    QString m_error;
    int m_errorLine = 0;
    // Brent's cycle search.
    MachineState m_saved;
    qint64 m_brentPower = 1, m_brentLambda = 0;
    bool m_haveSaved = false;
};

} // namespace korven::sim
