#include "SpeedUnits.h"

#include "Numbers.h"

#include <cmath>

namespace korven::speed {

long double unit(int pulsDiv) { return 15625.0L / (64.0L * std::ldexp(1.0L, pulsDiv)); }

long double minimum(int pulsDiv) { return unit(pulsDiv); }

long double maximum(int pulsDiv, int vmax) { return vmax * unit(pulsDiv); }

long double stepsPerRevolution(long double glPodz) { return glPodz * 200; }

qint64 SpeedToVReg(long double stepsPerSecond, int pulsDiv) {
    const long double v = roundHalfEven(stepsPerSecond * std::ldexp(1.0L, pulsDiv) * 64 / 15625);
    if (!(std::fabs(v) < 1e15L))
        return v < 0 ? Q_INT64_C(-1000000000000000) : Q_INT64_C(1000000000000000);
    return qint64(v);
}

QString text(long double value) { return formatFixed(value, 2); }

QString rangeText(bool isSigned, long double min, long double max) {
    const QString sign = isSigned ? QStringLiteral("±") : QString();
    return QStringLiteral("(%1%2..%1%3)").arg(sign, text(min), text(max));
}

bool inRange(bool isSigned, long double value, long double min, long double max) {
    const long double v = isSigned ? std::fabs(value) : value;
    return v >= min && v <= max;
}

} // namespace korven::speed
