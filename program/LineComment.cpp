#include "LineComment.h"

#include "Cp1250.h"
#include "ProgramLine.h"

namespace korven {

QString commentSeparator() { return QStringLiteral("  # "); }

qsizetype commentStart(const QString &line) { return line.indexOf(commentSeparator()); }

QString lineComment(const QString &line) {
    const qsizetype at = commentStart(line);
    return at < 0 ? QString() : line.mid(at + commentSeparator().size());
}

QString withoutComment(const QString &line) {
    const qsizetype at = commentStart(line);
    return at < 0 ? line : line.left(at);
}

QString withComment(const QString &line, const QString &comment) {
    return comment.isEmpty() ? line : line + commentSeparator() + comment;
}

QString commentProblem(const QString &comment) {
    for (const QChar c : comment) {
        if (c == QLatin1Char('(') || c == QLatin1Char(')'))
            return QStringLiteral("Komentarz nie może zawierać znaku „%1”: nawiasy otaczają "
                                  "wartości polecenia.")
                .arg(c);
        if (c.category() == QChar::Other_Control || c == QChar::LineSeparator ||
            c == QChar::ParagraphSeparator)
            return QStringLiteral("Komentarz musi mieścić się w jednym wierszu.");
    }
    for (int i = 0; i < kCommandCount; ++i) {
        const QString name = commandName(Command(i));
        if (comment.contains(name))
            return QStringLiteral("Komentarz nie może zawierać nazwy polecenia „%1”: linia "
                                  "zostałaby odczytana jako to polecenie.")
                .arg(name);
    }
    bool mapped = true;
    encodeCp1250(comment, &mapped);
    if (!mapped) {
        for (const char32_t u : comment.toUcs4()) {
            const QString c = QString::fromUcs4(&u, 1);
            encodeCp1250(c, &mapped);
            if (!mapped)
                return QStringLiteral("Komentarz nie może zawierać znaku „%1”: pliku programu "
                                      "nie da się z nim zapisać (Windows-1250).")
                    .arg(c);
        }
    }
    return {};
}

} // namespace korven
