// Editing steps on long programs, each followed by the full recompile the window runs.

#include "Compiler.h"
#include "ProgramEditor.h"
#include "ProgramLine.h"

#include <benchmark/benchmark.h>

using namespace korven;

namespace {

const DriveSettings kDrive{1, 4, 5, 2047, 16};

QStringList makeProgram(int n) {
    QStringList lines;
    const QStringList bodies = {
        QStringLiteral("Prędkość min(100,00) pps"), QStringLiteral("Przysp. max(232,83) pps/s^2"),
        QStringLiteral("Czekaj[ms](250)"),          QStringLiteral("Skocz do linii(2)"),
        QStringLiteral("Znajdź pozycję(-1000)"),    QStringLiteral("Skocz jeśli wejście(3)(1)(1)"),
        QStringLiteral("Wyjścia(1,0,0,0,0,0,0,1)"), QStringLiteral("Znajdź HOME(-200,00)(3)")};
    for (int i = 0; i < n - 1; ++i)
        lines.append(formatLine(i + 1, bodies[i % bodies.size()]));
    lines.append(formatLine(n, QStringLiteral("Koniec")));
    return lines;
}

void BM_Compile(benchmark::State &state) {
    const QStringList lines = makeProgram(int(state.range(0)));
    for (auto _ : state)
        benchmark::DoNotOptimize(GenerujProgram(lines, kDrive));
}

void BM_InsertAtTop(benchmark::State &state) {
    ProgramEditor e;
    e.setLines(makeProgram(int(state.range(0))));
    for (auto _ : state) {
        e.setSelected(0);
        e.AddCmd(QStringLiteral("Czekaj[ms](5)"));
        benchmark::DoNotOptimize(GenerujProgram(e.lines(), kDrive));
        state.PauseTiming();
        e.setSelected(1);
        e.deleteSelected();
        state.ResumeTiming();
    }
}

void BM_DeleteAtTop(benchmark::State &state) {
    ProgramEditor e;
    e.setLines(makeProgram(int(state.range(0))));
    for (auto _ : state) {
        e.setSelected(0);
        e.deleteSelected();
        benchmark::DoNotOptimize(GenerujProgram(e.lines(), kDrive));
        state.PauseTiming();
        e.setSelected(-1);
        e.setSelected(0);
        e.AddCmd(QStringLiteral("Czekaj[ms](5)"));
        state.ResumeTiming();
    }
}

void BM_MoveAtTop(benchmark::State &state) {
    ProgramEditor e;
    e.setLines(makeProgram(int(state.range(0))));
    for (auto _ : state) {
        e.setSelected(0);
        e.moveDown();
        benchmark::DoNotOptimize(GenerujProgram(e.lines(), kDrive));
    }
}

} // namespace

BENCHMARK(BM_Compile)->Arg(1000)->Arg(4000)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_InsertAtTop)->Arg(1000)->Arg(4000)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_DeleteAtTop)->Arg(1000)->Arg(4000)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_MoveAtTop)->Arg(1000)->Arg(4000)->Unit(benchmark::kMicrosecond);

BENCHMARK_MAIN();
