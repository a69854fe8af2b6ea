#include "GuiFixture.h"
#include "ProgramListDelegate.h"
#include "ProgramListModel.h"

#include "Cp1250.h"
#include "Oprogramie.h"
#include "ProgramLine.h"
#include "logo.h"
#include "wartosc.h"

#include <QElapsedTimer>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QProcess>
#include <QProgressBar>
#include <QPushButton>
#include <QSignalSpy>
#include <QSpinBox>
#include <QTest>

#include "FileDialogAnswer.h"
#include <QTimer>
#include <QToolBar>

using namespace korven;

namespace {

void writeProgram(const QString &path, const QString &text) {
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(encodeCp1250(text));
}

} // namespace

class TestGuiWindow : public QObject {
    Q_OBJECT
private slots:
    void startsWithTheEndCommand() {
        GuiFixture f;
        QCOMPARE(f.form->windowTitle(), QStringLiteral("KORVEN"));
        QCOMPARE(f.form->programLines(), QStringList{"001: Koniec"});
        QCOMPARE(f.form->programImage(), QStringList{"05"});
        QCOMPARE(f.child<QLabel>("memoryPanel")->text(), QStringLiteral("Dostępna pamięć 99,9 %"));
        QCOMPARE(f.child<QProgressBar>("ProgressBar1")->value(), 1);
        QVERIFY(!f.child<QAction>("miShowProgram")->isVisible());
        QVERIFY(f.child<QLabel>("Panel5")->text().isEmpty());
    }
    void testModeShowsThePreviewEntry() {
        GuiFixture f(true);
        QVERIFY(f.child<QAction>("miShowProgram")->isVisible());
        f.child<QAction>("miShowProgram")->trigger();
        QVERIFY(f.prog->isVisible());
        QCOMPARE(f.prog->windowTitle(), QStringLiteral("Podgląd programu"));
        QCOMPARE(f.prog->prg->toPlainText(), QStringLiteral("05"));
    }
    void busyStateLeavesOnlyTheStop() {
        GuiFixture f;
        f.form->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(f.form.get()));
        f.form->DisableControls();
        QVERIFY(!f.child<QListView>("ListBoxProg")->isEnabled());
        QVERIFY(!f.child<QPushButton>("bbtnVmin")->isEnabled() &&
                !f.child<QPushButton>("bbtnHamuj")->isEnabled());
        QVERIFY(!f.child<QAction>("tbtnClose")->isEnabled() &&
                !f.child<QAction>("tbtnPomoc")->isEnabled());
        for (QMenu *menu : {f.child<QMenu>("mnuPlik"), f.child<QMenu>("mnuPolecenia"),
                            f.child<QMenu>("mnuUstawienia"), f.child<QMenu>("mnuPomoc")})
            QVERIFY(!menu->menuAction()->isEnabled());
        QVERIFY(f.child<QPushButton>("sbtnStop")->isEnabled());
        // Ctrl+N does nothing while busy: no save question appears.
        QTest::keySequence(f.form.get(), QKeySequence(QStringLiteral("Ctrl+N")));
        QTest::qWait(30);
        QCOMPARE(f.driver.seen, QStringList());
        // Esc is the keyboard STOP; it brings the controls back. (It sends the stop to the
        // port of rs232.ini, which this machine need not have.)
        f.driver.acceptMessages = true;
        QTest::keyClick(f.form.get(), Qt::Key_Escape);
        QVERIFY(f.child<QPushButton>("bbtnVmin")->isEnabled());
        QVERIFY(f.child<QMenu>("mnuPlik")->menuAction()->isEnabled());
        QVERIFY(f.child<QListView>("ListBoxProg")->isEnabled());
        // With the STOP button off, Esc does nothing.
        f.form->DisableControls();
        f.child<QPushButton>("sbtnStop")->setEnabled(false);
        QTest::keyClick(f.form.get(), Qt::Key_Escape);
        QVERIFY(!f.child<QPushButton>("bbtnVmin")->isEnabled());
    }
    void deleteAsksAndRenumbers() {
        GuiFixture f;
        f.load({"Skocz do linii(3)", "Stop", "Hamuj", "Koniec"});
        f.select(1);
        QString question;
        f.driver.then([&](QWidget *w) {
            question = messageText(w);
            auto *box = qobject_cast<QMessageBox *>(w);
            QCOMPARE(box->windowTitle(), QStringLiteral("Potwierdź"));
            QCOMPARE(box->defaultButton(), box->button(QMessageBox::No));
            answer(w, QMessageBox::No);
        });
        f.form->miUsunClick();
        QCOMPARE(question, QStringLiteral("Usunąć zaznaczoną linię ?"));
        QCOMPARE(f.form->programLines().size(), 4);
        f.driver.then([](QWidget *w) { answer(w, QMessageBox::Yes); });
        f.form->miUsunClick();
        QCOMPARE(f.form->programLines(),
                 QStringList({"001: Skocz do linii(2)", "002: Hamuj", "003: Koniec"}));
        QCOMPARE(f.form->programImage(), QStringList({"04 00 01", "0C", "05"}));
        // The final Koniec is never deleted, and no question is asked.
        f.select(2);
        f.form->miUsunClick();
        QCOMPARE(f.driver.seen.size(), 2);
    }
    void movesThroughTheToolbar() {
        GuiFixture f;
        f.load({"Skocz do linii(3)", "Stop", "Hamuj", "Koniec"});
        f.select(1);
        f.child<QAction>("tbtnWDol")->trigger();
        QCOMPARE(f.form->programLines(),
                 QStringList({"001: Skocz do linii(2)", "002: Hamuj", "003: Stop", "004: Koniec"}));
        QCOMPARE(f.child<QListView>("ListBoxProg")->currentIndex().row(), 2);
        f.child<QAction>("tbtnWDol")->trigger(); // not past the final Koniec
        f.child<QAction>("tbtnWGore")->trigger();
        QCOMPARE(f.form->programLines()[1], QStringLiteral("002: Stop"));
    }
    void listShortcutsActOnTheFocusedList() {
        GuiFixture f;
        f.load({"Stop", "Hamuj", "Koniec"});
        f.form->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(f.form.get()));
        f.child<QListView>("ListBoxProg")->setFocus();
        f.select(0);
        QTest::keySequence(f.child<QListView>("ListBoxProg"),
                           QKeySequence(QStringLiteral("Ctrl+D")));
        QCOMPARE(f.form->programLines()[1], QStringLiteral("002: Stop"));
        QTest::keySequence(f.child<QListView>("ListBoxProg"),
                           QKeySequence(QStringLiteral("Ctrl+U")));
        QCOMPARE(f.form->programLines()[0], QStringLiteral("001: Stop"));
        f.driver.then([](QWidget *w) { answer(w, QMessageBox::Yes); });
        QTest::keyClick(f.child<QListView>("ListBoxProg"), Qt::Key_Delete);
        QCOMPARE(f.form->programLines(), QStringList({"001: Hamuj", "002: Koniec"}));
        // Help without its file reports nothing.
        f.child<QAction>("miHelp")->trigger();
        QCOMPARE(f.driver.seen.size(), 1);
    }
    void saveAndOpenRoundTrip() {
        GuiFixture f;
        f.driver
            .then([](QWidget *w) { pressOk(w); }) // driver dialog
            .then([](QWidget *w) {
                qobject_cast<TWForm *>(w)->edWartosc->setValue(1000);
                pressOk(w);
            });
        f.child<QPushButton>("bbtnCzekaj")->click();
        f.child<QPushButton>("bbtnStop")->click();
        const QString file = f.path(QStringLiteral("program.dat"));
        f.driver.then([&](QWidget *w) { chooseFile(w, file); });
        f.form->miZapiszClick();
        QFile saved(file);
        QVERIFY(saved.open(QIODevice::ReadOnly));
        QCOMPARE(
            saved.readAll(),
            QByteArray("1.0\r\n0\r\n0\r\n001: Czekaj[ms](1000)\r\n002: Stop\r\n003: Koniec\r\n"));

        GuiFixture g;
        g.driver.then([&](QWidget *w) { chooseFile(w, file); });
        g.form->miOtworzClick();
        QCOMPARE(g.form->programLines(), f.form->programLines());
        QCOMPARE(g.form->programImage(), f.form->programImage());
        QCOMPARE(g.child<QLabel>("driverPanel")->text(), f.child<QLabel>("driverPanel")->text());
        QCOMPARE(g.child<QLabel>("memoryPanel")->text(), QStringLiteral("Dostępna pamięć 99,5 %"));
        // The dialog offers the last file again.
        QString offered;
        g.driver.then([&](QWidget *w) {
            offered = qobject_cast<QFileDialog *>(w)->selectedFiles().value(0);
            pressCancel(w);
        });
        g.form->miOtworzClick();
        QCOMPARE(offered, file);
    }
    void wrongVersionKeepsTheProgram() {
        GuiFixture f;
        writeProgram(f.path(QStringLiteral("b.dat")),
                     QStringLiteral("2.0\r\n0\r\n0\r\n001: Stop\r\n"));
        f.driver.acceptMessages = true;
        f.form->LoadProgramFromFile(f.path(QStringLiteral("b.dat")));
        f.form->LoadProgramFromFile(f.path(QStringLiteral("missing.dat")));
        QCOMPARE(f.driver.messages.value(0), QStringLiteral("Niepoprawna wersja pliku !"));
        QVERIFY(f.driver.messages.value(1).contains(QStringLiteral("missing.dat")));
        QCOMPARE(f.form->programLines(), QStringList{"001: Koniec"});
    }
    void damagedFilesAreOpenedWithAWord() {
        GuiFixture f;
        // UTF-8 from a Linux editor, a line that is no command, lines after the end.
        QFile file(f.path(QStringLiteral("d.dat")));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(QStringLiteral("1.0\r\n1\r\n4\r\n001: Prędkość min(1600,00) pps\r\n"
                                  "002: Prędkosc max(1600,00) pps\r\n003: Koniec\r\n004: Stop\r\n")
                       .toUtf8());
        file.close();
        f.driver.acceptMessages = true;
        f.form->LoadProgramFromFile(file.fileName());
        QCOMPARE(f.driver.messages.size(), 1);
        QCOMPARE(f.driver.messages[0],
                 QStringLiteral("Pominięto 1 linię po ostatnim poleceniu „Koniec”. Zapisanie "
                                "programu w tym samym pliku usunie je z niego.\n\n"
                                "Linia 2 nie jest poleceniem: „002: Prędkosc max(1600,00) pps”. "
                                "Takiej linii nie da się wykonać: „Programuj” i „Weryfikuj” "
                                "odmówią, dopóki jest w programie."));
        QCOMPARE(f.form->programLines(),
                 QStringList({"001: Prędkość min(1600,00) pps", "002: Prędkosc max(1600,00) pps",
                              "003: Koniec"}));
        QCOMPARE(f.form->programImage(), QStringList({"00 04 00 00 D2", "", "05"}));
        // Neither goes to the device: the banner names the line.
        f.form->findChild<QAction *>(QStringLiteral("miProgramuj"))->trigger();
        QCOMPARE(f.child<QLabel>("Panel5")->text(),
                 QStringLiteral("Program nie został wysłany: linia 2 nie jest poleceniem: "
                                "„002: Prędkosc max(1600,00) pps”"));
        f.child<QLabel>("Panel5")->clear();
        f.form->findChild<QAction *>(QStringLiteral("miWeryfikuj"))->trigger();
        QVERIFY(f.child<QLabel>("Panel5")->text().startsWith(
            QStringLiteral("Weryfikacja niemożliwa: linia 2 nie jest poleceniem")));
        QCOMPARE(f.driver.messages.size(), 1);
    }
    void fileWithoutEndKeepsItsLines() {
        GuiFixture f;
        writeProgram(f.path(QStringLiteral("n.dat")),
                     QStringLiteral("1.0\r\n1\r\n4\r\n001: Stop\r\n002: Hamuj\r\n"));
        f.driver.acceptMessages = true;
        f.form->LoadProgramFromFile(f.path(QStringLiteral("n.dat")));
        QCOMPARE(f.driver.messages, QStringList{"W pliku brakowało polecenia „Koniec”; zostało "
                                                "dodane na końcu programu."});
        QCOMPARE(f.form->programLines(), QStringList({"001: Stop", "002: Hamuj", "003: Koniec"}));
        QCOMPARE(f.form->programImage(), QStringList({"0B", "0C", "05"}));
    }
