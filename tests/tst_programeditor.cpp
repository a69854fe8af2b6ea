#include "LineComment.h"
#include "NumberedLines.h"
#include "ProgramEditor.h"
#include "ProgramLine.h"

#include <QRandomGenerator>
#include <QTest>

using namespace korven;

namespace {

// The editing algorithm replayed literally, one move at a time: numbers from the first
// three characters, targets rewritten by replacing the first "(t)", bodies from the
// sixth character. It is the reference the direct operations must agree with.
class ReplayEditor {
public:
    QStringList lines;
    int selected = -1;

    int find(int t) const {
        for (int i = 0; i < lines.size(); ++i) {
            bool ok = false;
            const int n = lines[i].left(3).toInt(&ok);
            if (ok && n == t)
                return i + 1;
        }
        return 0;
    }
    void renumberJumps() {
        for (QString &line : lines) {
            if (!line.contains(QStringLiteral("Skocz do linii")) &&
                !line.contains(QStringLiteral("Skocz jeśli wejście")) &&
                !line.contains(QStringLiteral("Skocz jeśli licz. powt.")))
                continue;
            const int t = int(fieldInt(GetValue(line)));
            const int p = find(t);
            if (p != 0 && p != t) {
                const QString from = QStringLiteral("(%1)").arg(t);
                line.replace(line.indexOf(from), from.size(), QStringLiteral("(%1)").arg(p));
            }
        }
    }
    void renumber() {
        for (int i = 0; i < lines.size(); ++i)
            lines[i] = formatLine(i + 1, lines[i].mid(5));
    }
    void moveUp() {
        const int i = selected;
        if (i <= 0 || (i == lines.size() - 1 && lines[i].contains(QStringLiteral("Koniec"))))
            return;
        lines.swapItemsAt(i - 1, i);
        selected = i - 1;
        renumberJumps();
        renumber();
    }
    void moveDown() {
        const int i = selected;
        const int last = int(lines.size()) - 1;
        if (i < 0 || i == last || (i == last - 1 && lines[last].contains(QStringLiteral("Koniec"))))
            return;
        lines.swapItemsAt(i, i + 1);
        selected = i + 1;
        renumberJumps();
        renumber();
    }
    void remove() {
        if (selected < 0 || selected == lines.size() - 1)
            return;
        lines.removeAt(selected);
        selected = -1;
        renumberJumps();
        renumber();
    }
    void add(const QString &body) {
        if (lines.isEmpty()) {
            lines.append(formatLine(1, body));
            return;
        }
        if (!lines.last().contains(QStringLiteral("Koniec")))
            return;
        const int n = int(lines.size());
        const int s = selected;
        const QString endComment = lineComment(lines[n - 1]);
        lines[n - 1] = formatLine(n, body);
        lines.append(withComment(formatLine(n + 1, QStringLiteral("Koniec")), endComment));
        if (s == -1 || s >= n - 2) {
            if (s != -1)
                selected = n - 1;
            return;
        }
        selected = n - 1;
        for (int k = 0; k < n - 2 - s; ++k)
            moveUp();
    }
};

QString randomCommand(QRandomGenerator &rng, int lineCount) {
    const int target = rng.bounded(0, lineCount + 3);
    switch (rng.bounded(7)) {
    case 0: return bodyInt(Command::Jump, target);
    case 1: return bodyJumpIfInput(target, rng.bounded(1, 9), rng.bounded(2));
    case 2: return bodyInt(Command::JumpIfCounter, target);
    case 3: return bodyInt(Command::Wait, rng.bounded(1000));
    case 4: return bodyPlain(Command::Stop);
    case 5: return bodyPlain(Command::End);
    default: return bodySetOutput(target % 9, 1);
    }
}

// A third of the lines carry a comment, which no operation may lose.
QString randomBody(QRandomGenerator &rng, int lineCount) {
    const QString body = randomCommand(rng, lineCount);
    return rng.bounded(3) == 0 ? withComment(body, QStringLiteral("uwaga %1").arg(rng.bounded(9)))
                               : body;
}

// Up to most - 1 random lines and the final "Koniec"; loosely numbered, as a hand-made
// file may be, when asked.
QStringList randomProgram(QRandomGenerator &rng, int most, bool looselyNumbered) {
    const int n = rng.bounded(1, most);
    QStringList bodies;
    for (int i = 0; i < n; ++i)
        bodies.append(randomBody(rng, n));
    bodies.append(QStringLiteral("Koniec"));
    QStringList lines = numbered(bodies);
    if (looselyNumbered) {
        for (QString &line : lines)
            line = formatLine(rng.bounded(1, n + 4), line.mid(5));
    }
    return lines;
}

} // namespace

