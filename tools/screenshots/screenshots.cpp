// korven-screenshots OUTPUT_DIR: opens the main window on an example program, as a user
// would, and saves the window and the dialogs the manual shows as PNG pictures. Controls
// are found by their object names; each dialog is grabbed once it is up, then closed.

#include "Cp1250.h"
#include "PodgladProg.h"
#include "QtTranslations.h"
#include "main.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QDoubleSpinBox>
#include <QFile>
#include <QListView>
#include <QMessageBox>
#include <QPushButton>
#include <QSpinBox>
#include <QStyleFactory>
#include <QTemporaryDir>
#include <QTimer>

#include <cstdio>
#include <functional>

using namespace korven;

namespace {

const char *const kExample = "1.0\r\n0\r\n0\r\n"
                             "001: Enable/Disable(High)\r\n"
                             "002: Prędkość min(200,00) pps\r\n"
                             "003: Prędkość max(2000,00) pps\r\n"
                             "004: Przysp. max(5000,00) pps/s^2\r\n"
                             "005: Zeruj licznik pozycji\r\n"
                             "006: Ustaw licznik powtórzeń(9)\r\n"
                             "007: Znajdź pozycję(4000)  # nad detalem\r\n"
                             "008: Czekaj[ms](250)\r\n"
                             "009: Znajdź pozycję(0)\r\n"
                             "010: Ustaw wyjście(1)(1)  # chwytak się zamyka\r\n"
                             "011: Skocz jeśli licz. powt.(7)  # dziewięć razy\r\n"
                             "012: Wyjścia(0,0,0,0,0,0,0,0)\r\n"
                             "013: Koniec\r\n";

// Pick and place: out to 20000, OUT 1 on, wait for IN 3, back, OUT 1 off, ten times.
const char *const kPickAndPlace = "1.0\r\n0\r\n0\r\n"
                                  "001: Enable/Disable(High)\r\n"
                                  "002: Prędkość min(200,00) pps\r\n"
                                  "003: Prędkość max(2000,00) pps\r\n"
                                  "004: Przysp. max(5000,00) pps/s^2\r\n"
                                  "005: Zeruj licznik pozycji\r\n"
                                  "006: Ustaw licznik powtórzeń(9)\r\n"
                                  "007: Znajdź pozycję(20000)\r\n"
                                  "008: Czekaj[ms](300)\r\n"
                                  "009: Ustaw wyjście(1)(1)\r\n"
                                  "010: Skocz jeśli wejście(10)(3)(0)\r\n"
                                  "011: Znajdź pozycję(0)\r\n"
                                  "012: Ustaw wyjście(1)(0)\r\n"
                                  "013: Skocz jeśli licz. powt.(7)\r\n"
                                  "014: Koniec\r\n";

QString g_outputDir;
int g_failures = 0;

bool save(QWidget *widget, const QString &name) {
    const QString path = QDir(g_outputDir).filePath(name);
    const bool ok = widget->grab().save(path);
    std::fprintf(ok ? stdout : stderr, "%s %s\n", ok ? "zapisano" : "BŁĄD", qPrintable(path));
    if (!ok)
        ++g_failures;
    return ok;
}

// Grabs the next modal window into a picture and closes it with close(), while trigger()
// sits in the window's exec().
void grabModal(const QString &name, const std::function<void()> &trigger,
               const std::function<void(QWidget *)> &close) {
    QWidget *const before = QApplication::activeModalWidget();
    auto *poll = new QTimer;
    int ticks = 0;
    int seenAt = -1;
    QObject::connect(poll, &QTimer::timeout, [&, poll] {
        QWidget *modal = QApplication::activeModalWidget();
        if (++ticks > 250) { // 5 s: the dialog never came
            std::fprintf(stderr, "BŁĄD brak okna dla %s\n", qPrintable(name));
            ++g_failures;
            poll->stop();
            return;
        }
        if (!modal || modal == before || !modal->isVisible())
            return;
        // Some time to lay out and render; the preview opens at a useful size.
        if (seenAt < 0) {
            seenAt = ticks;
            if (modal->inherits("QPrintPreviewDialog"))
                modal->resize(760, 560);
        }
        if (ticks - seenAt < 10)
            return;
        poll->stop();
        save(modal, name);
        close(modal);
    });
    poll->start(20);
    trigger();
    poll->stop();
    poll->deleteLater();
}

void reject(QWidget *w) {
    if (auto *dialog = qobject_cast<QDialog *>(w))
        dialog->reject();
}

template <typename T> T *child(QWidget *window, const char *name) {
    T *found = window->findChild<T *>(QString::fromLatin1(name));
    if (!found) {
        std::fprintf(stderr, "BŁĄD brak kontrolki %s\n", name);
        ++g_failures;
    }
    return found;
}

void click(QWidget *window, const char *button) {
    if (auto *b = child<QAbstractButton>(window, button))
        b->click();
}

void trigger(QWidget *window, const char *action) {
    if (auto *a = child<QAction>(window, action))
        a->trigger();
}

void pause(int milliseconds) {
    QTimer timer;
    timer.start(milliseconds);
    while (timer.isActive() && timer.remainingTime() > 0)
        QApplication::processEvents(QEventLoop::AllEvents, 10);
}

// The simulation window paused at a breakpoint in the second cycle, with its watch panel.
void simulationPicture(TMainForm &window, const QString &programDir) {
    const QString path = QDir(programDir).filePath(QStringLiteral("podajnik.dat"));
    QFile file(path);
    file.open(QIODevice::WriteOnly);
    file.write(encodeCp1250(QString::fromUtf8(kPickAndPlace)));
    file.close();
    window.LoadProgramFromFile(path);
    auto *list = child<QListView>(&window, "ListBoxProg");
    if (!list)
        return;
    list->setCurrentIndex(list->model()->index(10, 0));
    trigger(&window, "miPulapka");
    trigger(&window, "tbtnSymulacja");
    QWidget *simulation = window.findChild<QWidget *>(QStringLiteral("SimulationWindow"));
    if (!simulation) {
        std::fputs("BŁĄD brak okna symulacji\n", stderr);
        ++g_failures;
        return;
    }
    simulation->resize(1150, 940); // as on a desktop screen, whatever the screen here
    click(simulation, "btnDodajWejscie");
    if (auto *at = child<QDoubleSpinBox>(simulation, "edCzas0"))
        at->setValue(35);
    if (auto *input = child<QSpinBox>(simulation, "edWejscie0"))
        input->setValue(3);
    pause(200);
    click(simulation, "btnDalej");
    click(simulation, "btnDalej");
    pause(300);
    save(simulation, QStringLiteral("symulacja.png"));
    save(&window, QStringLiteral("okno-pulapka.png"));
    simulation->close();
}

} // namespace

