#pragma once

#include "SimulationTypes.h"

#include <QByteArray>
#include <QStringList>

namespace korven::sim {

// "N=S@T": input N (1..8) takes state S (0/1) at T seconds. False with a message.
bool parseInputSwitch(const QString &text, InputChange *change, QString *error);

// A decimal with the comma, as the window shows numbers.
QString decimal(double value, int decimals);

// The "end" key of the JSON object.
QString endKey(EndReason end);
// How the run ended, the time (or loop period), the final position and the count of
// executed commands, in words.
QString summaryText(const SimulationResult &result);
// One executed command: time, line number, position, velocity and the line's text.
QString commandText(const ExecutedCommand &command, const QStringList &lines);
// The text of program line number `line` (1-based) after its number field, or empty.
QString lineBody(const QStringList &lines, int line);
// The one JSON object of "korven-cli simulate --json".
QByteArray resultJson(const SimulationResult &result);

} // namespace korven::sim
