#pragma once

#include <QList>
#include <QMap>
#include <QString>

#include <vector>

namespace korven::sim {

// Input n (1..8) takes state (0/1) at timeS seconds; all inputs start off.
struct InputChange {
    int input = 1;
    bool state = false;
    double timeS = 0;
};

struct SimulationOptions {
    QList<InputChange> inputs;
    double homeAt = 0; // where the home switch is, in steps
    double maxTimeS = 3600;
    qint64 maxSteps = 10000000; // executed commands
    int traceLimit = 100000;    // executed commands and motion points kept for showing
};

// Wait: the program polls for ever with no input change to come.
enum class EndReason { Koniec, Loop, TimeLimit, StepLimit, Error, Wait };

// One executed command, with the state at the moment it began.
struct ExecutedCommand {
    double timeS;
    int line; // 1-based program line
    double position;
    double velocity;
};

// A corner of the motion: between two points the acceleration is constant.
struct MotionPoint {
    double timeS;
    double position;
    double velocity;
};

// The outputs (device bit order: OUT 1..6, PK 2, PK 1) and Enable from timeS on.
struct OutputState {
    double timeS;
    quint8 outputs;
    bool enable;
};

struct SimulationTrace {
    std::vector<ExecutedCommand> commands;
    std::vector<MotionPoint> motion;
    std::vector<OutputState> outputs;
    qint64 commandsLeftOut = 0; // executed beyond traceLimit
};

// How often a program line ran, and when it ran first and last.
struct LineStats {
    qint64 count = 0;
    double firstS = 0;
    double lastS = 0;
    // The mean time between two runs of the line: the cycle time of its loop.
    double meanIntervalS() const { return count > 1 ? (lastS - firstS) / double(count - 1) : 0; }
};

struct SimulationResult {
    EndReason end = EndReason::Error;
    double timeS = 0;       // at the end, at the first repetition of a loop, or when the
                            // endless wait began
    double periodS = 0;     // loops only
    qint64 periodSteps = 0; // loops only: commands in one period
    int waitLine = 0;       // endless wait: the line of the waiting jump
    int waitInput = 0;      // endless wait: the input it polls (1..8), 0 when none
    double position = 0;
    double velocity = 0;
    qint64 steps = 0;
    QMap<int, qint64> lineCounts; // program line -> times executed
    QMap<int, LineStats> lineStats;
    QString error;
    int errorLine = 0;
    SimulationTrace trace;
};

} // namespace korven::sim
