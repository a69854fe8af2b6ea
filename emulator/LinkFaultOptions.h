#pragma once

class QCommandLineParser;

namespace korven::emu {

struct Faults;

// The fault switches of a noisy line and of a device that holds a wrong byte.
void addLinkFaultOptions(QCommandLineParser &parser);
void readLinkFaultOptions(const QCommandLineParser &parser, Faults *faults);

} // namespace korven::emu
