#include "Compiler.h"
#include "Encoders.h"
#include "ImageListing.h"
#include "ProgramLine.h"

#include <QTest>

using namespace korven;

namespace {
DriveSettings trv10() { return {1, 4, 5, 2047, 16}; }

QString compileOne(const QString &body, DriveSettings drive = trv10()) {
    const CompileResult r = GenerujProgram({formatLine(1, body)}, drive);
    return r.ok() ? r.image.value(0) : QStringLiteral("ERROR: ") + r.error;
}

QStringList lines(std::initializer_list<const char *> bodies) {
    QStringList out;
    int n = 0;
    for (const char *b : bodies)
        out.append(formatLine(++n, QString::fromUtf8(b)));
    return out;
}
} // namespace

class TestCompiler : public QObject {
    Q_OBJECT
private slots:
    void encodings_data() {
        QTest::addColumn<QString>("body");
        QTest::addColumn<QString>("image");
        const char *rows[][2] = {
            {"Koniec", "05"},
            {"Stop", "0B"},
            {"Hamuj", "0C"},
            {"Zeruj licznik pozycji", "0F"},
            {"Prędkość min(7,63) pps", "00 04 00 00 01"},
            {"Prędkość max(15617,37) pps", "00 06 00 07 FF"},
            {"Prędkość min(1600,00) pps", "00 04 00 00 D2"},
            {"Prędkość min(1600.00) pps", "00 04 00 00 D2"},
            {"Prędkość docelowa(-7,63) pps", "01 0F FF"},
            {"Prędkość docelowa(15617,37) pps", "01 07 FF"},
            {"Przysp. max(232,83) pps/s^2", "02 0C 00 00 01 18 00 56 00 12 00 F3 0D"},
            {"Przysp. max(476604,33) pps/s^2", "02 0C 00 07 FF 18 00 56 00 12 00 F3 02"},
            {"Znajdź pozycję(-1)", "06 00 FF FF FF"},
            {"Znajdź pozycję(8388607)", "06 00 7F FF FF"},
            {"Znajdź pozycję(-8388607)", "06 00 80 00 01"},
            {"Znajdź pozycję(0)", "06 00 00 00 00"},
            {"Czekaj[ms](1000)", "07 03 E8"},
            {"Czekaj[ms](65535)", "07 FF FF"},
            {"Czekaj[s](5)", "12 00 05"},
            {"Ustaw licznik powtórzeń(300)", "10 01 2C"},
            {"Znajdź HOME(-7,63)(3)", "0D 3F FF"},
            {"Znajdź HOME(7,63)(0)", "0D 00 01"},
            {"Enable/Disable(High)", "0E FF"},
            {"Enable/Disable(Low)", "0E 00"},
            {"Enable/Disable(high)", "0E 00"},
            {"Ustaw wyjście(1)(1)", "08 01"},
            {"Ustaw wyjście(7)(1)", "08 71"},
            {"Ustaw wyjście(8)(0)", "08 60"},
            {"Wyjścia(1,0,0,0,0,0,1,0)", "09 81"},
            {"Wyjścia(0,0,0,0,0,0,0,1)", "09 40"},
            {"Wyjścia()", "09 00"},
            {"Skocz jeśli wejście(1)(3)(1)", "0A 21 FF FD"},
            {"Skocz do linii(1)", "04 FF FE"},
            {"Skocz jeśli licz. powt.(2)", "11 00 01"},
            {"To nie jest polecenie", ""},
        };
        for (const auto &r : rows)
            QTest::newRow(r[0]) << QString::fromUtf8(r[0]) << QString::fromUtf8(r[1]);
    }
    void encodings() {
        QFETCH(QString, body);
        QFETCH(QString, image);
        QCOMPARE(compileOne(body), image);
    }
    void jumpDisplacements() {
        const CompileResult r =
            GenerujProgram(lines({"Czekaj[ms](10)", "Skocz do linii(1)", "Koniec"}), trv10());
        QVERIFY(r.ok());
        QCOMPARE(r.image, QStringList({"07 00 0A", "04 FF FB", "05"}));
        QCOMPARE(ObliczDlProg(r.image), 7);
        QCOMPARE(ObliczPozycje(r.image, 0), 0);
        QCOMPARE(ObliczPozycje(r.image, 2), 6);
        QCOMPARE(ObliczPozycje(r.image, 99), 7);
        // A jump beyond the end addresses the end of the image; to the next line gives 1.
        const CompileResult beyond =
            GenerujProgram(lines({"Skocz do linii(9)", "Skocz do linii(3)", "Koniec"}), trv10());
        QCOMPARE(beyond.image, QStringList({"04 00 05", "04 00 01", "05"}));
    }
    void unknownLinesKeepDisplacementsRight() {
        const CompileResult r =
            GenerujProgram(lines({"uwaga", "Stop", "Skocz do linii(2)", "Koniec"}), trv10());
        QVERIFY(r.ok());
        QCOMPARE(r.image, QStringList({"", "0B", "04 FF FD", "05"}));
        QCOMPARE(ObliczDlProg(r.image), 5);
    }
    void valuesThatDoNotFitAreErrors_data() {
        QTest::addColumn<QString>("body");
        for (const char *b :
             {"Czekaj[ms](65536)", "Czekaj[s](-1)", "Ustaw licznik powtórzeń(70000)",
              "Znajdź pozycję(8388608)", "Znajdź pozycję(-8388608)", "Prędkość max(600000) pps",
              "Prędkość min(-7,63) pps", "Prędkość docelowa(15625,00) pps",
              "Znajdź HOME(100,00)(16)", "Przysp. max(0,00) pps/s^2", "Przysp. max() pps/s^2",
              "Przysp. max(3000000,00) pps/s^2", "Ustaw wyjście(9)(1)", "Ustaw wyjście(1)(2)",
              "Skocz jeśli wejście(1)(0)(1)", "Czekaj[ms](abc)", "Prędkość min(1,2,3) pps",
              "Skocz do linii(x)"})
            QTest::newRow(b) << QString::fromUtf8(b);
    }
    void valuesThatDoNotFitAreErrors() {
        QFETCH(QString, body);
        const CompileResult r = GenerujProgram(
            {QStringLiteral("001: Stop"), formatLine(2, body), QStringLiteral("003: Koniec")},
            trv10());
        QVERIFY(!r.ok());
        QCOMPARE(r.errorLine, 1);
        QVERIFY(r.image.isEmpty());
        QVERIFY2(r.error.startsWith(QStringLiteral("Błąd w linii 2 (002: ")), qPrintable(r.error));
    }
    void speedsNeedADriver() {
        QVERIFY(compileOne(QStringLiteral("Prędkość min(100,00) pps"), DriveSettings())
                    .contains(QStringLiteral("nie wybrano sterownika")));
        QCOMPARE(compileOne(QStringLiteral("Czekaj[ms](1)"), DriveSettings()),
                 QStringLiteral("07 00 01"));
    }
    void memoryPanel() {
        QCOMPARE(memoryText(1), QStringLiteral("Dostępna pamięć 99,9 %"));
        QCOMPARE(memoryText(0), QStringLiteral("Dostępna pamięć 100,0 %"));
        QCOMPARE(memoryText(1000), QStringLiteral("Dostępna pamięć 0,0 %"));
        QCOMPARE(memoryText(1500), QStringLiteral("Dostępna pamięć 0,0 %"));
        QCOMPARE(memoryText(555), QStringLiteral("Dostępna pamięć 44,5 %"));
        QCOMPARE(memoryBarPosition(1500), 1000);
    }
    void notIntToHex() {
        QCOMPARE(NotIntToHex(1, 6), QStringLiteral("FFFFFF"));
        QCOMPARE(NotIntToHex(8388607, 6), QStringLiteral("800001"));
        QCOMPARE(NotIntToHex(-255, 4), QStringLiteral("00FF"));
    }
    void commentsChangeNothingThatIsCompiled() {
        const QStringList plain =
            lines({"Prędkość min(1600,00) pps", "Znajdź HOME(-200,00)(3)", "Enable/Disable(High)",
                   "Wyjścia(1,0,0,0,0,0,0,1)", "Skocz jeśli wejście(1)(3)(0)", "Koniec"});
        QStringList commented;
        for (const QString &line : plain)
            commented.append(line + QStringLiteral("  # OUT 1 = chwytak, IN 3 = czujnik # 2"));
        const CompileResult a = GenerujProgram(plain, trv10());
        const CompileResult b = GenerujProgram(commented, trv10());
        QVERIFY(a.ok() && b.ok());
        QCOMPARE(b.image, a.image);
    }
    void listingShowsAddressesBesideTheLines() {
        const QStringList program =
            lines({"Prędkość min(1600,00) pps", "Przysp. max(232,83) pps/s^2  # łagodnie",
                   "Ręcznie dopisane", "Skocz do linii(1)", "Koniec"});
        const CompileResult r = GenerujProgram(program, trv10());
        QVERIFY(r.ok());
        const QStringList rows = imageListing(program, r.image);
        const QString pad(38, QLatin1Char(' '));
        QCOMPARE(rows,
                 QStringList({
                     "001     0  00 04 00 00 D2" + pad.left(24) + "  Prędkość min(1600,00) pps",
                     "002     5  02 0C 00 00 01 18 00 56 00 12 00 F3 0D  Przysp. "
                     "max(232,83) pps/s^2  # łagodnie",
                     "003    18  " + pad + "  Ręcznie dopisane",
                     "004    18  04 FF EC" + pad.left(30) + "  Skocz do linii(1)",
                     "005    21  05" + pad.left(36) + "  Koniec",
                 }));
    }
};

QTEST_GUILESS_MAIN(TestCompiler)
#include "tst_compiler.moc"
