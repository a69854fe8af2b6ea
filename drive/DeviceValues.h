#pragma once

#include <QString>

namespace korven {

// What the device really runs for a value written in a program line: the register value
// converted back, and whether the driver can run the value at all.
struct DeviceValue {
    long double value = 0; // steps/s or steps/s²
    bool fits = false;     // within the driver's speed range or acceleration list
};

// The velocity register value back in steps/s; fits when the written speed (its magnitude
// when signed) lies within the driver's range.
DeviceValue deviceSpeed(long double stepsPerSecond, bool isSigned, int pulsDiv, int vmax);
// The acceleration register value back in steps/s²; fits when it is one of the list's
// 2047 values, the nearest one being taken.
DeviceValue deviceAcceleration(long double stepsPerSecondSquared, int pulsDiv);

// "15 617,37": two decimals with grouped digits.
QString groupedValue(long double value);
// "(7,63..15 617,37)" and, signed, "(±7,63..±15 617,37)".
QString speedRangeText(bool isSigned, int pulsDiv, int vmax);
// "(232,83..476 604,33)"
QString accelerationRangeText(int pulsDiv);

} // namespace korven
