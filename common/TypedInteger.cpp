#include "TypedInteger.h"

namespace korven {
namespace {

bool isSignedDigits(const QString &text) {
    int start = 0;
    if (text.startsWith(QLatin1Char('+')) || text.startsWith(QLatin1Char('-')))
        start = 1;
    if (start >= text.size())
        return false;
    for (int i = start; i < text.size(); ++i)
        if (text[i] < QLatin1Char('0') || text[i] > QLatin1Char('9'))
            return false;
    return true;
}

} // namespace

TypedInteger::State TypedInteger::classify(const QString &text, qint64 minimum, qint64 maximum) {
    const QString t = text.trimmed();
    if (t.isEmpty() || t == QLatin1String("-") || t == QLatin1String("+"))
        return State::Partial;
    if (!isSignedDigits(t))
        return State::Invalid;
    bool ok = false;
    const qint64 value = t.toLongLong(&ok);
    // More digits than 64 bits hold are beyond any range of ours.
    if (!ok || value < minimum || value > maximum)
        return State::OutOfRange;
    return State::InRange;
}

qint64 TypedInteger::clamped(const QString &text, qint64 minimum, qint64 maximum) {
    const QString t = text.trimmed();
    if (!isSignedDigits(t))
        return minimum;
    bool ok = false;
    const qint64 value = t.toLongLong(&ok);
    if (!ok)
        return t.startsWith(QLatin1Char('-')) ? minimum : maximum;
    return qBound(minimum, value, maximum);
}

} // namespace korven
