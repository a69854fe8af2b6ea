// Editing through the main window on long programs: each step with the list model's
// update, the undo record and the full recompile the window runs after every change.

#include "Cp1250.h"
#include "PodgladProg.h"
#include "ProgramLine.h"
#include "main.h"

#include <QApplication>
#include <QFile>
#include <QListView>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <memory>

using namespace korven;

namespace {

QString programFile(const QTemporaryDir &dir, int n) {
    const QStringList bodies = {
        QStringLiteral("Prędkość min(100,00) pps"), QStringLiteral("Przysp. max(232,83) pps/s^2"),
        QStringLiteral("Czekaj[ms](250)"),          QStringLiteral("Skocz do linii(2)"),
        QStringLiteral("Znajdź pozycję(-1000)"),    QStringLiteral("Skocz jeśli wejście(3)(1)(1)"),
        QStringLiteral("Wyjścia(1,0,0,0,0,0,0,1)"), QStringLiteral("Znajdź HOME(-200,00)(3)")};
    QString text = QStringLiteral("1.0\r\n1\r\n4\r\n");
    for (int i = 0; i < n - 1; ++i)
        text += formatLine(i + 1, bodies[i % bodies.size()]) + QStringLiteral("\r\n");
    text += formatLine(n, QStringLiteral("Koniec")) + QStringLiteral("\r\n");
    const QString path = dir.filePath(QStringLiteral("p%1.dat").arg(n));
    QFile file(path);
    file.open(QIODevice::WriteOnly);
    file.write(encodeCp1250(text));
    return path;
}

// A window as the program starts it, with an n-line program opened.
struct Window {
    explicit Window(int n) {
        form = std::make_unique<TMainForm>(dir.path() + QLatin1Char('/'), false);
        form->setShutdownPause(0);
        form->setProgForm(&prog);
        form->bbtnKoniecClick();
        form->show();
        file = programFile(dir, n);
        form->LoadProgramFromFile(file);
        list = form->findChild<QListView *>(QStringLiteral("ListBoxProg"));
    }
    void select(int row) { list->setCurrentIndex(list->model()->index(row, 0)); }

    QTemporaryDir dir;
    TProgForm prog;
    std::unique_ptr<TMainForm> form;
    QString file;
    QListView *list = nullptr;
};

void BM_WindowAddAtTop(benchmark::State &state) {
    Window w(int(state.range(0)));
    for (auto _ : state) {
        w.select(0);
        w.form->AddCmd(QStringLiteral("Czekaj[ms](5)"));
        state.PauseTiming();
        w.select(1);
        w.form->deleteSelectedLine();
        state.ResumeTiming();
    }
}

void BM_WindowDeleteAtTop(benchmark::State &state) {
    Window w(int(state.range(0)));
    for (auto _ : state) {
        w.select(0);
        w.form->deleteSelectedLine();
        state.PauseTiming();
        w.select(0);
        w.form->AddCmd(QStringLiteral("Czekaj[ms](5)"));
        state.ResumeTiming();
    }
}

void BM_WindowMoveAtTop(benchmark::State &state) {
    Window w(int(state.range(0)));
    for (auto _ : state) {
        w.select(0);
        w.form->sbtnPrzesunWDolClick();
    }
}

void BM_WindowOpen(benchmark::State &state) {
    Window w(int(state.range(0)));
    for (auto _ : state)
        w.form->LoadProgramFromFile(w.file);
}

} // namespace

BENCHMARK(BM_WindowAddAtTop)->Arg(1000)->Arg(4000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_WindowDeleteAtTop)->Arg(1000)->Arg(4000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_WindowMoveAtTop)->Arg(1000)->Arg(4000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_WindowOpen)->Arg(1000)->Arg(4000)->Unit(benchmark::kMillisecond);

int main(int argc, char **argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
