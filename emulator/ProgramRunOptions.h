#pragma once

#include "SimulationTypes.h"

class QCommandLineParser;

namespace korven::emu {

// How the emulator plays a started program: on the simulator, reporting its end after
// the simulated run time multiplied by timeScale.
struct ProgramRunOptions {
    QList<sim::InputChange> inputs;
    double homeAt = 0;
    double timeScale = 1;
};

void addProgramRunOptions(QCommandLineParser &parser);
// False with a message for the user when a switch is malformed.
bool programRunOptions(const QCommandLineParser &parser, ProgramRunOptions *options,
                       QString *error);

} // namespace korven::emu
