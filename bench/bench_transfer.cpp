// Programming a full 1000-byte image through korven-emu on a pseudo-terminal, at the real
// 38400 bit/s wire rate and unpaced. The limit of a per-byte echo at 38400 bit/s is
// twenty bit-times a byte: 0.52 s for 1000 bytes.

#include "ComPort.h"
#include "DeviceOperations.h"

#include <QCoreApplication>
#include <QProcess>

#include <benchmark/benchmark.h>

using namespace korven;

namespace {

QStringList fullImage() {
    QStringList image;
    for (int i = 0; i < 200; ++i)
        image.append(QStringLiteral("06 00 12 34 56"));
    return image; // 1000 bytes
}

void programThroughEmulator(benchmark::State &state, const QStringList &faults) {
    QProcess emu;
    emu.start(QStringLiteral(KORVEN_EMU), faults);
    if (!emu.waitForReadyRead(10000)) {
        state.SkipWithError("korven-emu did not start");
        return;
    }
    ComPort port;
    port.settings.Port = QString::fromLocal8Bit(emu.readLine()).trimmed();
    port.settings.forceDeviceLine();
    DeviceHost host;
    host.banner = [](const QString &) {};
    host.openPort = [&] {
        port.OpenPort();
        return true;
    };
    DeviceOperations device(port, host);
    const QStringList image = fullImage();
    for (auto _ : state) {
        if (!device.Programuj(image))
            state.SkipWithError("programming failed");
    }
    state.SetBytesProcessed(state.iterations() * 1000);
    emu.kill();
    emu.waitForFinished();
}

void BM_ProgramPaced(benchmark::State &state) {
    programThroughEmulator(state, {QStringLiteral("--paced")});
    state.counters["limit_s"] = 0.52;
}

void BM_ProgramUnpaced(benchmark::State &state) { programThroughEmulator(state, {}); }

} // namespace

BENCHMARK(BM_ProgramPaced)->Unit(benchmark::kMillisecond)->Iterations(5)->UseRealTime();
BENCHMARK(BM_ProgramUnpaced)->Unit(benchmark::kMillisecond)->Iterations(10)->UseRealTime();

int main(int argc, char **argv) {
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    return 0;
}
