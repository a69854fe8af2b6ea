// Seeded random damage to program files and lines: loading, compiling and editing must
// neither crash nor hang, and must keep their invariants.

#include "Compiler.h"
#include "Cp1250.h"
#include "ProgramEditor.h"
#include "ProgramFile.h"
#include "ProgramLine.h"

#include <QRandomGenerator>
#include <QTest>

using namespace korven;

namespace {

const char *const kPieces[] = {"Prędkość min(",
                               "Prędkość max(",
                               "Prędkość docelowa(",
                               "Przysp. max(",
                               "Czekaj[ms](",
                               "Czekaj[s](",
                               "Skocz do linii(",
                               "Skocz jeśli wejście(",
                               "Skocz jeśli licz. powt.(",
                               "Koniec",
                               "Znajdź pozycję(",
                               "Znajdź HOME(",
                               "Stop",
                               "Hamuj",
                               "Enable/Disable(",
                               "Ustaw licznik powtórzeń(",
                               "Ustaw wyjście(",
                               "Wyjścia(",
                               ")",
                               "(",
                               ")(",
                               ",",
                               "-",
                               "0",
                               "1",
                               "7,63",
                               "65535",
                               "99999999999999999999",
                               "232,83",
                               "High",
                               ": ",
                               "001: ",
                               "1000: ",
                               "\r",
                               "\n",
                               "\r\n",
                               " pps",
                               "\x81",
                               "\xFF",
                               "\x00",
                               "x"};

QByteArray randomText(QRandomGenerator &rng, int pieces) {
    QByteArray text;
    for (int i = 0; i < pieces; ++i) {
        if (rng.bounded(8) == 0) {
            text.append(char(rng.bounded(256)));
            continue;
        }
        const char *p = kPieces[rng.bounded(int(std::size(kPieces)))];
        text.append(encodeCp1250(QString::fromUtf8(p)));
        if (rng.bounded(3) == 0)
            text.append(rng.bounded(2) ? "\r\n" : "\n");
    }
    return text;
}

} // namespace

class TestRobustness : public QObject {
    Q_OBJECT
private slots:
    void damagedFilesLoadCompileAndEdit() {
        QRandomGenerator rng(1250);
        for (int round = 0; round < 3000; ++round) {
            QByteArray bytes = rng.bounded(10) ? QByteArray("1.0\r\n") : QByteArray();
            bytes += randomText(rng, rng.bounded(0, 60));
            const LoadedProgram p = parseProgramText(decodeCp1250(bytes));
            if (p.status != LoadedProgram::Status::Ok)
                continue;
            for (int pulsDiv : {0, 1, 5}) {
                const CompileResult r = GenerujProgram(p.lines, {0, 0, pulsDiv, 2047, 1});
                if (r.ok())
                    QCOMPARE(r.image.size(), p.lines.size());
                else
                    QVERIFY(r.errorLine >= 0 && r.errorLine < p.lines.size());
            }
            ProgramEditor e;
            e.setLines(p.lines);
            for (int op = 0; op < 10; ++op) {
                e.setSelected(rng.bounded(-1, int(e.lines().size()) + 1));
                switch (rng.bounded(4)) {
                case 0:
                    e.AddCmd(QString::fromUtf8(kPieces[rng.bounded(int(std::size(kPieces)))]));
                    break;
                case 1: e.moveUp(); break;
                case 2: e.moveDown(); break;
                default: e.deleteSelected(); break;
                }
                for (const QString &line : e.lines())
                    QVERIFY(line.size() < 4000);
            }
        }
    }
    void handMadeLinesFoundEarlier() {
        // Inputs that once broke an earlier draft.
        const QStringList lines = {QStringLiteral("Skocz jeśli wejście(+5)(5)(1)"),
                                   QStringLiteral("1000000000000: Skocz do linii(2147483647)"),
                                   QStringLiteral("Skocz do linii(-2147483648)"),
                                   QStringLiteral("001: Koniec")};
        ProgramEditor e;
        e.setLines(lines);
        e.setSelected(0);
        QVERIFY(e.moveDown());
        QCOMPARE(e.lines()[1], QStringLiteral("002: Skocz jeśli wejście(+5)(5)(1)"));
        // A number field of any length is a number field, however large.
        QCOMPARE(e.lines()[0], QStringLiteral("001: Skocz do linii(2147483647)"));
        const CompileResult r = GenerujProgram(e.lines(), {});
        QVERIFY(r.ok());
        QCOMPARE(r.image.size(), 4);
    }
};

QTEST_GUILESS_MAIN(TestRobustness)
#include "tst_robustness.moc"
