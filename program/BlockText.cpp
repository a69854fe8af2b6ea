#include "BlockText.h"

#include "Cp1250.h"
#include "LineComment.h"
#include "ProgramLine.h"

#include <QRegularExpression>

namespace korven {
namespace {

// A message shows no more of a row than this.
constexpr qsizetype kShownLength = 60;

QString shown(const QString &row) {
    return row.size() > kShownLength ? row.left(kShownLength) + QStringLiteral("…") : row;
}

// The command of a body written as the program writes it: the name, its parenthesised
// fields and the unit; None for anything else.
Command commandOfBody(const QString &body) {
    static const QRegularExpression rest(QStringLiteral("^(\\([^()]*\\))*( pps| pps/s\\^2)?$"));
    const Command c = recognise(body, compileOrder());
    if (c == Command::None || !body.startsWith(commandName(c)))
        return Command::None;
    return rest.match(QStringView(body).mid(commandName(c).size())).hasMatch() ? c : Command::None;
}

} // namespace

QString blockText(const QStringList &lines) {
    QString text;
    for (const QString &line : lines)
        text += line + QLatin1Char('\n');
    return text;
}

ParsedBlock parseBlockText(const QString &text) {
    ParsedBlock block;
    static const QRegularExpression rowBreak(QStringLiteral("\\r\\n|\\r|\\n"));
    const QStringList rows = text.split(rowBreak);
    for (qsizetype i = 0; i < rows.size(); ++i) {
        const QString row = rows[i].trimmed();
        if (row.isEmpty())
            continue;
        if (block.lines.size() == kMaxPastedLines) {
            block.error = QStringLiteral("Nie wklejono: tekst ma ponad %1 linii, więcej niż "
                                         "zmieści pamięć mikroindeksera.")
                              .arg(kMaxPastedLines);
            break;
        }
        const int number = ProgramEditor::lineNumber(row);
        const QString body = ProgramEditor::lineBody(row);
        const QString command = withoutComment(body).trimmed();
        const QString comment = lineComment(body).trimmed();
        bool mapped = true;
        encodeCp1250(command, &mapped);
        if (!mapped || commandOfBody(command) == Command::None) {
            block.error = QStringLiteral("Nie wklejono: wiersz %1 schowka nie jest poleceniem "
                                         "programu: „%2”.")
                              .arg(i + 1)
                              .arg(shown(row));
            break;
        }
        if (const QString problem = commentProblem(comment); !problem.isEmpty()) {
            block.error = QStringLiteral("Nie wklejono: wiersz %1 schowka („%2”) ma komentarz, "
                                         "którego nie może mieć linia programu. %3")
                              .arg(i + 1)
                              .arg(shown(row), problem);
            break;
        }
        block.lines.append({withComment(command, comment), number >= 0 ? number : -1});
    }
    if (!block.error.isEmpty())
        block.lines.clear();
    else if (block.lines.isEmpty())
        block.error = QStringLiteral("Schowek nie zawiera linii programu.");
    return block;
}

} // namespace korven
