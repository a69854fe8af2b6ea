// Start-up with windows: Qt's own dialogs in Polish, settings of a read-only program
// folder in the user's folder, the program file of the command line, the recent files
// of the file menu and the help command.

#include "GuiFixture.h"
#include "MissingFileReason.h"
#include "QtTranslations.h"
#include "Startup.h"
#include "TestFiles.h"
#include "Unprivileged.h"

#include <QAction>
#include <QDesktopServices>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPrintPreviewDialog>
#include <QTemporaryFile>
#include <QTest>
#include <QUrl>

using namespace korven;

namespace {

QString withoutMnemonic(QString text) { return text.remove(QLatin1Char('&')); }

QString programText(const QStringList &bodies) {
    QString text = QStringLiteral("1.0\r\n1\r\n4\r\n");
    for (int i = 0; i < bodies.size(); ++i)
        text += formatLine(i + 1, bodies[i]) + QStringLiteral("\r\n");
    return text;
}

QString writeProgram(const QTemporaryDir &dir, const QString &name, const QStringList &bodies) {
    return writeTestFile(dir, name, encodeCp1250(programText(bodies)));
}

QAction *recentEntry(QWidget *window, int number) {
    return window->findChild<QAction *>(QStringLiteral("miOstatniPlik%1").arg(number));
}

} // namespace

// Receives what the help command asks the desktop to open.
class UrlCatcher : public QObject {
    Q_OBJECT
public:
    QList<QUrl> urls;
public slots:
    void open(const QUrl &url) { urls.append(url); }
};

