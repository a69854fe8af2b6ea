// The parameter dialogs as the user types into them, their sizes, the compile error's
// message box and the file dialogs.

#include "GuiFixture.h"

#include "DialogBase.h"
#include "FileDialogs.h"
#include "Messages.h"
#include "edSkoczJesliWejscie.h"
#include "logo.h"
#include "wartosc.h"

#include "TestFiles.h"
#include "TypedInteger.h"

#include <QApplication>
#include <QFileDialog>
#include <QFileSystemModel>
#include <QFocusEvent>
#include <QLabel>
#include <QLineEdit>
#include <QScreen>
#include <QTest>

#ifdef Q_OS_UNIX
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif
#ifdef Q_OS_LINUX
#include <sys/inotify.h>

#include <atomic>
#include <thread>
#endif

using namespace korven;

namespace {

// Types text into the value dialog's field as the user does.
void typeValue(QSpinBox *field, const QString &text) {
    field->setFocus();
    field->selectAll();
    QTest::keyClicks(field, text);
}

void leaveField(QWidget *field) {
    QFocusEvent out(QEvent::FocusOut, Qt::TabFocusReason);
    QApplication::sendEvent(field, &out);
}

#ifdef Q_OS_UNIX
// Notices anyone opening the FIFOs for reading: a writer can open a FIFO without
// blocking only while a reader is there. Its open and close also free that reader, so
// a test that fails never hangs.
class FifoWatch {
public:
    explicit FifoWatch(QStringList paths) : m_paths(std::move(paths)) {
        m_thread = std::thread([this] {
            while (!m_stop) {
                for (const QString &path : m_paths) {
                    const int fd =
                        ::open(QFile::encodeName(path).constData(), O_WRONLY | O_NONBLOCK);
                    if (fd >= 0) {
                        ++m_readers;
                        ::close(fd);
                    }
                }
                std::this_thread::sleep_for(std::chrono::milliseconds(10));
            }
        });
    }
    ~FifoWatch() {
        m_stop = true;
        m_thread.join();
    }
    int readers() const { return m_readers; }

private:
    QStringList m_paths;
    std::atomic<bool> m_stop{false};
    std::atomic<int> m_readers{0};
    std::thread m_thread;
};
#endif

#ifdef Q_OS_LINUX
// The names of the files opened in a folder from now on.
class OpenWatch {
public:
    explicit OpenWatch(const QString &folder) : m_fd(inotify_init1(IN_NONBLOCK)) {
        inotify_add_watch(m_fd, QFile::encodeName(folder).constData(), IN_OPEN);
    }
    ~OpenWatch() { ::close(m_fd); }
    QStringList opened() {
        alignas(inotify_event) char buffer[4096];
        ssize_t n;
        while ((n = ::read(m_fd, buffer, sizeof buffer)) > 0) {
            for (char *p = buffer; p < buffer + n;) {
                const auto *event = reinterpret_cast<const inotify_event *>(p);
                if (event->len > 0)
                    m_opened << QFile::decodeName(event->name);
                p += sizeof(inotify_event) + event->len;
            }
        }
        return m_opened;
    }

private:
    int m_fd;
    QStringList m_opened;
};
#endif

} // namespace

