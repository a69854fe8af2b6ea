// The two-decimal texts: the acceleration dialog writes 2 x 2047 of them when it opens.

#include "Acceleration.h"
#include "Numbers.h"

#include <benchmark/benchmark.h>

using namespace korven;

namespace {

void BM_AccelerationList(benchmark::State &state) {
    for (auto _ : state)
        benchmark::DoNotOptimize(accel::listTexts(accel::AccelUnit(int(state.range(0)))));
}

void BM_FormatSpeed(benchmark::State &state) {
    long double v = 15617.3706L;
    for (auto _ : state) {
        benchmark::DoNotOptimize(formatFixed(v, 2));
        v += 0.01L;
    }
}

} // namespace

BENCHMARK(BM_AccelerationList)->Arg(1)->Arg(5)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_FormatSpeed)->Unit(benchmark::kNanosecond);
