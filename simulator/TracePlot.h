#pragma once

#include "SimulationTypes.h"

#include <QList>
#include <QPointF>

namespace korven::sim {

// The curves the simulation window draws, from a run's trace.

// x(t): the motion corners, with points inside the ramps (the position is quadratic
// there), continued to the end of the run.
QList<QPointF> positionCurve(const SimulationResult &result, int pointsPerRamp = 8);
// v(t): straight between the corners.
QList<QPointF> velocityCurve(const SimulationResult &result);
// An output (device bit 0..7) or, for bit 8, Enable as a step trace from base to base + 1.
QList<QPointF> stepTrace(const SimulationResult &result, int bit, double base);
// Whether the output (or Enable, bit 8) is ever on.
bool everOn(const SimulationResult &result, int bit);
// The name of device output bit 0..7 as the window shows it ("OUT 1".."OUT 6", "PK 2",
// "PK 1"), "Enable" for 8.
QString outputName(int bit);

} // namespace korven::sim
