#include "Acceleration.h"

#include "Numbers.h"

#include <cmath>

namespace korven::accel {

long double AccelUnit(int pulsDiv) {
    // 5^12 as the original single-precision constant: 244140624, not 244140625.
    return 244140624.0L / std::ldexp(1.0L, 2 * pulsDiv + 10);
}

long double roundedUnit(int pulsDiv) {
    // Every compiled acceleration line asks; formatting is costly, the drivers few.
    static long double cache[16] = {};
    const bool cacheable = pulsDiv >= 0 && pulsDiv < 16;
    if (cacheable && cache[pulsDiv] != 0)
        return cache[pulsDiv];
    bool ok = false;
    const long double u2 = parseDecimal(formatFixed(AccelUnit(pulsDiv), 2), &ok);
    if (cacheable)
        cache[pulsDiv] = u2;
    return u2;
}

QStringList listTexts(long double unit) {
    QStringList texts;
    texts.reserve(kEntries);
    for (int k = 1; k <= kEntries; ++k)
        texts.append(formatFixed(k * unit, 2));
    return texts;
}

QString rangeText(long double unit) {
    return QStringLiteral("(%1..%2)").arg(formatFixed(unit, 2), formatFixed(kEntries * unit, 2));
}

PMulPDiv FindPMulPDiv(long long aMax, int rampDiv, int pulsDiv, long double reduction) {
    PMulPDiv r;
    r.PIdeal = aMax / (128.0L * std::ldexp(1.0L, rampDiv - pulsDiv));
    const long double factor = 1.0L - reduction;
    r.PReduced = r.PIdeal * factor;
    long double power = 1; // 2^i, exact
    for (int i = 0; i <= 13; ++i, power *= 2) {
        const long double m = std::trunc(r.PReduced * 8 * power);
        if (m >= 128 && m <= 255) {
            r.PMul = int(m);
            r.PDiv = i;
        }
    }
    r.PBest = r.PMul / std::ldexp(1.0L, r.PDiv + 3);
    return r;
}

int nearestEntry(long double stepsPerSecondSquared, int pulsDiv) {
    const long double k = roundHalfEven(stepsPerSecondSquared / AccelUnit(pulsDiv));
    if (!(k >= 1)) // NaN too
        return 1;
    return k > kEntries ? kEntries : int(k);
}

long long aMaxFromValue(long double stepsPerSecondSquared, int pulsDiv) {
    const long double q = roundHalfEven(stepsPerSecondSquared / roundedUnit(pulsDiv));
    if (!(std::fabs(q) < 1e15L))
        return q < 0 ? -1000000000000000LL : 1000000000000000LL;
    return (long long)q;
}

} // namespace korven::accel
