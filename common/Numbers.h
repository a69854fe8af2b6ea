#pragma once

#include <QString>
#include <QtGlobal>

namespace korven {

// Real arithmetic is done in extended precision (long double).
using Real = long double;

// Round to the nearest integer, ties to the even integer.
Real roundHalfEven(Real value);

// Fixed-point text with the Polish decimal comma and no group separators, whatever the
// process locale, rounded half away from zero as the original program's "%.2f" did,
// e.g. formatFixed(15617.3706, 2) == "15617,37", formatFixed(7.625, 2) == "7,63".
QString formatFixed(Real value, int decimals);

// A number text of formatFixed (or a plain integer) with its integer digits grouped in
// threes by blanks, as Polish texts write them: "-20 000", "15 617,37".
QString groupDigits(const QString &number);

// Decimal number with a comma or a point as separator, optional sign,
// surrounding blanks allowed; nothing else.
Real parseDecimal(const QString &text, bool *ok);

// Decimal integer with optional sign and surrounding blanks.
qint64 parseInteger(const QString &text, bool *ok);

} // namespace korven
