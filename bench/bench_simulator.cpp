// Simulated commands per second on tight loops, and the time to simulate a long program.

#include "Compiler.h"
#include "DecodedProgram.h"
#include "ProgramLine.h"
#include "Simulation.h"

#include <benchmark/benchmark.h>

using namespace korven;

namespace {

const DriveSettings kDrive{1, 4, 5, 2047, 16};

sim::DecodedProgram decoded(const QStringList &bodies) {
    QStringList lines;
    for (int i = 0; i < bodies.size(); ++i)
        lines.append(formatLine(i + 1, bodies[i]));
    return sim::DecodedProgram::fromImage(GenerujProgram(lines, kDrive).image, kDrive.PulsDiv);
}

void commandsPerSecond(benchmark::State &state, const sim::DecodedProgram &program,
                       const sim::SimulationOptions &options) {
    qint64 steps = 0;
    for (auto _ : state) {
        const sim::SimulationResult r = sim::simulate(program, options);
        steps += r.steps;
        benchmark::DoNotOptimize(r.timeS);
    }
    state.SetItemsProcessed(steps);
}

// A conveyor in velocity mode polling an input: never repeats, the step limit ends it.
void BM_TightLoopVelocityMode(benchmark::State &state) {
    const sim::DecodedProgram program = decoded(
        {QStringLiteral("Prędkość min(100,00) pps"), QStringLiteral("Prędkość max(1000,00) pps"),
         QStringLiteral("Przysp. max(232,83) pps/s^2"),
         QStringLiteral("Prędkość docelowa(500,00) pps"), QStringLiteral("Czekaj[ms](1)"),
         QStringLiteral("Skocz jeśli wejście(8)(1)(1)"), QStringLiteral("Skocz do linii(5)"),
         QStringLiteral("Koniec")});
    sim::SimulationOptions options;
    options.maxSteps = 1000000;
    options.maxTimeS = 1e9;
    options.traceLimit = 0;
    commandsPerSecond(state, program, options);
}

// Nested counter loops of waits: 65535 x 3 commands, then the end.
void BM_TightLoopCounter(benchmark::State &state) {
    const sim::DecodedProgram program =
        decoded({QStringLiteral("Ustaw licznik powtórzeń(65535)"), QStringLiteral("Czekaj[ms](1)"),
                 QStringLiteral("Ustaw wyjście(1)(1)"),
                 QStringLiteral("Skocz jeśli licz. powt.(2)"), QStringLiteral("Koniec")});
    sim::SimulationOptions options;
    options.traceLimit = 0;
    commandsPerSecond(state, program, options);
}

// A program that waits for an input 1000 times (500 cycles of on and off): each busy wait
// is one step of the simulation, however long it lasts.
void BM_ThousandInputWaits(benchmark::State &state) {
    const sim::DecodedProgram program = decoded(
        {QStringLiteral("Ustaw licznik powtórzeń(499)"),
         QStringLiteral("Skocz jeśli wejście(2)(1)(0)"), QStringLiteral("Ustaw wyjście(1)(1)"),
         QStringLiteral("Skocz jeśli wejście(4)(1)(1)"), QStringLiteral("Ustaw wyjście(1)(0)"),
         QStringLiteral("Skocz jeśli licz. powt.(2)"), QStringLiteral("Koniec")});
    sim::SimulationOptions options;
    options.maxTimeS = 1e9;
    for (int k = 0; k < 500; ++k) {
        options.inputs.append({1, true, 3600.0 * (2 * k + 1)}); // an hour each way
        options.inputs.append({1, false, 3600.0 * (2 * k + 2)});
    }
    qint64 steps = 0;
    for (auto _ : state) {
        const sim::SimulationResult r = sim::simulate(program, options);
        if (r.end != sim::EndReason::Koniec || r.timeS != 3600.0 * 1000)
            state.SkipWithError("the waits did not end where the inputs change");
        steps += r.steps;
        benchmark::DoNotOptimize(r.timeS);
    }
    state.counters["commands_per_run"] =
        benchmark::Counter(double(steps), benchmark::Counter::kAvgIterations);
}

QStringList longProgram(int n) {
    QStringList lines;
    const QStringList settings = {QStringLiteral("Prędkość min(100,00) pps"),
                                  QStringLiteral("Prędkość max(1000,00) pps"),
                                  QStringLiteral("Przysp. max(232,83) pps/s^2")};
    const QStringList bodies = {QStringLiteral("Znajdź pozycję(-1000)"),
                                QStringLiteral("Czekaj[ms](250)"),
                                QStringLiteral("Wyjścia(1,0,0,0,0,0,0,1)"),
                                QStringLiteral("Znajdź pozycję(2000)"),
                                QStringLiteral("Skocz jeśli wejście(1)(3)(1)"),
                                QStringLiteral("Prędkość docelowa(300,00) pps"),
                                QStringLiteral("Czekaj[ms](100)"),
                                QStringLiteral("Hamuj")};
    for (const QString &s : settings)
        lines.append(formatLine(int(lines.size()) + 1, s));
    for (int i = int(lines.size()); i < n - 1; ++i)
        lines.append(formatLine(i + 1, bodies[i % bodies.size()]));
    lines.append(formatLine(n, QStringLiteral("Koniec")));
    return lines;
}

// Compile and simulate a 1,000-line program with the window's trace.
void BM_Program1000Lines(benchmark::State &state) {
    const QStringList lines = longProgram(1000);
    for (auto _ : state) {
        const sim::SimulationResult r = sim::simulateProgram(lines, kDrive, {});
        if (r.end != sim::EndReason::Koniec)
            state.SkipWithError("the program did not run to its end");
        benchmark::DoNotOptimize(r.timeS);
    }
}

// The same program's image alone, without compiling it.
void BM_Program1000LinesImageOnly(benchmark::State &state) {
    const QStringList image = GenerujProgram(longProgram(1000), kDrive).image;
    const sim::DecodedProgram program = sim::DecodedProgram::fromImage(image, kDrive.PulsDiv);
    for (auto _ : state) {
        const sim::SimulationResult r = sim::simulate(program, {});
        benchmark::DoNotOptimize(r.timeS);
    }
}

} // namespace

BENCHMARK(BM_TightLoopVelocityMode)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_TightLoopCounter)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ThousandInputWaits)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Program1000Lines)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Program1000LinesImageOnly)->Unit(benchmark::kMicrosecond);
BENCHMARK_MAIN();
