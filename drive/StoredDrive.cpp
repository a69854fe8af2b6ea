#include "StoredDrive.h"

namespace korven {

DriverSelection selectionForStoredIndexes(std::optional<int> modelIndex,
                                          std::optional<int> depthIndex,
                                          const DriveSettings &held) {
    DriverSelection selection;
    selection.applyIndexes(modelIndex.value_or(held.ModelIndex),
                           depthIndex.value_or(held.DepthIndex));
    return selection;
}

} // namespace korven
