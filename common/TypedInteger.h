#pragma once

#include <QString>

namespace korven {

// The text of an integer field checked against the field's range while the user types:
// every digit typed stays visible, the range is applied only when the text is taken.
struct TypedInteger {
    enum class State {
        Invalid,    // not the beginning of an integer: the keystroke is refused
        Partial,    // empty, or a sign alone
        InRange,    // an integer within the range
        OutOfRange, // an integer beyond the range: kept as typed until it is taken
    };
    static State classify(const QString &text, qint64 minimum, qint64 maximum);
    // The value the text stands for, clamped into the range; the minimum when the text
    // is not an integer.
    static qint64 clamped(const QString &text, qint64 minimum, qint64 maximum);
};

} // namespace korven
