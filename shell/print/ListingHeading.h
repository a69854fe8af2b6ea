#pragma once

#include "DriveSettings.h"

#include <QDateTime>
#include <QString>

namespace korven {

// The rows under the listing's title: the program's file, when it was printed, and the
// driver with its microstep depth, so that a printout says which program it is and for
// which drive its speeds were compiled.
QString listingHeading(const QString &filePath, const QDateTime &printed,
                       const DriveSettings &drive);

} // namespace korven
