#pragma once

#include "StartupArguments.h"

namespace korven {

class TMainForm;
class TProgForm;

// The window's share of start-up, after the splash: the serial port, the preview window
// with the one-line program, the window shown, then the program file of the command line
// opened from the event loop (so that a message about it comes up over the window).
void startMainWindow(TMainForm &mainForm, TProgForm &progForm, const StartupArguments &arguments);

} // namespace korven
