// What each line does, in words, as the status bar and the list's tooltips say it.

#include "LineDescription.h"
#include "ProgramLine.h"

#include <QTest>

using namespace korven;

namespace {

DriveSettings trv10() { return {1, 4, 5, 2047, 16}; }

QString describe(const QString &body, const DriveSettings &drive = trv10()) {
    return describeLine({formatLine(1, body)}, 0, drive);
}

} // namespace

class TestLineDescription : public QObject {
    Q_OBJECT
private slots:
    void everyCommand_data() {
        QTest::addColumn<QString>("body");
        QTest::addColumn<QString>("description");
        const char *rows[][2] = {
            {"Prędkość min(400,00) pps",
             "Prędkość min. 400,00 kroków/s (w mikroindekserze 396,73)"},
            {"Prędkość max(9000,00) pps",
             "Prędkość maks. 9 000,00 kroków/s (w mikroindekserze 9 002,69)"},
            {"Prędkość docelowa(-500,00) pps",
             "Prędkość docelowa -500,00 kroków/s (w mikroindekserze -503,54)"},
            {"Prędkość max(20000,00) pps",
             "Prędkość maks. 20 000,00 kroków/s, poza zakresem sterownika (7,63..15 617,37)"},
            {"Przysp. max(465,66) pps/s^2",
             "Przyspieszenie maks. 465,66 kroków/s² (w mikroindekserze 465,66)"},
            {"Przysp. max(500000,00) pps/s^2",
             "Przyspieszenie maks. 500 000,00 kroków/s², poza listą sterownika "
             "(232,83..476 604,33)"},
            {"Czekaj[ms](300)", "Czekaj 300 ms"},
            {"Czekaj[s](65535)", "Czekaj 65 535 s"},
            {"Koniec", "Koniec programu"},
            {"Znajdź pozycję(20000)", "Jedź do pozycji 20 000 kroków"},
            {"Znajdź pozycję(-1234567)", "Jedź do pozycji -1 234 567 kroków"},
            {"Znajdź HOME(-200,00)(3)",
             "Szukaj HOME z prędkością -200,00 kroków/s (w mikroindekserze -198,36), "
             "precyzowanie 3"},
            {"Zeruj licznik pozycji", "Bieżąca pozycja staje się pozycją 0"},
            {"Stop", "Zatrzymaj silnik natychmiast"},
            {"Hamuj", "Hamuj silnik do zatrzymania"},
            {"Enable/Disable(High)", "Enable = stan wysoki"},
            {"Enable/Disable(Low)", "Enable = stan niski"},
            {"Ustaw licznik powtórzeń(5)", "Licznik powtórzeń = 5"},
            {"Ustaw wyjście(1)(1)", "OUT 1 = wł."},
            {"Ustaw wyjście(8)(0)", "PK 2 = wył."},
            {"Wyjścia(1,0,0,0,0,0,0,1)", "Wł. OUT 1, PK 2, pozostałe wyjścia wył."},
            {"Wyjścia(0,0,0,0,0,0,0,0)", "Wszystkie wyjścia wył."},
            {"Wyjścia(1,1,1,1,1,1,1,1)", "Wszystkie wyjścia wł."},
            {"Skocz do linii(1)", "Skocz do linii 1"},
            {"Skocz do linii(7)", "Skocz do linii 7 (nie ma takiej linii)"},
            {"Skocz jeśli licz. powt.(1)",
             "Skocz do linii 1, jeśli licznik powtórzeń ≠ 0; licznik zmniejsza się o 1"},
            {"Skocz jeśli wejście(1)(3)(0)", "Skocz do linii 1, jeśli IN 3 = wył."},
            {"Czekaj[ms](abc)", "Błędna wartość: „abc” nie jest poprawną liczbą całkowitą"},
            {"Ręcznie dopisana uwaga", "To nie jest polecenie: linia niczego nie robi"},
        };
        for (const auto &row : rows)
            QTest::newRow(row[0]) << QString::fromUtf8(row[0]) << QString::fromUtf8(row[1]);
    }
    void everyCommand() {
        QFETCH(QString, body);
        QFETCH(QString, description);
        QCOMPARE(describe(body), description);
    }
    void jumpsNameTheirTargetAndItsComment() {
        const QStringList lines = {QStringLiteral("001: Ustaw wyjście(1)(1)  # chwytak się zamyka"),
                                   QStringLiteral("002: Skocz jeśli wejście(1)(3)(0)"),
                                   QStringLiteral("003: Skocz do linii(1)  # od nowa"),
                                   QStringLiteral("004: Koniec")};
        QCOMPARE(describeLine(lines, 1, trv10()),
                 QStringLiteral("Skocz do linii 1 (chwytak się zamyka), jeśli IN 3 = wył."));
        QCOMPARE(describeLine(lines, 2, trv10()),
                 QStringLiteral("Skocz do linii 1 (chwytak się zamyka)"));
        // A line's own comment is no part of what it does.
        QCOMPARE(describeLine(lines, 0, trv10()), QStringLiteral("OUT 1 = wł."));
        QCOMPARE(describeLine(lines, 4, trv10()), QString());
    }
    void withoutADriverSpeedsAreOnlyTheirText() {
        QCOMPARE(describe(QStringLiteral("Prędkość min(1600,00) pps"), DriveSettings()),
                 QStringLiteral("Prędkość min. 1 600,00 kroków/s"));
        QCOMPARE(describe(QStringLiteral("Przysp. max(232,83) pps/s^2"), DriveSettings()),
                 QStringLiteral("Przyspieszenie maks. 232,83 kroków/s²"));
        // Another driver runs the same text at another register value.
        const DriveSettings trv50{7, 0, 1, 2047, 2};
        QCOMPARE(describe(QStringLiteral("Prędkość max(9000,00) pps"), trv50),
                 QStringLiteral("Prędkość maks. 9 000,00 kroków/s (w mikroindekserze 9 033,20)"));
    }
};

QTEST_GUILESS_MAIN(TestLineDescription)
#include "tst_linedescription.moc"
