#pragma once

#include <QString>
#include <QStringList>

namespace korven {

// Lines that name no command (hand-made or damaged files) compile to nothing. They are
// kept, but the user is told, and no such program goes to a device: it would run
// without the commands the user meant to be there.

// 0-based index of the first line that names no command, -1 when every line does.
int firstNonCommandLine(const QStringList &lines);

// "Linia N nie jest poleceniem: <line>" for line index.
QString nonCommandText(const QStringList &lines, int index);

// The banners of "Programuj" and "Weryfikuj" refusing such a program; empty when
// every line is a command.
QString programRefusal(const QStringList &lines);
QString verifyRefusal(const QStringList &lines);

} // namespace korven
