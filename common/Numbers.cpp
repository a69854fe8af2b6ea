#include "Numbers.h"

#include <cmath>
#include <cstdint>
#include <string>
#include <vector>

namespace korven {

Real roundHalfEven(Real value) {
    // nearbyintl rounds in the current mode; the default mode rounds ties to even.
    return std::nearbyintl(value);
}

namespace {

// The exact decimal digits of a finite non-negative value, without the C library,
// whose conversions follow LC_NUMERIC: a binary fraction m * 2^e has a finite decimal
// expansion, m * 5^k / 10^k for e = -k. Digits come back as one string with the
// position of the decimal point.
struct Digits {
    std::string digits; // most significant first, at least one
    int point = 0;      // number of integer digits
};

// A natural number in base 10^9, least significant limb first.
using Limbs = std::vector<std::uint32_t>;
constexpr std::uint32_t kLimbBase = 1000000000;

void multiply(Limbs *n, std::uint32_t factor) {
    std::uint64_t carry = 0;
    for (std::uint32_t &limb : *n) {
        const std::uint64_t x = std::uint64_t(limb) * factor + carry;
        limb = std::uint32_t(x % kLimbBase);
        carry = x / kLimbBase;
    }
    while (carry != 0) {
        n->push_back(std::uint32_t(carry % kLimbBase));
        carry /= kLimbBase;
    }
}

std::string decimalText(const Limbs &n) {
    std::string text = std::to_string(n.back());
    for (auto it = n.rbegin() + 1; it != n.rend(); ++it) {
        const std::string limb = std::to_string(*it);
        text.append(9 - limb.size(), '0');
        text += limb;
    }
    return text;
}

Digits exactDigits(Real a) {
    int exponent = 0;
    const Real fraction = std::frexp(a, &exponent); // a = fraction * 2^exponent
    // 64 bits hold the whole mantissa of every long double format in use.
    std::uint64_t mantissa = std::uint64_t(std::ldexp(fraction, 64));
    int e = exponent - 64;
    while (mantissa != 0 && (mantissa & 1) == 0 && e < 0) {
        mantissa >>= 1;
        ++e;
    }
    Limbs n = {std::uint32_t(mantissa % kLimbBase)};
    if (mantissa >= kLimbBase) {
        n.push_back(std::uint32_t(mantissa / kLimbBase % kLimbBase));
        if (mantissa / kLimbBase >= kLimbBase)
            n.push_back(std::uint32_t(mantissa / kLimbBase / kLimbBase));
    }
    Digits d;
    if (e >= 0) {
        for (; e >= 29; e -= 29)
            multiply(&n, 1u << 29);
        multiply(&n, 1u << e);
        d.digits = decimalText(n);
        d.point = int(d.digits.size());
        return d;
    }
    const int k = -e;
    for (int i = k; i > 0; i -= 13)
        multiply(&n, i >= 13 ? 1220703125u : std::uint32_t(std::pow(5.0, i))); // 5^13
    d.digits = decimalText(n);
    if (int(d.digits.size()) <= k)
        d.digits.insert(0, std::size_t(k + 1 - int(d.digits.size())), '0');
    d.point = int(d.digits.size()) - k;
    return d;
}

// Keeps the digits before position cut, rounding half away from zero on the exact
// digits that follow (a '5' or more is at least one half).
void roundAt(Digits *d, int cut) {
    if (cut < 0 || cut >= int(d->digits.size()))
        return;
    const bool up = d->digits[std::size_t(cut)] >= '5';
    d->digits.resize(std::size_t(cut));
    if (int(d->digits.size()) < d->point)
        d->digits.append(std::size_t(d->point) - d->digits.size(), '0');
    if (!up)
        return;
    int i = cut - 1;
    for (; i >= 0 && d->digits[std::size_t(i)] == '9'; --i)
        d->digits[std::size_t(i)] = '0';
    if (i >= 0) {
        ++d->digits[std::size_t(i)];
    } else {
        d->digits.insert(0, 1, '1');
        ++d->point;
    }
}

// The original program printed extended values with 18 significant digits and
// rounded those half away from zero to the decimals asked.
constexpr int kSignificantDigits = 18;

} // namespace

QString formatFixed(Real value, int decimals) {
    if (std::isnan(value))
        return QStringLiteral("nan");
    if (std::isinf(value))
        return value < 0 ? QStringLiteral("-inf") : QStringLiteral("inf");
    decimals = qBound(0, decimals, 40);
    const Real a = std::fabs(value);
    Digits d;
    if (a < std::pow(Real(10), -(decimals + 2))) {
        d.digits = "0"; // rounds to zero at any of the decimals asked
        d.point = 1;
    } else {
        d = exactDigits(a);
        const std::size_t first = d.digits.find_first_not_of('0');
        roundAt(&d, int(first) + kSignificantDigits);
        roundAt(&d, d.point + decimals);
    }
    d.digits.append(std::size_t(qMax(0, d.point + decimals - int(d.digits.size()))), '0');
    std::string integer = d.digits.substr(0, std::size_t(d.point));
    const std::size_t nonZero = integer.find_first_not_of('0');
    integer = nonZero == std::string::npos ? std::string("0") : integer.substr(nonZero);
    const std::string fraction = d.digits.substr(std::size_t(d.point), std::size_t(decimals));
    const bool zero =
        nonZero == std::string::npos && fraction.find_first_not_of('0') == std::string::npos;
    QString text = QString::fromLatin1(integer.c_str());
    if (decimals > 0)
        text += QLatin1Char(',') + QString::fromLatin1(fraction.c_str());
    if (std::signbit(value) && !zero)
        text.prepend(QLatin1Char('-'));
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

QString groupDigits(const QString &number) {
    const qsizetype sign = number.startsWith(QLatin1Char('-')) ? 1 : 0;
    qsizetype end = number.indexOf(QLatin1Char(','));
    if (end < 0)
        end = number.size();
    QString grouped = number;
    for (qsizetype at = end - 3; at > sign; at -= 3)
        grouped.insert(at, QLatin1Char(' '));
    return grouped;
}

} // namespace korven
