#pragma once

#include "DecodedProgram.h"
#include "SimulationTypes.h"

namespace korven::sim {

// Runs a program to its end, to a loop (found with its first repetition and its exact
// period), to an endless wait or to a limit.
SimulationResult simulate(const DecodedProgram &program, const SimulationOptions &options);

} // namespace korven::sim

#include "DriveSettings.h"

namespace korven::sim {

// Compiles the program lines as the window does and simulates the image; a compile
// error ends the run as an error naming its line.
SimulationResult simulateProgram(const QStringList &lines, const DriveSettings &drive,
                                 const SimulationOptions &options);

} // namespace korven::sim
