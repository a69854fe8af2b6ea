#pragma once

#include <QString>

namespace korven {

// A program line may end in a comment: the line's text, two blanks, "#", a blank and the
// comment ("005: Czekaj[ms](300)  # chwytak się zamyka"). Everything that reads a line
// takes only its command name and its parenthesised fields, so a comment that holds
// neither changes nothing that is read.

// "  # "
QString commentSeparator();
// Where the comment's separator starts in line, -1 when the line has no comment.
qsizetype commentStart(const QString &line);
// The comment of line, empty when it has none.
QString lineComment(const QString &line);
// The line without its comment.
QString withoutComment(const QString &line);
// The line (without a comment) with this comment; an empty comment gives the line alone.
QString withComment(const QString &line, const QString &comment);

// Why the comment cannot stand in a line ("(", ")", a command name, a line break, a
// character the program file cannot hold); empty when it can.
QString commentProblem(const QString &comment);

} // namespace korven
