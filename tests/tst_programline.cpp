#include "LineComment.h"
#include "ProgramLine.h"

#include <QTest>

using namespace korven;

class TestProgramLine : public QObject {
    Q_OBJECT
private slots:
    void readersOnTypicalLines() {
        QVERIFY(!GetValue(QStringLiteral("001: Koniec")).present);
        QCOMPARE(GetValue(QStringLiteral("001: Koniec")).asText(), QStringLiteral("0"));

        const QString home = QStringLiteral("004: Znajdź HOME(-200,00)(3)");
        QCOMPARE(GetValue(home).text, QStringLiteral("-200,00"));
        QCOMPARE(GetValue2(home).text, QStringLiteral("3"));
        QVERIFY(!GetValue3(home).present);

        const QString jumpIf = QStringLiteral("002: Skocz jeśli wejście(7)(2)(0)");
        QCOMPARE(GetValue(jumpIf).text, QStringLiteral("7"));
        QCOMPARE(GetValue2(jumpIf).text, QStringLiteral("2"));
        QCOMPARE(GetValue3(jumpIf).text, QStringLiteral("0"));
    }
    void brokenFieldsReadAsZero() {
        QCOMPARE(fieldInt(GetValue(QStringLiteral("003: Skocz do linii()"))), 0);
        QVERIFY(!GetValue(QStringLiteral("Stop")).present);
        QVERIFY(!GetValue2(QStringLiteral("Stop")).present);
        QVERIFY(!GetValue(QStringLiteral("x)(5)")).present); // ")" before "("
        // An empty earlier field hides the later ones.
        QVERIFY(!GetValue2(QStringLiteral("A()(5)")).present);
        QVERIFY(!GetValue3(QStringLiteral("A(1)()(5)")).present);
        QCOMPARE(GetValue2(QStringLiteral("A(1)x(5")).present, false);
    }
    void conversionsReportBadText() {
        QVERIFY_THROWS_EXCEPTION(FieldError, fieldInt(GetValue(QStringLiteral("Czekaj[ms](abc)"))));
        QVERIFY_THROWS_EXCEPTION(FieldError,
                                 fieldDecimal(GetValue(QStringLiteral("Prędkość min(1,2,3) pps"))));
        QCOMPARE(fieldDecimal(GetValue(QStringLiteral("Prędkość min(1600,00) pps"))), 1600.0L);
        QCOMPARE(fieldDecimal(GetValue(QStringLiteral("Prędkość min(1600.50) pps"))), 1600.5L);
    }
    void recognitionOrders() {
        QCOMPARE(recognise(QStringLiteral("001: Czekaj[s](5)"), compileOrder()), Command::WaitS);
        QCOMPARE(recognise(QStringLiteral("001: Czekaj[ms](5)"), compileOrder()), Command::Wait);
        QCOMPARE(recognise(QStringLiteral("001: Czekaj[ms](5)"), editOrder()), Command::Wait);
        QCOMPARE(recognise(QStringLiteral("001: Czekaj[s](5)"), editOrder()), Command::WaitS);
        QCOMPARE(recognise(QStringLiteral("Hamuj Stop"), compileOrder()), Command::Stop);
        QCOMPARE(recognise(QStringLiteral("001: Koniec"), editOrder()), Command::None);
        QCOMPARE(recognise(QStringLiteral("001: Wyjścia(1)"), compileOrder()), Command::Outputs);
        QCOMPARE(recognise(QStringLiteral("001: Ustaw wyjście(1)(1)"), compileOrder()),
                 Command::SetOutput);
        QCOMPARE(recognise(QStringLiteral("001: stop"), compileOrder()), Command::None);
    }
    void noNameContainsAnother() {
        QList<Command> all = compileOrder();
        for (Command a : all)
            for (Command b : all)
                if (a != b)
                    QVERIFY(!commandName(a).contains(commandName(b)));
    }
    void outputLists() {
        const auto on = [](const QString &field) {
            QString s;
            for (bool b : outputStates(field))
                s += b ? '1' : '0';
            return s;
        };
        QCOMPARE(on(QStringLiteral("1,0,0,0,0,0,0,1")), QStringLiteral("10000001"));
        QCOMPARE(on(QStringLiteral("1")), QStringLiteral("10000000"));
        QCOMPARE(on(QStringLiteral("0")), QStringLiteral("00000000"));
        QCOMPARE(on(QStringLiteral("x,0,a")), QStringLiteral("10100000"));
        std::array<bool, 8> states{true, false, false, false, false, false, false, true};
        QCOMPARE(bodyOutputs(states), QStringLiteral("Wyjścia(1,0,0,0,0,0,0,1)"));
    }
    void lineFormats() {
        QCOMPARE(formatLine(1, QStringLiteral("Koniec")), QStringLiteral("001: Koniec"));
        QCOMPARE(formatLine(1234, QStringLiteral("Stop")), QStringLiteral("1234: Stop"));
        QCOMPARE(bodyInt(Command::Wait, 250), QStringLiteral("Czekaj[ms](250)"));
        QCOMPARE(bodyInt(Command::FindPos, -5), QStringLiteral("Znajdź pozycję(-5)"));
        QCOMPARE(bodySpeed(Command::Vmin, QStringLiteral("1600,00")),
                 QStringLiteral("Prędkość min(1600,00) pps"));
        QCOMPARE(bodyAccel(QStringLiteral("232,83")),
                 QStringLiteral("Przysp. max(232,83) pps/s^2"));
        QCOMPARE(bodyHome(QStringLiteral("-200,00"), 3), QStringLiteral("Znajdź HOME(-200,00)(3)"));
        QCOMPARE(bodySetOutput(2, 1), QStringLiteral("Ustaw wyjście(2)(1)"));
        QCOMPARE(bodyJumpIfInput(7, 1, 0), QStringLiteral("Skocz jeśli wejście(7)(1)(0)"));
        QCOMPARE(bodyEnable(true), QStringLiteral("Enable/Disable(High)"));
        QCOMPARE(bodyEnable(false), QStringLiteral("Enable/Disable(Low)"));
        QCOMPARE(bodyPlain(Command::ClearPosition), QStringLiteral("Zeruj licznik pozycji"));
    }
    void commentsAreReadByNothing() {
        const QString line =
            QStringLiteral("005: Skocz jeśli wejście(7)(3)(0)  # chwytak zamknięty");
        QCOMPARE(lineComment(line), QStringLiteral("chwytak zamknięty"));
        QCOMPARE(withoutComment(line), QStringLiteral("005: Skocz jeśli wejście(7)(3)(0)"));
        QCOMPARE(withComment(withoutComment(line), lineComment(line)), line);
        QCOMPARE(withComment(QStringLiteral("001: Stop"), QString()), QStringLiteral("001: Stop"));
        QCOMPARE(commentStart(QStringLiteral("001: Stop")), -1);
        // The fields and the command are those of the line without its comment.
        QCOMPARE(GetValue(line).text, QStringLiteral("7"));
        QCOMPARE(GetValue3(line).text, QStringLiteral("0"));
        QCOMPARE(recognise(line, compileOrder()), Command::JumpIfInput);
    }
    void commentsThatWouldBeReadAreRefused_data() {
        QTest::addColumn<QString>("comment");
        QTest::addColumn<QString>("problem");
        QTest::newRow("open") << QStringLiteral("czeka (krótko")
                              << QStringLiteral("Komentarz nie może zawierać znaku „(”: nawiasy "
                                                "otaczają wartości polecenia.");
        QTest::newRow("close") << QStringLiteral("x)") << QStringLiteral("„)”");
        QTest::newRow("end") << QStringLiteral("a potem Koniec")
                             << QStringLiteral("Komentarz nie może zawierać nazwy polecenia "
                                               "„Koniec”: linia zostałaby odczytana jako to "
                                               "polecenie.");
        QTest::newRow("inside a word") << QStringLiteral("Stopień 2") << QStringLiteral("„Stop”");
        QTest::newRow("two rows") << QStringLiteral("a\nb")
                                  << QStringLiteral("Komentarz musi mieścić się w jednym wierszu.");
        QTest::newRow("no Windows-1250") << QStringLiteral("strzałka →") << QStringLiteral("„→”");
        QTest::newRow("fine") << QStringLiteral("OUT 1 = chwytak, stop # zwolniony") << QString();
    }
    void commentsThatWouldBeReadAreRefused() {
        QFETCH(QString, comment);
        QFETCH(QString, problem);
        const QString found = commentProblem(comment);
        if (problem.isEmpty())
            QCOMPARE(found, QString());
        else
            QVERIFY2(found.contains(problem), qPrintable(found));
    }
};

QTEST_GUILESS_MAIN(TestProgramLine)
#include "tst_programline.moc"
