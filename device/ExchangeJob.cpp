#include "ExchangeJob.h"

#include "PortError.h"

namespace korven {

ExchangeJob::ExchangeJob(ComPort &port, DeviceHost host, Exchange exchange, QString failureText,
                         QObject *parent)
    : DeviceJob(parent),
      m_ops(port,
            [&] {
                host.progress = [this](int done, int total) { emit progress(done, total); };
                return std::move(host);
            }()),
      m_exchange(std::move(exchange)), m_failureText(std::move(failureText)) {}

void ExchangeJob::run() {
    Verdict verdict{false, m_failureText};
    try {
        verdict = m_exchange(m_ops);
    } catch (const PortError &e) {
        emit portError(e.message());
    }
    finish(verdict.ok, verdict.text);
}

void ExchangeJob::stop() {
    try {
        m_ops.stop();
    } catch (const PortError &e) {
        emit portError(e.message());
    }
}

ExchangeJob::Exchange ExchangeJob::program(const QStringList &image) {
    return [image](DeviceOperations &ops) { return ops.program(image); };
}

ExchangeJob::Exchange ExchangeJob::verify(const QStringList &image) {
    return [image](DeviceOperations &ops) { return ops.verify(image); };
}

ExchangeJob::Exchange ExchangeJob::runProgram() {
    return [](DeviceOperations &ops) { return Verdict{ops.run(), {}}; };
}

ExchangeJob::Exchange ExchangeJob::linkTest() {
    return [](DeviceOperations &ops) {
        ops.linkTest();
        return Verdict{true, {}};
    };
}

} // namespace korven