class TestProgramEditor : public QObject {
    Q_OBJECT
private slots:
    void newProgramIsOneEndLine() {
        ProgramEditor e;
        QVERIFY(e.AddCmd(QStringLiteral("Koniec")));
        QCOMPARE(e.lines(), QStringList{QStringLiteral("001: Koniec")});
    }
    void insertAfterSelection() {
        ProgramEditor e;
        e.setLines(numbered({"A", "B", "Koniec"}));
        e.setSelected(0);
        e.AddCmd(QStringLiteral("X"));
        QCOMPARE(e.lines(), numbered({"A", "X", "B", "Koniec"}));
        QCOMPARE(e.GetSelected(), 1);
    }
    void insertBeforeEndWithoutOrNearEndSelection() {
        for (int s : {-1, 1, 2}) {
            ProgramEditor e;
            e.setLines(numbered({"A", "B", "Koniec"}));
            e.setSelected(s);
            e.AddCmd(QStringLiteral("X"));
            QCOMPARE(e.lines(), numbered({"A", "B", "X", "Koniec"}));
            QCOMPARE(e.GetSelected(), s == -1 ? -1 : 2);
        }
    }
    void jumpToEndFollowsTheNewCommand() {
        ProgramEditor e;
        e.setLines(numbered({"Skocz do linii(3)", "B", "Koniec"}));
        e.setSelected(0);
        e.AddCmd(QStringLiteral("X"));
        QCOMPARE(e.lines(), numbered({"Skocz do linii(2)", "X", "B", "Koniec"}));
        e.setLines(numbered({"Skocz do linii(3)", "B", "Koniec"}));
        e.AddCmd(QStringLiteral("X"));
        QCOMPARE(e.lines(), numbered({"Skocz do linii(3)", "B", "X", "Koniec"}));
    }
    void deleteRenumbersAllJumps() {
        ProgramEditor e;
        e.setLines(numbered({"Skocz do linii(3)", "Skocz jeśli wejście(4)(4)(1)", "C",
                             "Skocz jeśli licz. powt.(5)", "Koniec"}));
        e.setSelected(2);
        QVERIFY(e.deleteSelected());
        QCOMPARE(e.lines(), numbered({"Skocz do linii(3)", "Skocz jeśli wejście(3)(4)(1)",
                                      "Skocz jeśli licz. powt.(4)", "Koniec"}));
        QCOMPARE(e.GetSelected(), -1);
    }
    void moveDownSwapsTargets() {
        ProgramEditor e;
        e.setLines(
            numbered({"Skocz do linii(3)", "B", "C", "Skocz jeśli wejście(2)(1)(1)", "Koniec"}));
        e.setSelected(1);
        QVERIFY(e.moveDown());
        QCOMPARE(e.lines(), numbered({"Skocz do linii(2)", "C", "B", "Skocz jeśli wejście(3)(1)(1)",
                                      "Koniec"}));
        QCOMPARE(e.GetSelected(), 2);
    }
    void refusalsChangeNothing() {
        ProgramEditor e;
        const QStringList p = numbered({"A", "B", "Koniec"});
        e.setLines(p);
        e.setSelected(0);
        QVERIFY(!e.moveUp());
        e.setSelected(2);
        QVERIFY(!e.moveUp());
        QVERIFY(!e.deleteSelected());
        QVERIFY(!e.moveDown());
        e.setSelected(1);
        QVERIFY(!e.moveDown());
        e.setSelected(-1);
        QVERIFY(!e.moveUp() && !e.moveDown() && !e.deleteSelected());
        QCOMPARE(e.lines(), p);
    }
    void withoutEndCommandOnlyTheFirstIsAdded() {
        ProgramEditor e;
        QVERIFY(e.AddCmd(QStringLiteral("Stop")));
        QVERIFY(!e.AddCmd(QStringLiteral("Hamuj")));
        QCOMPARE(e.lines(), QStringList{QStringLiteral("001: Stop")});
    }
    void editKeepsSelectionAndNumbers() {
        ProgramEditor e;
        e.setLines(numbered({"Czekaj[ms](1)", "Koniec"}));
        e.setSelected(0);
        e.EditCmd(QStringLiteral("Czekaj[ms](2)"), 0);
        QCOMPARE(e.lines(), numbered({"Czekaj[ms](2)", "Koniec"}));
        QCOMPARE(e.GetSelected(), 0);
    }
    void longProgramsKeepTheirLines() {
        QStringList bodies;
        for (int i = 0; i < 1200; ++i)
            bodies.append(i == 1100 ? QStringLiteral("Skocz do linii(1050)")
                                    : QStringLiteral("Czekaj[ms](%1)").arg(i));
        bodies.append(QStringLiteral("Koniec"));
        ProgramEditor e;
        e.setLines(numbered(bodies));
        e.setSelected(0);
        e.AddCmd(QStringLiteral("Stop"));
        QCOMPARE(e.lines().size(), 1202);
        QCOMPARE(e.lines()[1], QStringLiteral("002: Stop"));
        QCOMPARE(e.lines()[1101], QStringLiteral("1102: Skocz do linii(1051)"));
        QCOMPARE(e.lines()[1201], QStringLiteral("1202: Koniec"));
        e.setSelected(1);
        e.deleteSelected();
        QCOMPARE(e.lines()[1100], QStringLiteral("1101: Skocz do linii(1050)"));
        QCOMPARE(e.ZnajdzNowyNrLinii(1201), 1201);
    }
    void loosenumberedFileFirstMoveMapsByStoredNumbers() {
        ProgramEditor e;
        e.setLines({QStringLiteral("005: Skocz do linii(7)"), QStringLiteral("007: B"),
                    QStringLiteral("Hand-made: C"), QStringLiteral("009: Koniec")});
        e.setSelected(1);
        QVERIFY(e.moveDown());
        QCOMPARE(e.lines(), QStringList({QStringLiteral("001: Skocz do linii(3)"),
                                         QStringLiteral("002: Hand-made: C"),
                                         QStringLiteral("003: B"), QStringLiteral("004: Koniec")}));
    }
    void renumberingPadsEveryNumberField() {
        ProgramEditor e;
        e.setLines({QStringLiteral("1: Stop"), QStringLiteral("2: Skocz do linii(1)"),
                    QStringLiteral("003: Hamuj"), QStringLiteral("4: Koniec")});
        e.setSelected(2);
        QVERIFY(e.moveUp());
        QCOMPARE(e.lines(), numbered({"Stop", "Hamuj", "Skocz do linii(1)", "Koniec"}));
        e.setSelected(0);
        QVERIFY(e.deleteSelected());
        QCOMPARE(e.lines(), numbered({"Hamuj", "Skocz do linii(1)", "Koniec"}));
    }
    void numberFieldsOfAnyLength() {
        QCOMPARE(ProgramEditor::lineNumber(QStringLiteral("0000000001: Stop")), 1);
        QCOMPARE(ProgramEditor::lineBody(QStringLiteral("0000000001: Stop")),
                 QStringLiteral("Stop"));
        QCOMPARE(ProgramEditor::lineNumber(QStringLiteral("99999999999999: Stop")),
                 ProgramEditor::kNoPosition);
        QCOMPARE(ProgramEditor::lineBody(QStringLiteral("99999999999999: Stop")),
                 QStringLiteral("Stop"));
        QCOMPARE(ProgramEditor::lineNumber(QStringLiteral("12:Stop")), -1);
        QCOMPARE(ProgramEditor::lineBody(QStringLiteral("x1: Stop")), QStringLiteral("x1: Stop"));
        ProgramEditor e;
        e.setLines({QStringLiteral("0000000001: Stop"), QStringLiteral("002: Skocz do linii(1)"),
                    QStringLiteral("99999999999999: Hamuj"), QStringLiteral("004: Koniec")});
        e.setSelected(0);
        QVERIFY(e.moveDown());
        QCOMPARE(e.lines(), numbered({"Skocz do linii(2)", "Stop", "Hamuj", "Koniec"}));
        QCOMPARE(e.ZnajdzNowyNrLinii(-1), 0);
    }
    void agreesWithStepByStepReplay() {
        QRandomGenerator rng(20261209);
        for (int round = 0; round < 400; ++round) {
            ReplayEditor replay;
            replay.lines = randomProgram(rng, 40, round % 4 == 0);
            ProgramEditor direct;
            direct.setLines(replay.lines);
            for (int op = 0; op < 30; ++op) {
                const int size = int(replay.lines.size());
                const int sel = rng.bounded(-1, size);
                replay.selected = sel;
                direct.setSelected(sel);
                switch (rng.bounded(4)) {
                case 0: {
                    const QString body = randomBody(rng, size);
                    replay.add(body);
                    direct.AddCmd(body);
                    break;
                }
                case 1:
                    replay.moveUp();
                    direct.moveUp();
                    break;
                case 2:
                    replay.moveDown();
                    direct.moveDown();
                    break;
                default:
                    replay.remove();
                    direct.deleteSelected();
                    break;
                }
                QCOMPARE(direct.lines(), replay.lines);
                QCOMPARE(direct.GetSelected(), replay.selected);
            }
        }
    }
    // A run moves and goes exactly as its lines would, one single-line operation after
    // the other.
    void runsAgreeWithSingleLineSteps() {
        QRandomGenerator rng(20270114);
        for (int round = 0; round < 300; ++round) {
            ReplayEditor replay;
            replay.lines = randomProgram(rng, 30, round % 4 == 0);
            ProgramEditor direct;
            direct.setLines(replay.lines);
            for (int op = 0; op < 20; ++op) {
                const int size = int(replay.lines.size());
                const int first = rng.bounded(0, size);
                const int count = rng.bounded(1, size - first + 1);
                const int last = first + count - 1;
                direct.setSelection(first, count);
                QCOMPARE(direct.selectionCount(), count);
                QCOMPARE(direct.selectedLines(), replay.lines.mid(first, count));
                const bool holdsEnd = last == size - 1;
                switch (rng.bounded(3)) {
                case 0: {
                    const bool can =
                        first > 0 &&
                        !(holdsEnd && replay.lines.last().contains(QStringLiteral("Koniec")));
                    QCOMPARE(direct.moveUp(), can);
                    if (!can)
                        break;
                    for (int i = first; i <= last; ++i) {
                        replay.selected = i;
                        replay.moveUp();
                    }
                    QCOMPARE(direct.GetSelected(), first - 1);
                    QCOMPARE(direct.selectionCount(), count);
                    break;
                }
                case 1: {
                    const bool can =
                        !holdsEnd && !(last == size - 2 &&
                                       replay.lines.last().contains(QStringLiteral("Koniec")));
                    QCOMPARE(direct.moveDown(), can);
                    if (!can)
                        break;
                    for (int i = last; i >= first; --i) {
                        replay.selected = i;
                        replay.moveDown();
                    }
                    QCOMPARE(direct.GetSelected(), first + 1);
                    QCOMPARE(direct.selectionCount(), count);
                    break;
                }
                default:
                    QCOMPARE(direct.deleteSelected(), !holdsEnd);
                    if (holdsEnd)
                        break;
                    for (int k = 0; k < count; ++k) {
                        replay.selected = first;
                        replay.remove();
                    }
                    QCOMPARE(direct.GetSelected(), -1);
                    break;
                }
                QCOMPARE(direct.lines(), replay.lines);
            }
        }
    }
    void commentsStayThroughEveryOperation() {
        ProgramEditor e;
        e.setLines(numbered({"Skocz do linii(3)  # pętla", "Czekaj[ms](300)  # chwytak się zamyka",
                             "Ustaw wyjście(1)(1)", "Koniec"}));
        // An edit dialog writes the body; the comment stays with the line.
        e.EditCmd(QStringLiteral("Czekaj[ms](500)"), 1);
        QCOMPARE(e.lines()[1], QStringLiteral("002: Czekaj[ms](500)  # chwytak się zamyka"));
        // Moves and renumbered targets keep both comments.
        e.setSelected(1);
        QVERIFY(e.moveDown());
        QCOMPARE(e.lines(), numbered({"Skocz do linii(2)  # pętla", "Ustaw wyjście(1)(1)",
                                      "Czekaj[ms](500)  # chwytak się zamyka", "Koniec"}));
        e.setSelected(0);
        QVERIFY(e.setComment(1, QStringLiteral("OUT 1 = chwytak")));
        QVERIFY(e.setComment(0, QString()));
        QCOMPARE(e.lines()[0], QStringLiteral("001: Skocz do linii(2)"));
        QCOMPARE(e.lines()[1], QStringLiteral("002: Ustaw wyjście(1)(1)  # OUT 1 = chwytak"));
        // A comment that could change what the line reads as is refused.
        QVERIFY(!e.setComment(1, QStringLiteral("czeka (krótko)")));
        QVERIFY(!e.setComment(1, QStringLiteral("potem Koniec")));
        QVERIFY(!e.setComment(9, QStringLiteral("nic")));
        QCOMPARE(e.lines()[1], QStringLiteral("002: Ustaw wyjście(1)(1)  # OUT 1 = chwytak"));
        // An added command lands after the whole selected run.
        e.setSelection(0, 2);
        e.AddCmd(QStringLiteral("Stop"));
        QCOMPARE(e.lines(), numbered({"Skocz do linii(2)", "Ustaw wyjście(1)(1)  # OUT 1 = chwytak",
                                      "Stop", "Czekaj[ms](500)  # chwytak się zamyka", "Koniec"}));
        QCOMPARE(e.GetSelected(), 2);
        QCOMPARE(e.selectionCount(), 1);
        e.setSelection(1, 3);
        QVERIFY(e.deleteSelected());
        QCOMPARE(e.lines(), numbered({"Skocz do linii(2)", "Koniec"}));
        // The end line keeps its comment when a command takes its place.
        QVERIFY(e.setComment(1, QStringLiteral("cykl gotowy")));
        e.AddCmd(QStringLiteral("Hamuj"));
        QCOMPARE(e.lines(), numbered({"Skocz do linii(2)", "Hamuj", "Koniec  # cykl gotowy"}));
    }
};

QTEST_GUILESS_MAIN(TestProgramEditor)
#include "tst_programeditor.moc"
