#pragma once

#include "ProgramEditor.h"

#include <QString>
#include <QStringList>

namespace korven {

// Lines of a program as plain text, as the clipboard carries them between programs and
// windows: the lines as the list shows them, one a row.
QString blockText(const QStringList &lines);

// No program holds more lines than the device memory has bytes.
constexpr int kMaxPastedLines = 1000;

struct ParsedBlock {
    QList<ProgramEditor::BlockLine> lines;
    QString error; // for the user; empty when the text is lines of a program
};

// Reads pasted text: every row that is not blank must be a command as the program writes
// it (a number field "NNN: " is optional, a comment allowed); the first that is not
// refuses the whole text.
ParsedBlock parseBlockText(const QString &text);

} // namespace korven