class TestGuiDialogs : public QObject {
    Q_OBJECT
private slots:
    void typingBeyondTheRange() {
        GuiFixture f;
        f.load({"Stop", "Koniec"});
        QStringList shown;
        QString range;
        bool stillOpen = false;
        f.driver.then([&](QWidget *w) {
            auto *d = qobject_cast<TWForm *>(w);
            typeValue(d->edWartosc, QStringLiteral("70000"));
            shown << d->edWartosc->text();
            QTest::keyClick(d->edWartosc, Qt::Key_Return);
            // Not taken: the clamped value and the highlighted range are shown.
            stillOpen = d->isVisible();
            shown << d->edWartosc->text();
            range = d->lblZakres->text();
            QVERIFY(!d->lblZakres->styleSheet().isEmpty());
            QTest::keyClick(d->edWartosc, Qt::Key_Return);
        });
        f.child<QPushButton>("bbtnCzekaj")->click();
        QVERIFY(stillOpen);
        QCOMPARE(shown, QStringList({"70000", "65535"}));
        QCOMPARE(range, QStringLiteral("(0 .. 65535)"));
        QCOMPARE(f.form->programLines()[1], QStringLiteral("002: Czekaj[ms](65535)"));

        // The position has no range text until a value beyond it was typed.
        shown.clear();
        f.driver.then([&](QWidget *w) {
            auto *d = qobject_cast<TWForm *>(w);
            QVERIFY(d->lblZakres->text().isEmpty());
            typeValue(d->edWartosc, QStringLiteral("-8388608"));
            shown << d->edWartosc->text();
            leaveField(d->edWartosc);
            shown << d->edWartosc->text() << d->lblZakres->text();
            pressOk(w); // sees the clamped value first
            stillOpen = d->isVisible();
            pressOk(w);
        });
        f.child<QPushButton>("bbtnZnajdzPozycje")->click();
        QVERIFY(stillOpen);
        QCOMPARE(shown, QStringList({"-8388608", "-8388607", "(-8388607 .. 8388607)"}));
        QCOMPARE(f.form->programLines()[2], QStringLiteral("003: Znajdź pozycję(-8388607)"));

        // A value within the range is taken at the first Enter.
        f.driver.then([&](QWidget *w) {
            auto *d = qobject_cast<TWForm *>(w);
            typeValue(d->edWartosc, QStringLiteral("65535"));
            QTest::keyClick(d->edWartosc, Qt::Key_Return);
        });
        f.child<QPushButton>("bbtnCzekaj")->click();
        QCOMPARE(f.driver.pending(), 0);
        QCOMPARE(f.form->programLines()[3], QStringLiteral("004: Czekaj[ms](65535)"));

        // An emptied field without a range stands for 0, shown before it is taken.
        f.select(3);
        f.driver.then([&](QWidget *w) {
            auto *d = qobject_cast<TWForm *>(w);
            typeValue(d->edWartosc, QString());
            QTest::keyClick(d->edWartosc, Qt::Key_Delete);
            QTest::keyClick(d->edWartosc, Qt::Key_Return);
            shown = {d->edWartosc->text()};
            QTest::keyClick(d->edWartosc, Qt::Key_Return);
        });
        f.form->ListBoxProgDblClick();
        QCOMPARE(shown, QStringList({"0"}));
        QCOMPARE(f.form->programLines()[3], QStringLiteral("004: Czekaj[ms](0)"));
    }
    void typedTextAgainstTheRange() {
        using S = TypedInteger::State;
        QCOMPARE(TypedInteger::classify(QStringLiteral("-"), 0, 10), S::Partial);
        QCOMPARE(TypedInteger::classify(QString(), 0, 10), S::Partial);
        QCOMPARE(TypedInteger::classify(QStringLiteral("1x"), 0, 10), S::Invalid);
        QCOMPARE(TypedInteger::classify(QStringLiteral("+10"), 0, 10), S::InRange);
        QCOMPARE(TypedInteger::classify(QStringLiteral("-1"), 0, 10), S::OutOfRange);
        // More digits than 64 bits hold: beyond the range, and clamped by their sign.
        const QString huge = QStringLiteral("123456789012345678901234567890");
        QCOMPARE(TypedInteger::classify(huge, 0, 10), S::OutOfRange);
        QCOMPARE(TypedInteger::clamped(huge, 0, 10), 10);
        QCOMPARE(TypedInteger::clamped(QLatin1Char('-') + huge, -5, 10), -5);
        QCOMPARE(TypedInteger::clamped(QStringLiteral("abc"), -5, 10), -5);
    }
    void jumpIfStartsInItsLineFieldShowingTheStoredTarget() {
        GuiFixture f;
        f.load({"Skocz jeśli wejście(9)(2)(1)", "Stop", "Koniec"});
        f.select(0);
        QString shown;
        bool focused = false;
        f.driver.then([&](QWidget *w) {
            auto *d = qobject_cast<TedSkoczJWejForm *>(w);
            QTRY_VERIFY_WITH_TIMEOUT(d->isActiveWindow(), 2000);
            focused = d->focusWidget() == d->edNrLinii;
            shown = d->edNrLinii->text();
            pressOk(w);
            shown += QLatin1Char(' ') + d->edNrLinii->text();
            pressOk(w);
        });
        f.form->ListBoxProgDblClick();
        QVERIFY(focused);
        QCOMPARE(shown, QStringLiteral("9 3"));
        QCOMPARE(f.form->programLines()[0], QStringLiteral("001: Skocz jeśli wejście(3)(2)(1)"));
    }
    void dialogsFitTheirCaptions() {
        GuiFixture f;
        f.load({"Stop", "Koniec"});
        const QStringList buttons{"bbtnVmin",
                                  "bbtnVmax",
                                  "bbtnVtarget",
                                  "bbtn_a_max",
                                  "bbtnCzekaj",
                                  "bbtnCzekajs",
                                  "bbtnPrzemieszczenie",
                                  "bbtnSkoczJesliWejsice",
                                  "bbtnSkoczJesliLicznikPowtorzen",
                                  "bbtnEnable",
                                  "bbtnUstawLicznikPowtorzen",
                                  "bbtnPrzelaczWyjscie",
                                  "bbtnUstawWyjscia",
                                  "bbtnZnajdzPozycje",
                                  "bbtnZnajdzHome"};
        for (const QString &name : buttons) {
            auto *button = f.form->findChild<QPushButton *>(name);
            QVERIFY2(button, qPrintable(name));
            f.driver.then([&](QWidget *w) {
                const QString title = w->windowTitle();
                QVERIFY2(w->width() >= ui::DialogBase::captionWidth(title), qPrintable(title));
                QVERIFY2(w->minimumSize() == w->maximumSize(), qPrintable(title));
                QVERIFY(!(w->windowFlags() & Qt::WindowMaximizeButtonHint));
                pressCancel(w);
            });
            button->click();
            QCOMPARE(f.driver.pending(), 0);
        }
    }
    void splashVersionOnOneLine() {
        TLogoForm logo;
        logo.show();
        QVERIFY(!logo.ver->wordWrap());
        QCOMPARE(logo.width(), 316);
        QVERIFY(logo.ver->fontMetrics().horizontalAdvance(logo.ver->text()) <=
                logo.ver->contentsRect().width());
    }
    void messageOverAHiddenWindowIsCentred() {
        QWidget hidden;
        DialogDriver driver;
        QPoint offset;
        driver.then([&](QWidget *w) {
            offset = w->frameGeometry().center() -
                     QGuiApplication::primaryScreen()->availableGeometry().center();
            pressOk(w);
        });
        ui::showMessage(&hidden, QStringLiteral("Nie mogę otworzyć portu: ttyS9"));
        QVERIFY2(offset.manhattanLength() <= 2,
                 qPrintable(QStringLiteral("%1 %2").arg(offset.x()).arg(offset.y())));
    }
    void compileErrorInterruptsOnce() {
        GuiFixture f;
        f.driver.acceptMessages = true;
        f.load({"Stop", "Czekaj[ms](abc)", "Koniec"});
        QCOMPARE(f.driver.messages.size(), 1);
        const QString error = f.driver.messages.first();
        QCOMPARE(f.child<QLabel>("Panel5")->text(), error);
        // Moving the line and a cancelled edit keep it quiet, in the banner.
        f.select(1);
        f.form->sbtnPrzesunWGoreClick();
        QCOMPARE(f.driver.messages.size(), 1);
        QVERIFY(f.child<QLabel>("Panel5")->text().contains(QLatin1String("Czekaj[ms](abc)")));
        QCOMPARE(f.child<QLabel>("memoryPanel")->text(), QStringLiteral("Błąd w programie"));
        f.select(1);
        f.driver.then([](QWidget *w) { pressCancel(w); });
        f.child<QPushButton>("bbtnStop")->click();
        QCOMPARE(f.driver.messages.size(), 1);
        // Opening the file again shows it again; a program without it clears the banner.
        f.load({"Stop", "Czekaj[ms](abc)", "Koniec"});
        QCOMPARE(f.driver.messages.size(), 2);
        f.load({"Stop", "Koniec"});
        QCOMPARE(f.driver.messages.size(), 2);
        QVERIFY(f.child<QLabel>("Panel5")->text().isEmpty());
    }
#ifdef Q_OS_UNIX
    void fileDialogReadsNoFile() {
        QTemporaryDir dir;
        const QString plain = dir.filePath(QStringLiteral("kolejka"));
        const QString dat = dir.filePath(QStringLiteral("kolejka.dat"));
        QCOMPARE(::mkfifo(QFile::encodeName(plain).constData(), 0600), 0);
        QCOMPARE(::mkfifo(QFile::encodeName(dat).constData(), 0600), 0);
        // Files whose type only their contents tell.
        writeTestFile(dir, QStringLiteral("dane"), "#!/bin/sh\necho\n");
        writeTestFile(dir, QStringLiteral("program.dat"), "1.0\r\n1\r\n4\r\n001: Koniec\r\n");
        FifoWatch watch({plain, dat});
#ifdef Q_OS_LINUX
        OpenWatch opens(dir.path());
#endif
        ui::FileRequest request{QStringLiteral("Zapisz"), QStringLiteral("*.dat (*.dat)"),
                                QStringLiteral("dat"), dir.path(), dat};
        request.save = true;
        // The pseudo-file selected, as a failed save offered it again.
        const auto dialog = ui::fileDialog(nullptr, request);
        auto *model = dialog->findChild<QFileSystemModel *>();
        QVERIFY(model);
        dialog->show();
        // The folder is read in the background: give it the time to fetch every entry.
        QTest::qWait(1000);
        const QModelIndex fifo = model->index(dat, 2);
        QVERIFY(fifo.isValid());
        model->data(fifo); // its type
        QCOMPARE(watch.readers(), 0);
#ifdef Q_OS_LINUX
        QCOMPARE(opens.opened(), QStringList());
#endif
    }
#endif
    void failedSaveOpensInTheLastFolderThatWorked() {
        GuiFixture f;
        f.load({"Stop", "Koniec"});
        const QString good = f.path(QStringLiteral("p2.dat"));
        const QString bad = f.path(QStringLiteral("korven-no-such-folder/x.dat"));
        QString folder;
        QString name;
        const auto saveAs = [&](const QString &file) {
            f.driver.then([&, file](QWidget *w) {
                auto *d = qobject_cast<QFileDialog *>(w);
                folder = d->directory().absolutePath();
                name = d->selectedFiles().value(0);
                // Typed into the name field, as the user does.
                d->findChild<QLineEdit *>(QStringLiteral("fileNameEdit"))->setText(file);
                static_cast<QDialog *>(d)->accept();
                if (d->isVisible()) { // not taken: fail, never hang
                    d->reject();
                    folder.clear();
                }
            });
        };
        saveAs(good);
        f.form->miZapiszClick();
        QVERIFY(QFile::exists(good));
        f.driver.acceptMessages = true;
        saveAs(bad);
        f.form->miZapiszClick();
        QCOMPARE(f.driver.messages.size(), 1); // the failure
        QCOMPARE(folder, f.dir.path());
        saveAs(f.path(QStringLiteral("p3.dat")));
        f.form->miZapiszClick();
        QCOMPARE(folder, f.dir.path());
        QCOMPARE(QFileInfo(name).fileName(), QStringLiteral("x.dat"));
        QVERIFY(QFile::exists(f.path(QStringLiteral("p3.dat"))));
    }
};

QTEST_MAIN(TestGuiDialogs)
#include "tst_gui_dialogs.moc"
