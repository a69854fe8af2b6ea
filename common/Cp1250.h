#pragma once

#include <QByteArray>
#include <QString>

namespace korven {

// Windows-1250 is the encoding of program files and of everything on the wire.
// Our own table keeps the codec identical on every platform (Qt builds without ICU
// have no Windows-1250) and lossless: the five byte values Windows-1250 leaves
// unassigned map to the C1 control characters of the same value, as Windows does.
QString decodeCp1250(const QByteArray &bytes);

// Characters without a Windows-1250 byte become '?' and clear *ok.
QByteArray encodeCp1250(const QString &text, bool *ok = nullptr);

} // namespace korven
