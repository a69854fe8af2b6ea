#include "DeviceValues.h"

#include "Acceleration.h"
#include "Numbers.h"
#include "SpeedUnits.h"

namespace korven {

DeviceValue deviceSpeed(long double stepsPerSecond, bool isSigned, int pulsDiv, int vmax) {
    const qint64 v = speed::SpeedToVReg(stepsPerSecond, pulsDiv);
    return {v * speed::unit(pulsDiv),
            speed::inRange(isSigned, stepsPerSecond, speed::minimum(pulsDiv),
                           speed::maximum(pulsDiv, vmax))};
}

DeviceValue deviceAcceleration(long double stepsPerSecondSquared, int pulsDiv) {
    const long long aMax = accel::aMaxFromValue(stepsPerSecondSquared, pulsDiv);
    return {aMax * accel::AccelUnit(pulsDiv), aMax >= 1 && aMax <= accel::kEntries};
}

QString groupedValue(long double value) { return groupDigits(formatFixed(value, 2)); }

QString speedRangeText(bool isSigned, int pulsDiv, int vmax) {
    const QString sign = isSigned ? QStringLiteral("±") : QString();
    return QStringLiteral("(%1%2..%1%3)")
        .arg(sign, groupedValue(speed::minimum(pulsDiv)),
             groupedValue(speed::maximum(pulsDiv, vmax)));
}

QString accelerationRangeText(int pulsDiv) {
    const long double unit = accel::AccelUnit(pulsDiv);
    return QStringLiteral("(%1..%2)").arg(groupedValue(unit), groupedValue(accel::kEntries * unit));
}

} // namespace korven
