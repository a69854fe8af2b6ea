#include "Numbers.h"

#include <cfenv>
#include <cmath>
#include <cstdio>

namespace korven {

Real roundHalfEven(Real value) {
    // nearbyintl rounds in the current mode; the default mode rounds ties to even.
    return std::nearbyintl(value);
}

QString formatFixed(Real value, int decimals) {
    char buffer[128];
    std::snprintf(buffer, sizeof buffer, "%.*Lf", decimals, value);
    QString text = QString::fromLatin1(buffer);
    // The C library may follow the process locale; the program always writes a comma.
    for (QChar &ch : text) {
        if (ch == QLatin1Char('.'))
            ch = QLatin1Char(',');
    }
    if (text.startsWith(QLatin1Char('-'))) {
        bool allZero = true;
        for (int i = 1; i < text.size(); ++i)
            allZero = allZero && (text[i] == QLatin1Char('0') || text[i] == QLatin1Char(','));
        if (allZero)
            text.remove(0, 1);
    }
    return text;
}

Real parseDecimal(const QString &text, bool *ok) {
    *ok = false;
    const QString t = text.trimmed();
    int i = 0;
    bool negative = false;
    if (i < t.size() && (t[i] == QLatin1Char('-') || t[i] == QLatin1Char('+')))
        negative = t[i++] == QLatin1Char('-');
    // All digits form one integer mantissa, divided once by the power of ten of the
    // fraction: the result is the correctly rounded extended value for up to 19 digits.
    Real mantissa = 0;
    Real scale = 1;
    int digits = 0;
    bool separatorSeen = false;
    for (; i < t.size(); ++i) {
        const char16_t c = t[i].unicode();
        if (c >= '0' && c <= '9') {
            mantissa = mantissa * 10 + (c - '0');
            if (separatorSeen)
                scale *= 10;
            ++digits;
        } else if ((c == ',' || c == '.') && !separatorSeen) {
            separatorSeen = true;
        } else {
            return 0;
        }
    }
    if (digits == 0 || digits > 40)
        return 0;
    *ok = true;
    const Real value = mantissa / scale;
    return negative ? -value : value;
}

qint64 parseInteger(const QString &text, bool *ok) {
    *ok = false;
    const QString t = text.trimmed();
    int i = 0;
    bool negative = false;
    if (i < t.size() && (t[i] == QLatin1Char('-') || t[i] == QLatin1Char('+')))
        negative = t[i++] == QLatin1Char('-');
    if (i == t.size())
        return 0;
    qint64 value = 0;
    for (; i < t.size(); ++i) {
        const char16_t c = t[i].unicode();
        if (c < '0' || c > '9')
            return 0;
        if (value > (Q_INT64_C(999999999999999999) - (c - '0')) / 10)
            return 0; // far beyond any field of the device
        value = value * 10 + (c - '0');
    }
    *ok = true;
    return negative ? -value : value;
}

} // namespace korven
