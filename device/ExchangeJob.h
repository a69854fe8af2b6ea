#pragma once

#include "DeviceJob.h"
#include "DeviceOperations.h"
#include "QuietLine.h"

#include <functional>

namespace korven {

class ComPort;

// A device command as a job: program, verify, run or link test over DeviceOperations.
// Each attempt runs as the device commands always did; between image lines the pending
// user input is served, so STOP reaches the job. Before the retry of a failed programming
// the job waits on timers for the line to fall quiet.
class ExchangeJob : public DeviceJob {
    Q_OBJECT
public:
    struct Exchange {
        Exchange(std::function<Verdict(DeviceOperations &)> attempt, bool retryOnce = false)
            : attempt(std::move(attempt)), retryOnce(retryOnce) {}
        std::function<Verdict(DeviceOperations &)> attempt;
        // A failed attempt is made once more (programming).
        bool retryOnce = false;
    };
    // failureText is the verdict when a port failure ends the exchange.
    ExchangeJob(ComPort &port, DeviceHost host, Exchange exchange, QString failureText = {},
                QObject *parent = nullptr);

    // Sends the emergency stop into the running exchange.
    void stop() override;

    // The whole verdict of the finished job, with the lines a verify found different.
    const Verdict &verdict() const { return m_verdict; }
    // Whether a command letter of program or verify went on the wire.
    bool streamStarted() const { return m_streamStarted; }
    // Whether a port failure ended the job.
    bool portFailed() const { return m_portFailed; }

    // Programming with its one retry, verifying once; both with the banner's verdict.
    static Exchange program(const QStringList &image);
    static Exchange verify(const QStringList &image);
    static Exchange runProgram();
    static Exchange linkTest();

protected:
    void run() override;
    DeviceOperations &operations() { return m_ops; }

private:
    void attempt();
    void end(const Verdict &verdict);

    DeviceOperations m_ops;
    Exchange m_exchange;
    QString m_failureText;
    QuietLine m_quiet;
    int m_attemptsLeft = 0;
    bool m_stopped = false;
    bool m_streamStarted = false;
    bool m_portFailed = false;
    Verdict m_verdict;
    Verdict m_lastAttempt;
};

} // namespace korven