class TestGuiStartup : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() {
        QVERIFY(!installPolishQtTranslations(QCoreApplication::applicationDirPath()).isEmpty());
    }

    void fileDialogsAndTheirQuestionsInPolish() {
        QTemporaryDir dir;
        writeTestFile(dir, QStringLiteral("stary.dat"), "1.0\r\n");
        QFileDialog dialog(nullptr, QStringLiteral("Zapisz"), dir.path(),
                           QStringLiteral("*.dat (*.dat)"));
        dialog.setOption(QFileDialog::DontUseNativeDialog);
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        QString saveText, cancelText, question, noText;
        DialogDriver driver;
        driver
            .then([&](QWidget *w) {
                auto *box = w->findChild<QDialogButtonBox *>();
                QVERIFY(box);
                saveText = withoutMnemonic(box->button(QDialogButtonBox::Save)->text());
                cancelText = withoutMnemonic(box->button(QDialogButtonBox::Cancel)->text());
                w->findChild<QLineEdit *>(QStringLiteral("fileNameEdit"))
                    ->setText(QStringLiteral("stary.dat"));
                box->button(QDialogButtonBox::Save)->click();
            })
            .then([&](QWidget *w) {
                auto *box = qobject_cast<QMessageBox *>(w);
                QVERIFY(box);
                question = box->text();
                noText = withoutMnemonic(box->button(QMessageBox::No)->text());
                box->button(QMessageBox::No)->click();
                QTimer::singleShot(0, &dialog, &QDialog::reject);
            });
        dialog.exec();
        QCOMPARE(driver.pending(), 0);
        QCOMPARE(saveText, QStringLiteral("Zachowaj")); // Qt's own word
        QCOMPARE(cancelText, QStringLiteral("Anuluj"));
        QVERIFY2(question.contains(QStringLiteral("stary.dat")) &&
                     question.contains(QStringLiteral("już istnieje")),
                 qPrintable(question));
        QCOMPARE(noText, QStringLiteral("Nie"));

        QFileDialog open(nullptr, QStringLiteral("Otwórz"), dir.path());
        open.setOption(QFileDialog::DontUseNativeDialog);
        open.setFileMode(QFileDialog::ExistingFile);
        QString openText;
        driver.then([&](QWidget *w) {
            openText = withoutMnemonic(
                w->findChild<QDialogButtonBox *>()->button(QDialogButtonBox::Open)->text());
            static_cast<QDialog *>(w)->reject();
        });
        open.exec();
        QCOMPARE(openText, QStringLiteral("Otwórz"));
    }

    void printPreviewInPolish() {
        QPrintPreviewDialog preview;
        QStringList texts;
        for (const QAction *action : preview.findChildren<QAction *>())
            texts << action->text();
        QVERIFY2(texts.contains(QStringLiteral("Wydrukuj")), qPrintable(texts.join(", ")));
        QVERIFY2(texts.contains(QStringLiteral("Ustawienia strony")), qPrintable(texts.join(", ")));
    }

    void settingsOfAReadOnlyProgramFolderGoToTheUserFolder() {
        QTemporaryDir program, home;
        const QString programDir = program.path() + QLatin1Char('/');
        QFile::setPermissions(program.path(), QFile::ReadOwner | QFile::ExeOwner |
                                                  QFile::ReadOther | QFile::ExeOther);
        const auto restore = qScopeGuard([&] {
            QFile::setPermissions(program.path(),
                                  QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        });
        if (QTemporaryFile(programDir + QStringLiteral("probe")).open())
            QSKIP("this account writes into read-only folders");
        qputenv("XDG_CONFIG_HOME", home.path().toLocal8Bit());
        const QString userDir = home.filePath(QStringLiteral("KORVEN/"));
        QTemporaryDir files;
        const QString dat = writeProgram(files, QStringLiteral("p.dat"), {"Koniec"});
        {
            TMainForm form(programDir, false);
            form.setShutdownPause(0);
            QCOMPARE(form.settingsDir(), userDir);
            form.LoadProgramFromFile(dat); // stores the driver choice in mi.ini
            form.close();
        }
        QVERIFY(QFile::exists(userDir + QStringLiteral("mi.ini")));
        QVERIFY(QFile::exists(userDir + QStringLiteral("rs232.ini")));
        QVERIFY(readTestFile(userDir + QStringLiteral("mi.ini")).contains("Sterownik=1"));
        QVERIFY(readTestFile(userDir + QStringLiteral("korven.ini")).contains("p.dat"));
        QCOMPARE(QDir(program.path()).entryList(QDir::Files | QDir::Hidden), QStringList());

        // A writable folder keeps them beside the program, as a portable copy does.
        GuiFixture portable;
        QCOMPARE(portable.form->settingsDir(), portable.dir.path() + QLatin1Char('/'));
    }

    void commandLineFileIsOpenedAfterStartUp() {
        QTemporaryDir dir;
        const QString dat = writeProgram(dir, QStringLiteral("linia 3.dat"),
                                         {"Czekaj[ms](250)", "Czekaj[s](2)", "Koniec"});
        const StartupArguments arguments =
            StartupArguments::parse({QStringLiteral("korven"), QStringLiteral("test"), dat});
        QVERIFY(arguments.testMode);
        QTemporaryDir programDir;
        TMainForm form(programDir.path() + QLatin1Char('/'), arguments.testMode);
        form.setShutdownPause(0);
        TProgForm prog;
        DialogDriver driver;
        driver.acceptMessages = true; // no port COM1 here
        startMainWindow(form, prog, arguments);
        // The window starts with the one-line program, then the file replaces it.
        QTRY_COMPARE_WITH_TIMEOUT(form.programLines().size(), 3, 5000);
        QCOMPARE(form.programLines()[1], QStringLiteral("002: Czekaj[s](2)"));
        QVERIFY(form.findChild<QAction *>(QStringLiteral("miShowProgram"))->isVisible());
        QCOMPARE(form.programImage().size(), 3);
        QCOMPARE(recentEntry(&form, 1)->text(),
                 QStringLiteral("&1 ") + QDir::toNativeSeparators(dat));

        // A file that cannot be read says why, in Polish, and the program stays.
        TMainForm other(programDir.path() + QLatin1Char('/'), false);
        other.setShutdownPause(0);
        TProgForm otherProg;
        driver.messages.clear();
        startMainWindow(
            other, otherProg,
            StartupArguments::parse({"korven", dir.filePath(QStringLiteral("brak.dat"))}));
        QTRY_COMPARE_WITH_TIMEOUT(driver.messages.size(), 2, 5000);
        QCOMPARE(driver.messages[1],
                 QStringLiteral("Nie można otworzyć pliku brak.dat: ") + missingFileReason());
        QCOMPARE(other.programLines(), QStringList{QStringLiteral("001: Koniec")});
    }

    void recentFilesInTheFileMenu() {
        GuiFixture f;
        QTemporaryDir dir;
        QVERIFY(!recentEntry(f.form.get(), 1)->isVisible());
        const QString a = writeProgram(dir, QStringLiteral("a.dat"), {"Czekaj[ms](1)", "Koniec"});
        const QString b = writeProgram(dir, QStringLiteral("b&b.dat"), {"Koniec"});
        f.form->LoadProgramFromFile(a);
        QVERIFY(f.form->SaveProgramToFile(dir.filePath(QStringLiteral("c.dat"))));
        f.form->LoadProgramFromFile(b);
        QCOMPARE(f.form->programLines().size(), 1);
        QAction *first = recentEntry(f.form.get(), 1);
        QVERIFY(first->isVisible());
        QCOMPARE(first->text(),
                 QStringLiteral("&1 ") + QDir::toNativeSeparators(dir.filePath("b&&b.dat")));
        QVERIFY(recentEntry(f.form.get(), 2)->text().endsWith(QStringLiteral("c.dat")));
        QVERIFY(recentEntry(f.form.get(), 3)->text().endsWith(QStringLiteral("a.dat")));
        QVERIFY(!recentEntry(f.form.get(), 4)->isVisible());
        // The entries stand in the file menu, above "&Zamknij".
        auto *menu = f.form->findChild<QMenu *>(QStringLiteral("mnuPlik"));
        const QList<QAction *> actions = menu->actions();
        QVERIFY(actions.indexOf(first) <
                actions.indexOf(f.form->findChild<QAction *>("miZamknij")));
        QVERIFY(actions.indexOf(first) > actions.indexOf(f.form->findChild<QAction *>("miZapisz")));

        // Choosing an entry opens that program, which moves up.
        recentEntry(f.form.get(), 3)->trigger();
        QCOMPARE(f.form->programLines().size(), 2);
        QVERIFY(recentEntry(f.form.get(), 1)->text().endsWith(QStringLiteral("a.dat")));

        // Busy: the entries are off with the menu.
        f.form->DisableControls();
        QVERIFY(!first->isEnabled());
        f.form->EnableControls();
        QVERIFY(first->isEnabled());

        // The next start shows the same list; a file gone since is reported and dropped.
        QFile::remove(dir.filePath(QStringLiteral("c.dat")));
        TMainForm again(f.dir.path() + QLatin1Char('/'), false);
        again.setShutdownPause(0);
        QVERIFY(recentEntry(&again, 3)->text().endsWith(QStringLiteral("c.dat")));
        f.driver.acceptMessages = true;
        recentEntry(&again, 3)->trigger();
        QTRY_COMPARE_WITH_TIMEOUT(f.driver.messages.size(), 1, 5000);
        QCOMPARE(f.driver.messages[0],
                 QStringLiteral("Nie można otworzyć pliku c.dat: ") + missingFileReason());
        QVERIFY(!recentEntry(&again, 3)->isVisible());
    }

    void helpOpensTheChmElseTheManual() {
        UrlCatcher catcher;
        QDesktopServices::setUrlHandler(QStringLiteral("file"), &catcher, "open");
        const auto unset =
            qScopeGuard([] { QDesktopServices::unsetUrlHandler(QStringLiteral("file")); });
        GuiFixture f;
        auto *help = f.form->findChild<QAction *>(QStringLiteral("miHelp"));
        auto *banner = f.form->findChild<QLabel *>(QStringLiteral("Panel5"));
        help->trigger();
        QVERIFY(catcher.urls.isEmpty());
        QCOMPARE(banner->text(), QStringLiteral("Brak pliku pomocy korven.chm i podręcznika"));

        QDir(f.dir.path()).mkpath(QStringLiteral("doc"));
        writeTestFile(f.dir, QStringLiteral("doc/index.html"), "<html></html>");
        QCOMPARE(help->shortcut(), QKeySequence(Qt::Key_F1));
        help->trigger();
        QCOMPARE(catcher.urls.size(), 1);
        QCOMPARE(catcher.urls[0], QUrl::fromLocalFile(f.path(QStringLiteral("doc/index.html"))));

        writeTestFile(f.dir, QStringLiteral("korven.chm"), "ITSF");
        f.form->findChild<QAction *>(QStringLiteral("tbtnPomoc"))->trigger();
        QCOMPARE(catcher.urls.size(), 2);
        QCOMPARE(catcher.urls[1], QUrl::fromLocalFile(f.path(QStringLiteral("korven.chm"))));
    }
};

int main(int argc, char *argv[]) {
    dropRootPrivileges();
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("KORVEN"));
    TestGuiStartup test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_gui_startup.moc"