int main(int argc, char *argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("KORVEN"));
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    if (argc < 2) {
        std::fputs("Użycie: korven-screenshots KATALOG_NA_OBRAZKI\n", stderr);
        return 2;
    }
    g_outputDir = QString::fromLocal8Bit(argv[1]);
    QDir().mkpath(g_outputDir);
    QTemporaryDir programDir;
    installPolishQtTranslations(QApplication::applicationDirPath());

    TMainForm window(programDir.path() + QLatin1Char('/'), false);
    window.setShutdownPause(0);
    TProgForm progForm;
    window.setProgForm(&progForm);
    window.bbtnKoniecClick();
    window.show();

    QApplication::processEvents();
    save(&window, QStringLiteral("okno-start.png"));

    const QString example = QDir(programDir.path()).filePath(QStringLiteral("maszyna.dat"));
    QFile file(example);
    file.open(QIODevice::WriteOnly);
    file.write(encodeCp1250(QString::fromUtf8(kExample)));
    file.close();
    window.LoadProgramFromFile(example);
    if (auto *list = child<QListView>(&window, "ListBoxProg"))
        list->setCurrentIndex(list->model()->index(7, 0));
    trigger(&window, "tbtnSprawdz");
    QApplication::processEvents();
    save(&window, QStringLiteral("okno.png"));
    simulationPicture(window, programDir.path());
    window.LoadProgramFromFile(example);

    if (auto *list = child<QListView>(&window, "ListBoxProg"))
        list->setCurrentIndex(list->model()->index(9, 0));
    grabModal(
        QStringLiteral("dialog-komentarz.png"), [&] { trigger(&window, "miKomentarz"); }, reject);
    grabModal(
        QStringLiteral("dialog-czekaj.png"), [&] { click(&window, "bbtnCzekaj"); }, reject);
    grabModal(
        QStringLiteral("dialog-predkosc.png"), [&] { click(&window, "bbtnVmax"); }, reject);
    grabModal(
        QStringLiteral("dialog-przyspieszenie.png"), [&] { click(&window, "bbtn_a_max"); }, reject);
    grabModal(
        QStringLiteral("dialog-skocz-jesli-wejscie.png"),
        [&] { click(&window, "bbtnSkoczJesliWejsice"); }, reject);
    grabModal(
        QStringLiteral("dialog-wyjscia.png"), [&] { click(&window, "bbtnUstawWyjscia"); }, reject);
    grabModal(
        QStringLiteral("dialog-port.png"), [&] { trigger(&window, "miWybor"); }, reject);
    grabModal(
        QStringLiteral("dialog-o-programie.png"), [&] { trigger(&window, "miAbout"); }, reject);
    grabModal(
        QStringLiteral("podglad-wydruku.png"), [&] { trigger(&window, "tbtnPrint"); }, reject);
    // A new program: the question, then the driver dialog before its first command.
    grabModal(
        QStringLiteral("pytanie-zapisac.png"), [&] { trigger(&window, "miNowy"); },
        [](QWidget *w) {
            if (auto *box = qobject_cast<QMessageBox *>(w))
                box->button(QMessageBox::No)->click();
        });
    grabModal(
        QStringLiteral("dialog-sterownik.png"), [&] { click(&window, "bbtnCzekaj"); }, reject);
    return g_failures == 0 ? 0 : 1;
}
