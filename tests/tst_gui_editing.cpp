// Comments, readable lines, blocks of lines and the drive of a finished program, through
// the window as the user reaches them.

#include "GuiFixture.h"
#include "NumberedLines.h"

#include "ElidedLabel.h"
#include "ProgramListModel.h"
#include "WybSter.h"
#include "edKomentarz.h"
#include "wartosc.h"

#include <QClipboard>
#include <QComboBox>
#include <QFile>
#include <QGuiApplication>
#include <QLineEdit>
#include <QListView>
#include <QMenu>
#include <QMenuBar>
#include <QTest>

using namespace korven;

namespace {

QStringList actionTexts(const QMenu *menu) {
    QStringList texts;
    for (const QAction *a : menu->actions())
        texts << a->text();
    return texts;
}

void focusList(GuiFixture &f) {
    f.form->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(f.form.get()));
    f.child<QListView>("ListBoxProg")->setFocus();
}

void comment(QWidget *w, const QString &text) {
    auto *d = qobject_cast<TedKomentarzForm *>(w);
    QVERIFY(d);
    d->edKomentarz->setText(text);
    pressOk(w);
}

} // namespace

class TestGuiEditing : public QObject {
    Q_OBJECT
private slots:
    void commentsThroughEveryEditingPath() {
        GuiFixture f;
        f.load({"Czekaj[ms](300)", "Ustaw wyjście(1)(1)", "Koniec"});
        QCOMPARE(f.child<QAction>("miKomentarz")->shortcut(),
                 QKeySequence(QStringLiteral("Ctrl+K")));
        QVERIFY(actionTexts(f.child<QMenu>("mnuPolecenia")).contains(QStringLiteral("Komentarz")));
        QVERIFY(actionTexts(f.child<QMenu>("PopupMenuProg")).contains(QStringLiteral("Komentarz")));
        focusList(f);
        f.select(0);
        // A comment with "(" or a command name is refused, naming it; the dialog stays.
        QStringList refusals;
        QString shownLine;
        f.driver
            .then([&](QWidget *w) {
                shownLine = qobject_cast<TedKomentarzForm *>(w)->lblLinia->text();
                comment(w, QStringLiteral("chwytak (zamyka"));
            })
            .then([&](QWidget *w) {
                refusals << messageText(w);
                pressOk(w);
            })
            .then([&](QWidget *w) { comment(w, QStringLiteral("potem Koniec")); })
            .then([&](QWidget *w) {
                refusals << messageText(w);
                pressOk(w);
            })
            .then([&](QWidget *w) { comment(w, QStringLiteral("  chwytak się zamyka ")); });
        QTest::keySequence(f.form.get(), QKeySequence(QStringLiteral("Ctrl+K")));
        QCOMPARE(f.driver.pending(), 0);
        QCOMPARE(shownLine, QStringLiteral("001: Czekaj[ms](300)"));
        QCOMPARE(refusals.size(), 2);
        QVERIFY(refusals[0].contains(QStringLiteral("znaku „(”")));
        QVERIFY(refusals[1].contains(QStringLiteral("polecenia „Koniec”")));
        QCOMPARE(f.form->programLines()[0],
                 QStringLiteral("001: Czekaj[ms](300)  # chwytak się zamyka"));
        // The device gets the same bytes.
        QCOMPARE(f.form->programImage(), QStringList({"07 01 2C", "08 01", "05"}));
        QCOMPARE(f.form->windowTitle(), QStringLiteral("KORVEN*"));

        // The edit dialog keeps it, and so do moves and undo.
        f.driver.then([](QWidget *w) {
            qobject_cast<TWForm *>(w)->edWartosc->setValue(500);
            pressOk(w);
        });
        f.form->ListBoxProgDblClick();
        QCOMPARE(f.form->programLines()[0],
                 QStringLiteral("001: Czekaj[ms](500)  # chwytak się zamyka"));
        f.child<QAction>("tbtnWDol")->trigger();
        QCOMPARE(
            f.form->programLines(),
            numbered({"Ustaw wyjście(1)(1)", "Czekaj[ms](500)  # chwytak się zamyka", "Koniec"}));
        f.child<QAction>("miCofnij")->trigger();
        f.child<QAction>("miCofnij")->trigger();
        QCOMPARE(f.form->programLines()[0],
                 QStringLiteral("001: Czekaj[ms](300)  # chwytak się zamyka"));
        f.child<QAction>("miPonow")->trigger();
        f.child<QAction>("miPonow")->trigger();

        // Saved and opened with its line.
        const QString file = f.path(QStringLiteral("k.dat"));
        QVERIFY(f.form->SaveProgramToFile(file));
        GuiFixture g;
        g.form->LoadProgramFromFile(file);
        QCOMPARE(g.form->programLines(), f.form->programLines());
        // An empty comment removes it; cancel changes nothing.
        g.select(1);
        g.driver.then([](QWidget *w) { pressCancel(w); });
        g.child<QAction>("miKomentarz")->trigger();
        QCOMPARE(g.form->programLines(), f.form->programLines());
        g.driver.then([](QWidget *w) { comment(w, QString()); });
        g.child<QAction>("miKomentarz")->trigger();
        QCOMPARE(g.form->programLines()[1], QStringLiteral("002: Czekaj[ms](500)"));
        g.child<QAction>("miCofnij")->trigger();
        QCOMPARE(g.form->programLines(), f.form->programLines());
    }
    void linesDescribeThemselves() {
        GuiFixture f;
        f.load({"Ustaw wyjście(1)(1)  # chwytak się zamyka", "Prędkość max(9000,00) pps",
                "Skocz jeśli wejście(1)(3)(0)", "Koniec"});
        auto *list = f.child<QListView>("ListBoxProg");
        const QAbstractItemModel *model = list->model();
        QCOMPARE(model->index(2, 0).data(Qt::ToolTipRole).toString(),
                 QStringLiteral("Skocz do linii 1 (chwytak się zamyka), jeśli IN 3 = wył."));
        QCOMPARE(model->index(1, 0).data(Qt::ToolTipRole).toString(),
                 QStringLiteral("Prędkość maks. 9 000,00 kroków/s (w mikroindekserze 9 002,69)"));
        auto *panel = f.child<ElidedLabel>("descriptionPanel");
        f.select(0);
        QCOMPARE(panel->fullText(), QStringLiteral("OUT 1 = wł."));
        focusList(f);
        QTest::keyClick(list, Qt::Key_Down);
        QCOMPARE(panel->fullText(),
                 QStringLiteral("Prędkość maks. 9 000,00 kroków/s (w mikroindekserze 9 002,69)"));
        QCOMPARE(panel->toolTip(), panel->fullText());
        QTest::keyClick(list, Qt::Key_Down, Qt::ShiftModifier);
        QCOMPARE(panel->fullText(), QStringLiteral("Zaznaczone linie 2–3"));
        // The memory and driver panels stay as they were.
        QCOMPARE(f.child<QLabel>("driverPanel")->text(),
                 QStringLiteral("Sterownik: TRV10 Głębokość podziału mikrokrokowego: 16"));
        QVERIFY(f.child<QLabel>("memoryPanel")->text().startsWith(QStringLiteral("Dostępna")));
        // At the design width the description is given room before the driver's text, and
        // the memory field is never cut.
        f.form->resize(792, f.form->height());
        f.select(0);
        auto *memory = f.child<QLabel>("memoryPanel");
        QTRY_VERIFY(panel->width() >= panel->fontMetrics().horizontalAdvance(panel->fullText()));
        QVERIFY(memory->width() >= memory->fontMetrics().horizontalAdvance(memory->text()));
    }
    void runsMoveAndGoAsOneUndoStep() {
        GuiFixture f;
        f.load(
            {"Stop", "Czekaj[ms](1)", "Skocz do linii(2)", "Hamuj", "Skocz do linii(3)", "Koniec"});
        const QStringList loaded = f.form->programLines();
        auto *list = f.child<QListView>("ListBoxProg");
        focusList(f);
        f.select(1);
        QTest::keyClick(list, Qt::Key_Down, Qt::ShiftModifier);
        QCOMPARE(f.form->document().selected(), 1);
        QCOMPARE(f.form->document().selectedCount(), 2);
        f.child<QAction>("tbtnWDol")->trigger();
        const QStringList moved = numbered(
            {"Stop", "Hamuj", "Czekaj[ms](1)", "Skocz do linii(3)", "Skocz do linii(4)", "Koniec"});
        QCOMPARE(f.form->programLines(), moved);
        QCOMPARE(list->selectionModel()->selectedRows().size(), 2);
        QCOMPARE(f.form->document().selected(), 2);
        // Not past the final Koniec, and never with it.
        QTest::keySequence(list, QKeySequence(QStringLiteral("Ctrl+D")));
        QTest::keySequence(list, QKeySequence(QStringLiteral("Ctrl+D")));
        QCOMPARE(f.form->programLines(),
                 numbered({"Stop", "Hamuj", "Skocz do linii(5)", "Czekaj[ms](1)",
                           "Skocz do linii(4)", "Koniec"}));
        // Delete asks once for the run.
        QString question;
        f.driver.then([&](QWidget *w) {
            question = messageText(w);
            answer(w, QMessageBox::Yes);
        });
        QTest::keyClick(list, Qt::Key_Delete);
        QCOMPARE(question, QStringLiteral("Usunąć zaznaczone linie 4–5 ?"));
        QCOMPARE(f.form->programLines(),
                 numbered({"Stop", "Hamuj", "Skocz do linii(4)", "Koniec"}));
        f.child<QAction>("miCofnij")->trigger();
        QCOMPARE(f.form->document().selectedCount(), 2);
        f.child<QAction>("miCofnij")->trigger();
        QCOMPARE(f.form->programLines(), moved);
        f.child<QAction>("miCofnij")->trigger();
        QCOMPARE(f.form->programLines(), loaded);
        QCOMPARE(f.form->document().selected(), 1);
        QCOMPARE(f.form->document().selectedCount(), 2);
        QVERIFY(!f.form->document().isModified());
        // A run with the final Koniec is neither moved nor deleted.
        f.select(4);
        QTest::keyClick(list, Qt::Key_Down, Qt::ShiftModifier);
        QTest::keyClick(list, Qt::Key_Delete);
        f.child<QAction>("tbtnWGore")->trigger();
        QCOMPARE(f.form->programLines(), loaded);
        QCOMPARE(f.driver.seen.size(), 1);
    }
    void blocksTravelBetweenWindowsThroughTheClipboard() {
        GuiFixture a;
        a.load({"Prędkość min(1600,00) pps", "Czekaj[ms](300)  # chwytak się zamyka",
                "Skocz do linii(2)", "Koniec"});
        auto *list = a.child<QListView>("ListBoxProg");
        focusList(a);
        a.select(1);
        QTest::keyClick(list, Qt::Key_Down, Qt::ShiftModifier);
        QTest::keySequence(list, QKeySequence(QStringLiteral("Ctrl+C")));
        QCOMPARE(QGuiApplication::clipboard()->text(),
                 QStringLiteral("002: Czekaj[ms](300)  # chwytak się zamyka\n"
                                "003: Skocz do linii(2)\n"));
        QCOMPARE(a.form->programLines().size(), 4);

        // Another window with a new program: the pasted lines are its first commands, so
        // the driver is asked for; the block's jump follows the block.
        GuiFixture b;
        b.driver.then([](QWidget *w) { pressOk(w); });
        b.child<QAction>("miWklej")->trigger();
        QCOMPARE(b.form->programLines(), numbered({"Czekaj[ms](300)  # chwytak się zamyka",
                                                   "Skocz do linii(1)", "Koniec"}));
        QCOMPARE(b.form->programImage(), QStringList({"07 01 2C", "04 FF FB", "05"}));
        b.select(0);
        b.child<QAction>("miWklej")->trigger(); // again, after line 1
        QCOMPARE(b.form->programLines(),
                 numbered({"Czekaj[ms](300)  # chwytak się zamyka",
                           "Czekaj[ms](300)  # chwytak się zamyka", "Skocz do linii(2)",
                           "Skocz do linii(1)", "Koniec"}));
        QCOMPARE(b.form->document().selected(), 1);
        QCOMPARE(b.form->document().selectedCount(), 2);
        b.child<QAction>("miCofnij")->trigger();
        QCOMPARE(b.form->programLines().size(), 3);
        b.child<QAction>("miCofnij")->trigger();
        QCOMPARE(b.form->programLines(), QStringList{"001: Koniec"});
        QCOMPARE(b.form->driveSettings().PulsDiv, 0); // the driver went with the paste

        // Cut: copied and gone in one step, no question; pasted back elsewhere.
        focusList(a);
        QTest::keySequence(list, QKeySequence(QStringLiteral("Ctrl+X")));
        QCOMPARE(a.form->programLines(), numbered({"Prędkość min(1600,00) pps", "Koniec"}));
        a.select(1); // the final Koniec: pasted before it
        QTest::keySequence(list, QKeySequence(QStringLiteral("Ctrl+V")));
        QCOMPARE(a.form->programLines(),
                 numbered({"Prędkość min(1600,00) pps", "Czekaj[ms](300)  # chwytak się zamyka",
                           "Skocz do linii(2)", "Koniec"}));
        QCOMPARE(a.driver.seen.size(), 0);
        a.child<QAction>("miCofnij")->trigger();
        a.child<QAction>("miCofnij")->trigger();
        QCOMPARE(a.form->programLines().size(), 4);
        QCOMPARE(a.form->programLines()[2], QStringLiteral("003: Skocz do linii(2)"));

        // Text that is no program is refused, naming its first such row.
        QGuiApplication::clipboard()->setText(QStringLiteral("Stop\nZadzwoń do Jana\n"));
        a.driver.acceptMessages = true;
        a.child<QAction>("miWklej")->trigger();
        QCOMPARE(a.driver.messages,
                 QStringList{"Nie wklejono: wiersz 2 schowka nie jest poleceniem programu: "
                             "„Zadzwoń do Jana”."});
        QCOMPARE(a.form->programLines().size(), 4);
    }
    void driveOfAFinishedProgramChangesAsOneStep() {
        GuiFixture f;
        f.load({"Prędkość min(1600,00) pps", "Prędkość max(12000,00) pps",
                "Przysp. max(465,66) pps/s^2", "Koniec"});
        const QStringList image = f.form->programImage();
        QString model, depth;
        f.driver
            .then([&](QWidget *w) {
                auto *d = qobject_cast<TWybSterForm *>(w);
                QVERIFY(d);
                // The program's choice, not mi.ini's.
                model = d->cbSterownik->currentText();
                depth = d->cbGlPodKrok->currentText();
                d->cbSterownik->setCurrentIndex(6); // TRV40: up to 10032,65 steps/s
                emit d->cbSterownik->activated(6);
                d->cbGlPodKrok->setCurrentIndex(3);
                emit d->cbGlPodKrok->activated(3);
                pressOk(w);
            })
            .then([&](QWidget *w) {
                QCOMPARE(messageText(w),
                         QStringLiteral("Program przeliczono dla nowego sterownika. Tych "
                                        "wartości sterownik nie wykona tak, jak są zapisane; "
                                        "popraw je w liniach programu:\n\n"
                                        "Linia 2 (002: Prędkość max(12000,00) pps): prędkość "
                                        "12 000,00 kroków/s jest poza zakresem sterownika "
                                        "(7,63..10 032,65)."));
                pressOk(w);
            });
        f.child<QAction>("miSterownik")->trigger();
        QCOMPARE(f.driver.pending(), 0);
        QCOMPARE(model, QStringLiteral("TRV10"));
        QCOMPARE(depth, QStringLiteral("16"));
        QCOMPARE(f.child<QLabel>("driverPanel")->text(),
                 QStringLiteral("Sterownik: TRV40 Głębokość podziału mikrokrokowego: 8"));
        QCOMPARE(f.form->driveSettings().Vmax, 1315);
        QCOMPARE(f.form->programLines()[1], QStringLiteral("002: Prędkość max(12000,00) pps"));
        QVERIFY(f.form->document().isModified());
        // Saved with the new indexes.
        const QString file = f.path(QStringLiteral("d.dat"));
        QVERIFY(f.form->SaveProgramToFile(file));
        QFile saved(file);
        QVERIFY(saved.open(QIODevice::ReadOnly));
        QVERIFY(saved.readAll().startsWith("1.0\r\n6\r\n3\r\n"));

        // Another time base: the lines stay, their register values are compiled anew, and
        // an acceleration below the new unit is listed, once (no compile error box).
        f.driver.acceptMessages = true;
        f.driver.then([](QWidget *w) {
            auto *d = qobject_cast<TWybSterForm *>(w);
            d->cbSterownik->setCurrentIndex(3); // TRV31, PulsDiv 3
            emit d->cbSterownik->activated(3);
            pressOk(w);
        });
        f.child<QAction>("miSterownik")->trigger();
        QCOMPARE(f.driver.messages.size(), 1);
        QVERIFY(f.driver.messages[0].contains(QStringLiteral("Linia 3 (003: Przysp. max")));
        QCOMPARE(f.form->driveSettings().PulsDiv, 3);
        QVERIFY(f.child<QLabel>("Panel5")->text().startsWith(QStringLiteral("Błąd w linii 3")));

        // Each change is one step back.
        f.child<QAction>("miCofnij")->trigger();
        QCOMPARE(f.form->driveSettings().Vmax, 1315);
        f.child<QAction>("miCofnij")->trigger();
        QCOMPARE(f.form->driveSettings().ModelIndex, 1);
        QCOMPARE(f.child<QLabel>("driverPanel")->text(),
                 QStringLiteral("Sterownik: TRV10 Głębokość podziału mikrokrokowego: 16"));
        QCOMPARE(f.form->programImage(), image);
        // Cancel changes nothing.
        f.driver.then([](QWidget *w) { pressCancel(w); });
        f.child<QAction>("miSterownik")->trigger();
        QCOMPARE(f.form->driveSettings().ModelIndex, 1);
    }
    void checkSelectsTheLineOfTheFault() {
        GuiFixture f;
        f.load({"Prędkość min(10,00) pps", "Prędkość max(100,00) pps", "Stop",
                "Prędkość docelowa(50,00) pps", "Przysp. max(232,83) pps/s^2", "Koniec"});
        QString message;
        f.driver.then([&](QWidget *w) {
            message = messageText(w);
            pressOk(w);
        });
        f.child<QAction>("tbtnSprawdz")->trigger();
        QCOMPARE(message, QStringLiteral("Prędkość docelowa nie może być przed prędkością "
                                         "minimalną, maksymalną lub przyspieszeniem maksymalnym "
                                         "! (linia 4)"));
        QCOMPARE(f.child<QLabel>("Panel5")->text(),
                 QStringLiteral("Składnia programu jest niepoprawna"));
        QCOMPARE(f.child<QListView>("ListBoxProg")->currentIndex().row(), 3);
        QCOMPARE(f.form->document().selected(), 3);
    }
};

QTEST_MAIN(TestGuiEditing)
#include "tst_gui_editing.moc"
