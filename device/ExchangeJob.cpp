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
      m_exchange(std::move(exchange)), m_failureText(std::move(failureText)), m_quiet(port) {
    connect(&m_quiet, &QuietLine::done, this, &ExchangeJob::attempt);
}

void ExchangeJob::run() {
    m_attemptsLeft = m_exchange.retryOnce ? 2 : 1;
    m_stopped = false;
    m_streamStarted = false;
    m_portFailed = false;
    attempt();
}

void ExchangeJob::attempt() {
    --m_attemptsLeft;
    Verdict verdict{false, m_failureText, {}};
    try {
        verdict = m_exchange.attempt(m_ops);
    } catch (const PortError &e) {
        m_portFailed = true;
        emit portError(e.message());
    }
    m_streamStarted = m_streamStarted || m_ops.streamStarted();
    if (!verdict.ok && !m_portFailed && !m_stopped && m_attemptsLeft > 0 && m_ops.worthRetrying()) {
        // Late echoes and stray bytes of the failed attempt are still on their way: they
        // would spoil the retry's first answers.
        m_lastAttempt = verdict;
        m_quiet.start();
        return;
    }
    end(verdict);
}

void ExchangeJob::end(const Verdict &verdict) {
    m_verdict = verdict;
    finish(verdict.ok, verdict.text);
}

void ExchangeJob::stop() {
    if (isRunning())
        m_stopped = true;
    try {
        m_ops.stop();
    } catch (const PortError &e) {
        emit portError(e.message());
    }
    // Stopped while waiting for the retry: there is no retry.
    if (m_quiet.isWaiting()) {
        m_quiet.cancel();
        end(m_lastAttempt);
    }
}

ExchangeJob::Exchange ExchangeJob::program(const QStringList &image) {
    return {[image](DeviceOperations &ops) { return ops.programAttempt(image); }, true};
}

ExchangeJob::Exchange ExchangeJob::verify(const QStringList &image) {
    return {[image](DeviceOperations &ops) { return ops.verify(image); }};
}

ExchangeJob::Exchange ExchangeJob::runProgram() {
    return {[](DeviceOperations &ops) { return Verdict{ops.run(), {}, {}}; }};
}

ExchangeJob::Exchange ExchangeJob::linkTest() {
    return {[](DeviceOperations &ops) {
        ops.linkTest();
        return Verdict{true, {}, {}};
    }};
}

} // namespace korven
