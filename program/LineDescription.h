#pragma once

#include "DriveSettings.h"

#include <QString>
#include <QStringList>

namespace korven {

// What line index does, in plain Polish, made from its fields and the drive: "Czekaj 300
// ms", "Jedź do pozycji 20 000 kroków", "OUT 1 = wł.". Speeds and accelerations add the
// value the device really runs once a driver is chosen; a jump names its target line and
// that line's comment.
QString describeLine(const QStringList &lines, int index, const DriveSettings &drive);

} // namespace korven
