// Programming a full 1000-byte image through korven-emu on a pseudo-terminal, at the real
// 38400 bit/s wire rate and unpaced. The limit of a per-byte echo at 38400 bit/s is
// twenty bit-times a byte: 0.52 s for 1000 bytes. A production line of eight paced
// devices loaded at once should take at most 1.3 times as long as one.

#include "ComPort.h"
#include "DeviceBatch.h"
#include "DeviceOperations.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QProcess>

#include <memory>
#include <vector>

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

// Devices of a production line, each a paced emulator, all loaded at once.
void BM_ProductionLine(benchmark::State &state) {
    std::vector<std::unique_ptr<QProcess>> emulators;
    QStringList ports;
    for (int i = 0; i < state.range(0); ++i) {
        auto emu = std::make_unique<QProcess>();
        emu->start(QStringLiteral(KORVEN_EMU), {QStringLiteral("--paced")});
        if (!emu->waitForReadyRead(10000)) {
            state.SkipWithError("korven-emu did not start");
            return;
        }
        ports.append(QString::fromLocal8Bit(emu->readLine()).trimmed());
        emulators.push_back(std::move(emu));
    }
    const QStringList image = fullImage();
    for (auto _ : state) {
        DeviceBatch batch(DeviceBatch::Command::Program, image, ports);
        QEventLoop loop;
        QObject::connect(&batch, &DeviceBatch::finished, &loop, &QEventLoop::quit);
        batch.start();
        if (!batch.isFinished())
            loop.exec();
        if (!batch.allSucceeded())
            state.SkipWithError("programming failed");
    }
    state.counters["devices"] = double(state.range(0));
    for (auto &emu : emulators) {
        emu->kill();
        emu->waitForFinished();
    }
}

} // namespace

BENCHMARK(BM_ProductionLine)
    ->Arg(1)
    ->Arg(8)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(5)
    ->UseRealTime();
BENCHMARK(BM_ProgramPaced)->Unit(benchmark::kMillisecond)->Iterations(5)->UseRealTime();
BENCHMARK(BM_ProgramUnpaced)->Unit(benchmark::kMillisecond)->Iterations(10)->UseRealTime();

int main(int argc, char **argv) {
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    return 0;
}
