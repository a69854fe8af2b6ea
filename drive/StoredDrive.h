#pragma once

#include "DriverSelection.h"

#include <optional>

namespace korven {

// The driver selection a program file asks for: its model and depth indexes, or the
// ones held so far where the file's line is missing or not a number.
DriverSelection selectionForStoredIndexes(std::optional<int> modelIndex,
                                          std::optional<int> depthIndex, const DriveSettings &held);

} // namespace korven
