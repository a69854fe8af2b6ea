#pragma once

#include "DeviceOperations.h"

#include <QElapsedTimer>
#include <QObject>
#include <QStringList>

#include <memory>

namespace korven {

class ComPort;
class ExchangeJob;

// How one device of a batch fared.
struct PortResult {
    QString port;
    bool ok = false;
    QString verdict; // the command's verdict, as the window's banner shows it
    QString reason;  // what went wrong first; empty after a success
    bool unopenable = false;
    QString openError;       // the port's own words when it could not be opened
    bool portFailed = false; // the port failed in the middle of the exchange
    QList<LineDifference> differences;
    qint64 milliseconds = 0;
};

// One device of a batch: its own port, exchange, retry and verdict, on the thread it is
// moved to, so that a silent device keeps no other waiting.
class PortWorker : public QObject {
    Q_OBJECT
public:
    enum class Command { Program, Verify };
    PortWorker(Command command, QStringList image, QString port);
    ~PortWorker() override;

    // Valid once finished has been emitted.
    const PortResult &result() const { return m_result; }

public slots:
    void run();

signals:
    // Every outcome line of the exchange, as the window's banner would show it.
    void banner(const QString &text);
    void finished();

private:
    void exchangeEnded();

    Command m_command;
    QStringList m_image;
    PortResult m_result;
    QElapsedTimer m_clock;
    std::unique_ptr<ComPort> m_port;
    std::unique_ptr<ExchangeJob> m_job;
    QString m_lastBanner;
};

} // namespace korven
