#include "NonCommandLines.h"

#include "ProgramLine.h"

namespace korven {
namespace {

// A message box or a banner shows no more of a line than this.
constexpr qsizetype kShownLength = 60;

QString refusal(const QStringList &lines, const QString &prefix) {
    const int index = firstNonCommandLine(lines);
    if (index < 0)
        return {};
    QString text = nonCommandText(lines, index);
    text[0] = text[0].toLower(); // after the colon of the prefix
    return prefix + text;
}

} // namespace

int firstNonCommandLine(const QStringList &lines) {
    for (int i = 0; i < lines.size(); ++i) {
        if (recognise(lines[i], compileOrder()) == Command::None)
            return i;
    }
    return -1;
}

QString nonCommandText(const QStringList &lines, int index) {
    QString shown = lines.value(index);
    if (shown.size() > kShownLength)
        shown = shown.left(kShownLength) + QStringLiteral("…");
    return QStringLiteral("Linia %1 nie jest poleceniem: „%2”").arg(index + 1).arg(shown);
}

QString programRefusal(const QStringList &lines) {
    return refusal(lines, QStringLiteral("Program nie został wysłany: "));
}

QString verifyRefusal(const QStringList &lines) {
    return refusal(lines, QStringLiteral("Weryfikacja niemożliwa: "));
}

} // namespace korven
