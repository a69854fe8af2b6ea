#pragma once

#include <QString>
#include <QtGlobal>

namespace korven {

// Speeds in steps/s and the device's velocity register values.
namespace speed {

// Steps/s of one velocity unit: 15625 / (64 * 2^PulsDiv).
long double unit(int pulsDiv);
long double minimum(int pulsDiv);
long double maximum(int pulsDiv, int vmax);
// Steps per motor revolution: 200 full steps times the microstep depth.
long double stepsPerRevolution(long double glPodz);

// Round(v * 2^PulsDiv * 64 / 15625), ties to even.
qint64 SpeedToVReg(long double stepsPerSecond, int pulsDiv);

// "%.2f" with the decimal comma.
QString text(long double value);
// "(7,63..15617,37)" or, signed, "(±7,63..±15617,37)".
QString rangeText(bool isSigned, long double min, long double max);
// Whether a value (its magnitude when signed) lies within [min, max].
bool inRange(bool isSigned, long double value, long double min, long double max);

} // namespace speed
} // namespace korven
