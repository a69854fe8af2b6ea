// Undo and redo of program changes, the modified flag and the question before work is lost.

#include "GuiFixture.h"

#include <QFileDialog>
#include <QMenu>
#include <QPlainTextEdit>
#include <QTest>
#include <QUndoStack>

using namespace korven;

namespace {

QStringList buttonTexts(QWidget *w) {
    QStringList texts;
    for (QAbstractButton *b : qobject_cast<QMessageBox *>(w)->buttons())
        texts << b->text();
    texts.sort();
    return texts;
}

void pressButton(QWidget *w, QMessageBox::StandardButton button) { answer(w, button); }

} // namespace

class TestGuiUndo : public QObject {
    Q_OBJECT
private slots:
    void undoRedoRestoresLinesAndSelection() {
        GuiFixture f;
        f.load({"Stop", "Hamuj", "Koniec"});
        const QStringList loaded = f.form->programLines();
        f.select(0);
        f.child<QPushButton>("bbtnZerujLicznikPozycji")->click();
        const QStringList added = f.form->programLines();
        QCOMPARE(added[1], QStringLiteral("002: Zeruj licznik pozycji"));
        f.select(2);
        f.form->sbtnPrzesunWGoreClick();
        const QStringList moved = f.form->programLines();
        QCOMPARE(moved[1], QStringLiteral("002: Hamuj"));
        f.driver.then([](QWidget *w) { answer(w, QMessageBox::Yes); });
        f.form->miUsunClick(); // the moved line, still selected
        QCOMPARE(f.form->programLines().size(), 3);

        auto *list = f.child<QListView>("ListBoxProg");
        f.child<QAction>("miCofnij")->trigger();
        QCOMPARE(f.form->programLines(), moved);
        QCOMPARE(f.form->document().selected(), 1);
        QCOMPARE(list->currentIndex().row(), 1);
        f.child<QAction>("miCofnij")->trigger();
        QCOMPARE(f.form->programLines(), added);
        QCOMPARE(f.form->document().selected(), 2);
        f.child<QAction>("miCofnij")->trigger();
        QCOMPARE(f.form->programLines(), loaded);
        QCOMPARE(f.form->document().selected(), 0);
        QCOMPARE(f.form->programImage(), QStringList({"0B", "0C", "05"}));
        f.child<QAction>("miPonow")->trigger();
        QCOMPARE(f.form->programLines(), added);
        QCOMPARE(f.form->programImage().size(), 4);
        // The keyboard: Ctrl+Z and Ctrl+Y.
        f.form->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(f.form.get()));
        QTest::keySequence(f.form.get(), QKeySequence(QStringLiteral("Ctrl+Z")));
        QCOMPARE(f.form->programLines(), loaded);
        QTest::keySequence(f.form.get(), QKeySequence(QStringLiteral("Ctrl+Y")));
        QCOMPARE(f.form->programLines(), added);
        // Undo back to the file as opened: unchanged again.
        f.child<QAction>("miCofnij")->trigger();
        QVERIFY(!f.form->document().isModified());
        QCOMPARE(f.form->windowTitle(), QStringLiteral("KORVEN"));
    }
    void menuEntries() {
        GuiFixture f;
        QStringList texts;
        for (QAction *a : f.child<QMenu>("mnuPlik")->actions())
            texts << a->text();
        QVERIFY(texts.contains(QStringLiteral("Cofnij")));
        QVERIFY(texts.contains(QStringLiteral("Ponów")));
        QCOMPARE(f.child<QAction>("miCofnij")->shortcut(), QKeySequence(QStringLiteral("Ctrl+Z")));
        QCOMPARE(f.child<QAction>("miPonow")->shortcut(), QKeySequence(QStringLiteral("Ctrl+Y")));
        // Nothing to undo at start; the busy state switches them off and back as they were.
        QVERIFY(!f.child<QAction>("miCofnij")->isEnabled());
        f.form->AddCmd(QStringLiteral("Stop"));
        QVERIFY(f.child<QAction>("miCofnij")->isEnabled());
        f.form->DisableControls();
        QVERIFY(!f.child<QAction>("miCofnij")->isEnabled());
        f.form->EnableControls();
        QVERIFY(f.child<QAction>("miCofnij")->isEnabled());
        QVERIFY(!f.child<QAction>("miPonow")->isEnabled());
    }
    void driverChoiceIsPartOfTheAddedCommand() {
        GuiFixture f;
        f.driver.then([](QWidget *w) { pressOk(w); }); // driver dialog, first model
        f.child<QPushButton>("bbtnStop")->click();
        QCOMPARE(f.form->programLines(), QStringList({"001: Stop", "002: Koniec"}));
        const QString driverText = f.child<QLabel>("driverPanel")->text();
        QVERIFY(!driverText.isEmpty());
        const int pulsDiv = f.form->driveSettings().PulsDiv;
        QVERIFY(pulsDiv > 0);
        QVERIFY(f.form->document().isModified());
        QCOMPARE(f.form->windowTitle(), QStringLiteral("KORVEN*"));
        f.child<QAction>("miCofnij")->trigger();
        QCOMPARE(f.form->programLines(), QStringList{"001: Koniec"});
        QCOMPARE(f.form->driveSettings().PulsDiv, 0);
        QVERIFY(f.child<QLabel>("driverPanel")->text().isEmpty());
        QVERIFY(!f.form->document().isModified());
        QCOMPARE(f.form->windowTitle(), QStringLiteral("KORVEN"));
        f.child<QAction>("miPonow")->trigger();
        QCOMPARE(f.form->driveSettings().PulsDiv, pulsDiv);
        QCOMPARE(f.child<QLabel>("driverPanel")->text(), driverText);
        QCOMPARE(f.driver.pending(), 0);
    }
    void saveClearsTheFlagAndCloseAsks() {
        GuiFixture f;
        f.load({"Stop", "Koniec"});
        QVERIFY(!f.form->document().isModified());
        f.form->AddCmd(QStringLiteral("Hamuj"));
        QVERIFY(f.form->document().isModified());
        QCOMPARE(f.form->windowTitle(), QStringLiteral("KORVEN*"));
        // Cancel keeps the window.
        QStringList buttons;
        f.driver.then([&](QWidget *w) {
            buttons = buttonTexts(w);
            QCOMPARE(messageText(w), QStringLiteral("Zapisać bieżący prgram ?"));
            QCOMPARE(w->windowTitle(), QStringLiteral("Potwierdź"));
            pressButton(w, QMessageBox::Cancel);
        });
        f.form->close();
        QCOMPARE(buttons, QStringList({"&Anuluj", "&Nie", "&Tak"}));
        QVERIFY(f.form->isVisible());
        // Yes, then the save dialog cancelled: nothing saved, the window stays.
        f.driver.then([](QWidget *w) { pressButton(w, QMessageBox::Yes); }).then([](QWidget *w) {
            pressCancel(w);
        });
        f.form->close();
        QVERIFY(f.form->isVisible());
        QCOMPARE(f.driver.pending(), 0);
        QVERIFY(f.form->SaveProgramToFile(f.path(QStringLiteral("s.dat"))));
        QVERIFY(!f.form->document().isModified());
        QCOMPARE(f.form->windowTitle(), QStringLiteral("KORVEN"));
        QCOMPARE(f.form->document().fileName(), f.path(QStringLiteral("s.dat")));
        // Saved: closing asks nothing.
        f.form->close();
        QVERIFY(!f.form->isVisible());
        QCOMPARE(f.driver.seen.size(), 3);
    }
    void noQuestionLostOnNo() {
        GuiFixture f;
        f.form->AddCmd(QStringLiteral("Stop"));
        f.driver.then([](QWidget *w) { pressButton(w, QMessageBox::No); });
        f.form->close();
        QVERIFY(!f.form->isVisible());
    }
    void openAndNewAskBeforeReplacing() {
        GuiFixture f;
        f.load({"Stop", "Koniec"});
        f.form->AddCmd(QStringLiteral("Hamuj"));
        const QStringList changed = f.form->programLines();
        // Open: cancelled at the question, no file dialog.
        f.driver.then([](QWidget *w) { pressButton(w, QMessageBox::Cancel); });
        f.form->miOtworzClick();
        QCOMPARE(f.driver.seen.size(), 1);
        // New: cancelled, or Yes with the save dialog cancelled: the program stays.
        f.driver.then([](QWidget *w) { pressButton(w, QMessageBox::Cancel); });
        f.form->miNowyClick();
        QCOMPARE(f.form->programLines(), changed);
        f.driver.then([](QWidget *w) { pressButton(w, QMessageBox::Yes); }).then([](QWidget *w) {
            QVERIFY(qobject_cast<QFileDialog *>(w));
            pressCancel(w);
        });
        f.form->miNowyClick();
        QCOMPARE(f.form->programLines(), changed);
        // No: the new program, unmodified, and undo brings the old one back.
        f.driver.then([](QWidget *w) { pressButton(w, QMessageBox::No); });
        f.form->miNowyClick();
        QCOMPARE(f.form->programLines(), QStringList{"001: Koniec"});
        QVERIFY(!f.form->document().isModified());
        QVERIFY(f.form->document().fileName().isEmpty());
        f.child<QAction>("miCofnij")->trigger();
        QCOMPARE(f.form->programLines(), changed);
        QVERIFY(f.form->document().isModified());
        QCOMPARE(f.driver.pending(), 0);
    }
    void undoOfOpen() {
        GuiFixture f;
        f.form->AddCmd(QStringLiteral("Stop"));
        const QStringList before = f.form->programLines();
        f.load({"Hamuj", "Koniec"});
        QVERIFY(!f.form->document().isModified());
        f.child<QAction>("miCofnij")->trigger();
        QCOMPARE(f.form->programLines(), before);
        QVERIFY(f.form->document().isModified());
    }
    void previewShowsTheDocumentsImage() {
        GuiFixture f(true);
        f.form->AddCmd(QStringLiteral("Stop"));
        f.child<QAction>("miShowProgram")->trigger();
        QCOMPARE(f.prog->prg->toPlainText(), QStringLiteral("0B\n05"));
        f.form->AddCmd(QStringLiteral("Hamuj"));
        QCOMPARE(f.prog->prg->toPlainText(), QStringLiteral("0B\n0C\n05"));
    }
};

QTEST_MAIN(TestGuiUndo)
#include "tst_gui_undo.moc"
