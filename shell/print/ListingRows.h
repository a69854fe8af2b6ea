#pragma once

#include <QString>
#include <QStringList>

#include <functional>

namespace korven {

// Width of a text in millimetres.
using TextWidth = std::function<double(const QString &text)>;

// Splits text into the rows of a box firstWidth wide on its first row and nextWidth on
// the following ones. Rows end after blanks where the text allows; a word alone too wide
// for a row is cut between characters. Blanks at the end of a row hang past it. Every row
// holds at least one character and the rows joined give text back unchanged, so nothing
// is ever lost, however narrow the box.
QStringList splitIntoRows(const QString &text, double firstWidth, double nextWidth,
                          const TextWidth &width);

} // namespace korven
