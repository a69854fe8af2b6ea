#pragma once

#include <QString>
#include <QStringList>

// A 150-line program with Polish letters whose line 61 is 231 characters long, the
// "061: " included; the lines' bodies, without their numbers.
inline QStringList listingProgramBodies() {
    const QStringList commands = {QStringLiteral("Prędkość min(1600,00) pps"),
                                  QStringLiteral("Prędkość max(12000,50) pps"),
                                  QStringLiteral("Przysp. max(250000,00) pps^2"),
                                  QStringLiteral("Znajdź pozycję(-5)"),
                                  QStringLiteral("Znajdź pozycję(123456)"),
                                  QStringLiteral("Czekaj[ms](250)"),
                                  QStringLiteral("Ustaw wyjście(3)(1)"),
                                  QStringLiteral("Skocz do linii(4)")};
    QStringList bodies;
    for (int i = 0; i < 149; ++i)
        bodies.append(commands[i % commands.size()]);
    bodies.append(QStringLiteral("Koniec"));
    bodies[60] = QStringLiteral(
        "Skocz jeśli wejście(12)(3)(1) z bardzo długim opisem ręcznie dopisanym do linii "
        "programu, żeby sprawdzić, że wydruk przenosi cały tekst do następnych wierszy i "
        "niczego nie gubi: zażółć gęślą jaźń, ŻÓŁĆ GĘŚLĄ JAŹŃ, koniec opisu");
    return bodies;
}

// The lines as the program list shows them: "%3.3d: " and the body.
inline QStringList listingProgramLines() {
    QStringList lines;
    const QStringList bodies = listingProgramBodies();
    for (int i = 0; i < bodies.size(); ++i)
        lines.append(QStringLiteral("%1: %2").arg(i + 1, 3, 10, QLatin1Char('0')).arg(bodies[i]));
    return lines;
}
