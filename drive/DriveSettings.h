#pragma once

namespace korven {

// The driver choice of the program and the values derived from it.
struct DriveSettings {
    int ModelIndex = 0;
    int DepthIndex = 0;
    int PulsDiv = 0;
    int Vmax = 0;
    long double GlPodz = 0;
};

} // namespace korven
