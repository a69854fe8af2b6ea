// The program document without a window: state for undo, compilation, modified flag.

#include "ProgramDocument.h"

#include <QSet>
#include <QSignalSpy>
#include <QTest>

using namespace korven;

class TestProgramDocument : public QObject {
    Q_OBJECT
private slots:
    void stateRestoresLinesSelectionAndDrive() {
        ProgramDocument doc;
        doc.editor().setLines({"001: Stop", "002: Koniec"});
        doc.editor().setSelected(0);
        doc.setDrive(DriveSettings{1, 4, 5, 2047, 16}, QStringLiteral("Sterownik: A"));
        const ProgramDocument::State before = doc.state();
        doc.editor().AddCmd(QStringLiteral("Hamuj"));
        doc.setDrive(DriveSettings{2, 3, 4, 1000, 8}, QStringLiteral("Sterownik: B"));
        QVERIFY(!doc.state().sameProgram(before));
        doc.restore(before);
        QCOMPARE(doc.lines(), QStringList({"001: Stop", "002: Koniec"}));
        QCOMPARE(doc.selected(), 0);
        QCOMPARE(doc.drive().PulsDiv, 5);
        QCOMPARE(doc.driverText(), QStringLiteral("Sterownik: A"));
        QVERIFY(doc.state().sameProgram(before));
        // A selection of its own is no change of the program.
        doc.editor().setSelected(1);
        QVERIFY(doc.state().sameProgram(before));
        // A selection beyond the restored lines is dropped.
        ProgramDocument::State odd = before;
        odd.selected = 7;
        doc.restore(odd);
        QCOMPARE(doc.selected(), -1);
    }
    void lineIdentitiesFollowTheirLinesThroughEditsAndUndo() {
        ProgramDocument doc;
        doc.editor().setLines({"001: A", "002: B", "003: C", "004: Koniec"});
        ProgramEditor &e = doc.editor();
        const quint64 a = e.lineId(0), b = e.lineId(1), c = e.lineId(2), end = e.lineId(3);
        QCOMPARE(QSet<quint64>({a, b, c, end}).size(), 4);
        e.setSelected(1);
        QVERIFY(e.moveDown());
        QCOMPARE(e.lineIds(), QList<quint64>({a, c, b, end}));
        e.EditCmd(QStringLiteral("Hamuj"), 2);
        QCOMPARE(e.lineId(2), b);
        // A command added after line 1 is a new line; the end line keeps its identity.
        const ProgramDocument::State before = doc.state();
        e.setSelected(0);
        QVERIFY(e.AddCmd(QStringLiteral("Stop")));
        const quint64 added = e.lineId(1);
        QVERIFY(!QList<quint64>({a, b, c, end}).contains(added));
        QCOMPARE(e.lineIds(), QList<quint64>({a, added, c, b, end}));
        QCOMPARE(e.indexOfLineId(b), 3);
        e.setSelected(2);
        QVERIFY(e.deleteSelected());
        QCOMPARE(e.indexOfLineId(c), -1);
        // Undo gives the lines back with their identities; new lines never reuse one.
        doc.restore(before);
        QCOMPARE(e.lineIds(), QList<quint64>({a, c, b, end}));
        e.setSelected(0);
        QVERIFY(e.AddCmd(QStringLiteral("Stop")));
        QVERIFY(e.lineId(1) != added);
        // A freshly loaded program is all new lines.
        e.setLines({"001: Koniec"});
        QVERIFY(!QList<quint64>({a, b, c, end, added}).contains(e.lineId(0)));
    }
    void compilationAndModifiedFlag() {
        ProgramDocument doc;
        QVERIFY(doc.imageValid());
        doc.setCompiled({"0B", "05"}, 2, {});
        QCOMPARE(doc.image(), QStringList({"0B", "05"}));
        QCOMPARE(doc.imageLength(), 2);
        doc.setCompiled({}, 0, QStringLiteral("Błąd w linii 1"));
        QVERIFY(!doc.imageValid());
        QCOMPARE(doc.compileError(), QStringLiteral("Błąd w linii 1"));
        QSignalSpy spy(&doc, &ProgramDocument::modifiedChanged);
        doc.setModified(true);
        doc.setModified(true);
        doc.setModified(false);
        QCOMPARE(spy.count(), 2);
        doc.setFileName(QStringLiteral("/tmp/a.dat"));
        QCOMPARE(doc.fileName(), QStringLiteral("/tmp/a.dat"));
    }
};

QTEST_MAIN(TestProgramDocument)
#include "tst_programdocument.moc"
