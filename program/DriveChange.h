#pragma once

#include "DriveSettings.h"

#include <QString>
#include <QStringList>

namespace korven {

// A finished program moved to another driver or microstep depth keeps its lines: speeds
// and accelerations are written in steps/s and steps/s², so they mean what they meant;
// only their register values are compiled anew. Some values the new driver cannot run as
// written.

// One text for each line whose speed lies outside the driver's range or whose
// acceleration is not one of the driver's list ("Linia 3: …"), in program order.
QStringList valuesOutsideDrive(const QStringList &lines, const DriveSettings &drive);

// The one message that lists them after the change; empty when there are none.
QString driveChangeMessage(const QStringList &outside);

} // namespace korven
