#pragma once

#include <QStringList>

namespace korven {

// The compiled program beside its lines, one row a line: the line number, the byte
// address of its command in the device memory, its bytes and the line's text,
//   "001     0  00 04 00 00 D2                           Prędkość min(1600,00) pps".
QStringList imageListing(const QStringList &lines, const QStringList &image);

} // namespace korven