#ifdef Q_OS_UNIX
    void namedPipeIsRefusedAtOnce() {
        GuiFixture f;
        const QString fifo = f.path(QStringLiteral("x.dat"));
        QVERIFY(QProcess::execute(QStringLiteral("mkfifo"), {fifo}) == 0);
        f.driver.acceptMessages = true;
        f.form->LoadProgramFromFile(fifo);
        QCOMPARE(f.driver.messages.size(), 1);
        QVERIFY(f.driver.messages[0].contains(QStringLiteral("nie jest zwykłym plikiem")));
        QCOMPARE(f.form->programLines(), QStringList{"001: Koniec"});
    }
#endif
    void newProgramAsksToSave() {
        GuiFixture f;
        writeProgram(f.path(QStringLiteral("a.dat")),
                     QStringLiteral("1.0\r\n1\r\n4\r\n001: Stop\r\n002: Koniec\r\n"));
        f.form->LoadProgramFromFile(f.path(QStringLiteral("a.dat")));
        QString question;
        f.driver
            .then([&](QWidget *w) {
                question = messageText(w);
                auto *box = qobject_cast<QMessageBox *>(w);
                QCOMPARE(box->defaultButton(), box->button(QMessageBox::Yes));
                answer(w, QMessageBox::Yes);
            })
            .then([](QWidget *w) { pressCancel(w); }); // the save dialog: saves nothing
        f.form->miNowyClick();
        QCOMPARE(question, QStringLiteral("Zapisać bieżący prgram ?"));
        QCOMPARE(f.form->programLines(), QStringList{"001: Koniec"});
        QCOMPARE(f.form->programImage(), QStringList{"05"});
    }
    void checkShowsTheVerdict() {
        GuiFixture f;
        QString message;
        f.driver.then([&](QWidget *w) {
            message = messageText(w);
            QCOMPARE(w->windowTitle(), QStringLiteral("KORVEN"));
            pressOk(w);
        });
        f.child<QAction>("tbtnSprawdz")->trigger();
        QCOMPARE(message, QStringLiteral("Brak zdefiniowanej prędkości minimalnej !"));
        QCOMPARE(f.child<QLabel>("Panel5")->text(),
                 QStringLiteral("Składnia programu jest niepoprawna"));
        writeProgram(
            f.path(QStringLiteral("c.dat")),
            QStringLiteral("1.0\r\n1\r\n4\r\n001: Prędkość min(10,00) pps\r\n"
                           "002: Prędkość max(100,00) pps\r\n003: Przysp. max(232,83) pps/s^2\r\n"
                           "004: Koniec\r\n"));
        f.form->LoadProgramFromFile(f.path(QStringLiteral("c.dat")));
        f.child<QAction>("miSprawdz")->trigger();
        QCOMPARE(f.child<QLabel>("Panel5")->text(),
                 QStringLiteral("Składnia programu jest poprawna"));
    }
    void compileErrorIsShownAndTheListKept() {
        GuiFixture f;
        writeProgram(
            f.path(QStringLiteral("e.dat")),
            QStringLiteral(
                "1.0\r\n1\r\n4\r\n001: Stop\r\n002: Czekaj[ms](65536)\r\n003: Koniec\r\n"));
        f.driver.acceptMessages = true;
        f.form->LoadProgramFromFile(f.path(QStringLiteral("e.dat")));
        QCOMPARE(f.driver.messages,
                 QStringList{"Błąd w linii 2 (002: Czekaj[ms](65536)): czas 65536 nie mieści się w "
                             "zakresie 0..65535."});
        QCOMPARE(f.form->programLines().size(), 3);
        QVERIFY(f.form->programImage().isEmpty());
        QCOMPARE(f.child<QLabel>("memoryPanel")->text(), QStringLiteral("Błąd w programie"));
    }
    void listDrawsMarksAndComments() {
        GuiFixture f;
        f.load({"Stop  # chwytak", "Hamuj", "Koniec"});
        auto *list = f.child<QListView>("ListBoxProg");
        auto *model = qobject_cast<ProgramListModel *>(list->model());
        QVERIFY(model);
        using Mark = ProgramListModel::LineMark;
        model->setMarkedRows(Mark::Breakpoint, {1});
        model->setMarkedRows(Mark::Difference, {2});
        QCOMPARE(model->index(1).data(ProgramListModel::MarksRole).toInt(), int(Mark::Breakpoint));
        QCOMPARE(model->index(0).data(ProgramListModel::MarksRole).toInt(), 0);
        // The list lays its rows out once the events run.
        QTRY_VERIFY(list->visualRect(model->index(2)).isValid());
        const QImage image = list->viewport()->grab().toImage();
        const auto rowRect = [&](int row) { return list->visualRect(model->index(row)); };
        const auto count = [&](const QRect &area, auto wanted) {
            int n = 0;
            for (int y = area.top(); y <= area.bottom(); ++y)
                for (int x = area.left(); x <= area.right(); ++x)
                    n += wanted(image.pixelColor(x, y)) ? 1 : 0;
            return n;
        };
        const auto red = [](const QColor &c) { return c.red() > 150 && c.green() < 80; };
        const auto gutter = [&](int row) {
            QRect r = rowRect(row);
            r.setWidth(ProgramListDelegate::kGutterWidth);
            return r;
        };
        QVERIFY(count(gutter(1), red) > 10);
        QCOMPARE(count(gutter(0), red), 0);
        // The difference tints the whole row; the comment is drawn in its own colour.
        QVERIFY(count(rowRect(2), [](const QColor &c) {
                    return c.red() > 240 && c.green() < 220 && c.blue() < 220;
                }) > rowRect(2).width() * 4);
        QVERIFY(count(rowRect(0), [](const QColor &c) {
                    return c.green() > c.red() + 30 && c.green() > c.blue() + 20;
                }) > 5);
        QCOMPARE(ProgramListDelegate::commentStart(QStringLiteral("001: Stop  # a")), 9);
        QCOMPARE(ProgramListDelegate::commentStart(QStringLiteral("001: Stop")), -1);
        // Clearing a mark takes it off the row.
        model->setMarkedRows(Mark::Breakpoint, {});
        QCOMPARE(model->index(1).data(ProgramListModel::MarksRole).toInt(), 0);
    }
    void commandAreaKeepsItsWidth() {
        GuiFixture f;
        QWidget *area = f.child<QLabel>("Panel5")->parentWidget();
        f.form->resize(800, 600);
        QTest::qWait(20);
        const int listWidth = f.child<QListView>("ListBoxProg")->width();
        const int areaWidth = area->width();
        QVERIFY(areaWidth >= 425);
        f.form->resize(1200, 700);
        QTest::qWait(20);
        QCOMPARE(area->width(), areaWidth);
        // The design's sizes are minimums of the command area's parts.
        for (const QPushButton *b : area->findChildren<QPushButton *>()) {
            QVERIFY(b->width() >= 160 && b->height() >= 25);
        }
        for (const QGroupBox *g : area->findChildren<QGroupBox *>())
            QVERIFY(g->width() >= 193 && g->height() >= 166);
        QVERIFY(f.child<QLabel>("Panel5")->height() >= 38);
        QVERIFY(f.child<QListView>("ListBoxProg")->width() > listWidth + 300);
        QCOMPARE(f.child<QProgressBar>("ProgressBar1")->width(), 185);
        QCOMPARE(f.child<QPushButton>("sbtnStop")->text(), QStringLiteral("STOP [ESC]"));
        QCOMPARE(f.child<QPushButton>("sbtnStop")->toolTip(), QStringLiteral("Stop awaryjny"));
    }
    void shutdownPauseKeepsTheWindowResponsive() {
        GuiFixture f;
        f.form->setShutdownPause(400);
        QElapsedTimer clock;
        clock.start();
        qint64 tick = -1;
        QTimer::singleShot(100, [&] { tick = clock.elapsed(); });
        QSignalSpy ended(f.form.get(), &TMainForm::shutDownEnded);
        f.form->close();
        QVERIFY(!f.form->isVisible()); // hidden at once
        QCOMPARE(ended.count(), 0);    // the program ends only after the pause
        const QString ini = f.path(QStringLiteral("rs232.ini"));
        QVERIFY(!QFile::exists(ini));
        QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(ini), 3000);
        QVERIFY(clock.elapsed() >= 390);
        QVERIFY2(tick >= 0 && tick < 390, "events run during the pause");
        QTRY_COMPARE(ended.count(), 1);
        f.form->close(); // a second close ends nothing more
        QVERIFY(!f.form->isVisible());
    }
    void aboutBoxAndSplash() {
        QString version;
        DialogDriver driver;
        driver.then([&](QWidget *w) {
            version = qobject_cast<TAboutForm *>(w)->lblVersion->text();
            pressOk(w);
        });
        GuiFixture f;
        f.child<QAction>("miAbout")->trigger();
        QVERIFY(version.startsWith(QStringLiteral("Wersja: 1.0.1  [Build: ")));

        TLogoForm logo;
        QElapsedTimer clock;
        clock.start();
        logo.showUntilTimerEnds();
        QVERIFY(clock.elapsed() >= 1400);
        QVERIFY(!logo.isVisible());
        QVERIFY(logo.ver->text().startsWith(QStringLiteral("Program KORVEN wersja 1.0.1")));
        QVERIFY(!logo.picture->pixmap().isNull()); // the JPEG decoded
        const QString shots = qEnvironmentVariable("KORVEN_SCREENSHOTS");
        if (!shots.isEmpty()) {
            f.form->resize(792, 560);
            QTest::qWait(100);
            f.form->grab().save(shots + QStringLiteral("/main.png"));
            logo.show();
            QTest::qWait(100);
            logo.grab().save(shots + QStringLiteral("/splash.png"));
        }
    }
};

QTEST_MAIN(TestGuiWindow)
#include "tst_gui_window.moc"
