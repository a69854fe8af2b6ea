// Runs of lines: moved, deleted, copied and pasted as one, with their jumps and comments.

#include "BlockText.h"
#include "NumberedLines.h"
#include "ProgramEditor.h"
#include "ProgramLine.h"

#include <QTest>

using namespace korven;

namespace {

QList<ProgramEditor::BlockLine> parsed(const QString &text) {
    const ParsedBlock block = parseBlockText(text);
    if (!block.error.isEmpty())
        qWarning("%s", qPrintable(block.error));
    return block.lines;
}

} // namespace

class TestProgramBlocks : public QObject {
    Q_OBJECT
private slots:
    void movedRunsTakeTheirJumpsAlong() {
        ProgramEditor e;
        // Jumps into the run (5), out of it (3) and inside it (4 -> 2).
        e.setLines(numbered({"Stop", "Czekaj[ms](1)", "Skocz do linii(6)", "Skocz do linii(2)",
                             "Skocz jeśli wejście(3)(1)(1)", "Hamuj", "Koniec"}));
        const QList<quint64> ids = e.lineIds();
        e.setSelection(1, 3);
        QVERIFY(e.moveDown());
        QCOMPARE(e.lines(),
                 numbered({"Stop", "Skocz jeśli wejście(4)(1)(1)", "Czekaj[ms](1)",
                           "Skocz do linii(6)", "Skocz do linii(3)", "Hamuj", "Koniec"}));
        QCOMPARE(e.GetSelected(), 2);
        QCOMPARE(e.selectionCount(), 3);
        QCOMPARE(e.lineIds(),
                 QList<quint64>({ids[0], ids[4], ids[1], ids[2], ids[3], ids[5], ids[6]}));
        QVERIFY(e.moveUp() && e.moveUp());
        QCOMPARE(e.lines(), numbered({"Czekaj[ms](1)", "Skocz do linii(6)", "Skocz do linii(1)",
                                      "Stop", "Skocz jeśli wejście(2)(1)(1)", "Hamuj", "Koniec"}));
        QCOMPARE(e.GetSelected(), 0);
        QVERIFY(!e.moveUp());
        // The final Koniec is no part of a moved run.
        e.setSelection(5, 2);
        QVERIFY(!e.moveUp() && !e.moveDown() && !e.deleteSelected());
        e.setSelection(4, 2);
        QVERIFY(!e.moveDown());
    }
    void deletedRunsHandTheirTargetsOn() {
        ProgramEditor e;
        e.setLines(numbered({"Skocz do linii(3)", "Stop", "Skocz do linii(2)", "Hamuj",
                             "Skocz jeśli licz. powt.(6)", "Czekaj[s](1)", "Koniec"}));
        const QList<quint64> ids = e.lineIds();
        e.setSelection(1, 3);
        QVERIFY(e.deleteSelected());
        // Targets in the run pass to the line after it; later ones move up by three.
        QCOMPARE(e.lines(), numbered({"Skocz do linii(2)", "Skocz jeśli licz. powt.(3)",
                                      "Czekaj[s](1)", "Koniec"}));
        QCOMPARE(e.GetSelected(), -1);
        QCOMPARE(e.lineIds(), QList<quint64>({ids[0], ids[4], ids[5], ids[6]}));
    }
    void clipboardTextIsTheListedLines() {
        ProgramEditor e;
        e.setLines(numbered({"Czekaj[ms](300)  # chwytak się zamyka", "Stop", "Koniec"}));
        e.setSelection(0, 2);
        const QString text = blockText(e.selectedLines());
        QCOMPARE(text, QStringLiteral("001: Czekaj[ms](300)  # chwytak się zamyka\n002: Stop\n"));
        const ParsedBlock block = parseBlockText(text);
        QVERIFY(block.error.isEmpty());
        QCOMPARE(block.lines.size(), 2);
        QCOMPARE(block.lines[0].body, QStringLiteral("Czekaj[ms](300)  # chwytak się zamyka"));
        QCOMPARE(block.lines[0].number, 1);
        QCOMPARE(block.lines[1].body, QStringLiteral("Stop"));
        // Number fields are optional, blank rows and Windows line ends are nothing.
        const ParsedBlock typed = parseBlockText(QStringLiteral(
            "\r\n  Przysp. max(232,83) pps/s^2\r\n\r\nWyjścia(1,0,0,0,0,0,0,1)\r\n"));
        QVERIFY(typed.error.isEmpty());
        QCOMPARE(typed.lines.size(), 2);
        QCOMPARE(typed.lines[0].body, QStringLiteral("Przysp. max(232,83) pps/s^2"));
        QCOMPARE(typed.lines[0].number, -1);
    }
    void textThatIsNoProgramIsRefusedNamingTheFirstRow() {
        ParsedBlock block =
            parseBlockText(QStringLiteral("001: Stop\nZadzwoń do Jana\n003: Koniec programu\n"));
        QCOMPARE(block.error, QStringLiteral("Nie wklejono: wiersz 2 schowka nie jest poleceniem "
                                             "programu: „Zadzwoń do Jana”."));
        QVERIFY(block.lines.isEmpty());
        // A name inside other words is no command either.
        block = parseBlockText(QStringLiteral("Koniec programu"));
        QVERIFY(block.error.contains(QStringLiteral("wiersz 1")));
        block = parseBlockText(QStringLiteral("Stop\nCzekaj[ms](5)  # potem (krótko)"));
        QVERIFY(block.error.startsWith(
            QStringLiteral("Nie wklejono: wiersz 2 schowka („Czekaj[ms](5)  # potem (krótko)”) "
                           "ma komentarz")));
        QVERIFY(block.error.contains(QStringLiteral("„(”")));
        QCOMPARE(parseBlockText(QStringLiteral(" \n\n")).error,
                 QStringLiteral("Schowek nie zawiera linii programu."));
        QString many;
        for (int i = 0; i <= kMaxPastedLines; ++i)
            many += QStringLiteral("Stop\n");
        QVERIFY(parseBlockText(many).error.contains(QStringLiteral("ponad 1000 linii")));
    }
    void pastedLinesAreAddedAfterTheRun() {
        ProgramEditor e;
        e.setLines(numbered({"Czekaj[ms](1)", "Skocz do linii(3)", "Stop", "Koniec"}));
        const QList<quint64> ids = e.lineIds();
        e.setSelected(0);
        // Copied from lines 5 to 7 of another program: the jump to 5 stays inside the block,
        // the jump to 2 means line 2 here, as for a command added by hand.
        const int added = e.paste(parsed(QStringLiteral(
            "005: Ustaw wyjście(1)(1)\n006: Czekaj[ms](300)  # chwytak\n007: Skocz do linii(5)\n"
            "008: Skocz jeśli wejście(2)(3)(0)\n")));
        QCOMPARE(added, 4);
        QCOMPARE(e.lines(),
                 numbered({"Czekaj[ms](1)", "Ustaw wyjście(1)(1)", "Czekaj[ms](300)  # chwytak",
                           "Skocz do linii(2)", "Skocz jeśli wejście(6)(3)(0)", "Skocz do linii(7)",
                           "Stop", "Koniec"}));
        QCOMPARE(e.GetSelected(), 1);
        QCOMPARE(e.selectionCount(), 4);
        // The program's lines keep their identities; the pasted ones have new ones.
        QCOMPARE(e.lineId(0), ids[0]);
        QCOMPARE(e.lineId(5), ids[1]);
        QCOMPARE(e.lineId(7), ids[3]);
        for (int i = 1; i <= 4; ++i)
            QVERIFY(!ids.contains(e.lineId(i)));
        // With a run selected, the block goes after the run's last line.
        e.setSelection(0, 2);
        QCOMPARE(e.paste(parsed(QStringLiteral("Hamuj"))), 1);
        QCOMPARE(e.lines()[2], QStringLiteral("003: Hamuj"));
        QCOMPARE(e.GetSelected(), 2);
    }
    void pasteWithoutSelectionGoesBeforeTheEnd() {
        ProgramEditor e;
        e.setLines(numbered({"Stop", "Koniec"}));
        QCOMPARE(e.paste(parsed(QStringLiteral("Hamuj\nCzekaj[s](2)"))), 2);
        QCOMPARE(e.lines(), numbered({"Stop", "Hamuj", "Czekaj[s](2)", "Koniec"}));
        QCOMPARE(e.GetSelected(), -1);
        // Cut and pasted elsewhere: the block's own jump follows it.
        e.setLines(numbered({"Czekaj[ms](1)", "Skocz do linii(1)", "Stop", "Hamuj", "Koniec"}));
        e.setSelection(0, 2);
        const QString cut = blockText(e.selectedLines());
        QVERIFY(e.deleteSelected());
        e.setSelected(1);
        QCOMPARE(e.paste(parsed(cut)), 2);
        QCOMPARE(e.lines(),
                 numbered({"Stop", "Hamuj", "Czekaj[ms](1)", "Skocz do linii(3)", "Koniec"}));
        // A program that does not end with Koniec takes nothing, as for an added command.
        e.setLines(numbered({"Stop", "Hamuj"}));
        QCOMPARE(e.paste(parsed(QStringLiteral("Koniec"))), 0);
        QCOMPARE(e.lines(), numbered({"Stop", "Hamuj"}));
    }
};

QTEST_GUILESS_MAIN(TestProgramBlocks)
#include "tst_programblocks.moc"
