#pragma once

#include "DeviceJob.h"
#include "DeviceOperations.h"

#include <functional>

namespace korven {

class ComPort;

// A device command as a job: program, verify, run or link test over DeviceOperations.
// The exchange itself runs as the device commands always did; between image lines the
// pending user input is served, so STOP reaches the job.
class ExchangeJob : public DeviceJob {
    Q_OBJECT
public:
    using Exchange = std::function<Verdict(DeviceOperations &)>;
    // failureText is the verdict when a port failure ends the exchange.
    ExchangeJob(ComPort &port, DeviceHost host, Exchange exchange, QString failureText = {},
                QObject *parent = nullptr);

    // Sends the emergency stop into the running exchange.
    void stop() override;

    // Programming with its one retry, verifying once; both with the banner's verdict.
    static Exchange program(const QStringList &image);
    static Exchange verify(const QStringList &image);
    static Exchange runProgram();
    static Exchange linkTest();

protected:
    void run() override;
    DeviceOperations &operations() { return m_ops; }

private:
    DeviceOperations m_ops;
    Exchange m_exchange;
    QString m_failureText;
};

} // namespace korven
