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

enum class EndReason { Koniec, Loop, TimeLimit, StepLimit, Error };

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

struct SimulationResult {
    EndReason end = EndReason::Error;
    double timeS = 0;   // at the end, or at the first repetition of a loop
    double periodS = 0; // loops only
    double position = 0;
    double velocity = 0;
    qint64 steps = 0;
    QMap<int, qint64> lineCounts; // program line -> times executed
    QString error;
    int errorLine = 0;
    SimulationTrace trace;
};

} // namespace korven::sim
