#include "ExchangeJob.h"

#include "PortError.h"

namespace korven {

ExchangeJob::ExchangeJob(ComPort &port, DeviceHost host, Exchange exchange, QObject *parent)
    : DeviceJob(parent),
      m_ops(port,
            [&] {
                host.progress = [this](int done, int total) { emit progress(done, total); };
                return std::move(host);
            }()),
      m_exchange(std::move(exchange)) {}

void ExchangeJob::run() {
    bool ok = false;
    try {
        ok = m_exchange(m_ops);
    } catch (const PortError &e) {
        emit portError(e.message());
    }
    finish(ok);
}

void ExchangeJob::stop() {
    try {
        m_ops.stop();
    } catch (const PortError &e) {
        emit portError(e.message());
    }
}

ExchangeJob::Exchange ExchangeJob::program(const QStringList &image) {
    return [image](DeviceOperations &ops) {
        return ops.Programuj(image) || (!ops.stopRequested() && ops.Programuj(image));
    };
}

ExchangeJob::Exchange ExchangeJob::verify(const QStringList &image) {
    return [image](DeviceOperations &ops) { return ops.Weryfikuj(image); };
}

ExchangeJob::Exchange ExchangeJob::runProgram() {
    return [](DeviceOperations &ops) { return ops.run(); };
}

ExchangeJob::Exchange ExchangeJob::linkTest() {
    return [](DeviceOperations &ops) {
        ops.linkTest();
        return true;
    };
}

} // namespace korven
