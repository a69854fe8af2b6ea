#include "ProgramCheck.h"

#include "ProgramLine.h"

namespace korven {

CheckResult SprawdzProgram(const QStringList &lines) {
    // Positions of the first occurrences in the whole text; 0 when absent. Comparing
    // positions in the joined text is comparing the first lines that hold each name.
    const QString text = lines.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n");
    const auto pos = [&](Command c) { return text.indexOf(commandName(c)) + 1; };
    const qsizetype a = pos(Command::Vmin);
    const qsizetype b = pos(Command::Vmax);
    const qsizetype c = pos(Command::AMax);
    const qsizetype d = pos(Command::Vtarget);
    const qsizetype e = pos(Command::FindPos);
    const qsizetype g = pos(Command::FindHome);
    const auto before = [&](qsizetype x) { return x > 0 && (x < a || x < b || x < c); };
    // The 0-based line that holds the 1-based text position x.
    const auto lineOf = [&](qsizetype x) {
        qsizetype end = 0;
        for (int i = 0; i < lines.size(); ++i) {
            end += lines[i].size() + 2;
            if (x <= end)
                return i;
        }
        return int(lines.size()) - 1;
    };
    const QString positioning =
        QStringLiteral("Znajdź pozycję nie może być przed prędkością minimalną, maksymalną lub "
                       "przyspieszeniem maksymalnym !");

    if (a == 0)
        return {false, QStringLiteral("Brak zdefiniowanej prędkości minimalnej !")};
    if (b == 0)
        return {false, QStringLiteral("Brak zdefiniowanej prędkości maksymalnej !")};
    if (c == 0)
        return {false, QStringLiteral("Brak zdefiniowanego przyspieszenia maksymalnego !")};
    if (c < a || c < b)
        return {false,
                QStringLiteral("Przyspieszenie maksymalne nie może być przed prędkością "
                               "minimalną lub maksymalną !"),
                lineOf(c)};
    if (before(d))
        return {false,
                QStringLiteral("Prędkość docelowa nie może być przed prędkością "
                               "minimalną, maksymalną lub przyspieszeniem maksymalnym !"),
                lineOf(d)};
    if (before(e) || before(g))
        return {false, positioning, lineOf(before(e) ? e : g)};
    return {};
}

QString checkMessage(const CheckResult &result) {
    if (result.line < 0)
        return result.message;
    return QStringLiteral("%1 (linia %2)").arg(result.message).arg(result.line + 1);
}

QString checkVerdict(const CheckResult &result) {
    return result.ok ? QStringLiteral("Składnia programu jest poprawna")
                     : QStringLiteral("Składnia programu jest niepoprawna");
}

} // namespace korven
