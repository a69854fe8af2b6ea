#pragma once

#include "PortWorker.h"

#include <QElapsedTimer>
#include <QList>
#include <QObject>

class QThread;

namespace korven {

// The same program loaded into (or verified against) every device of a batch at once,
// as on a production line: one thread and one exchange per port, each with its own
// retry and verdict. Results come back on the thread that owns the batch.
class DeviceBatch : public QObject {
    Q_OBJECT
public:
    using Command = PortWorker::Command;
    DeviceBatch(Command command, const QStringList &image, const QStringList &ports,
                QObject *parent = nullptr);
    ~DeviceBatch() override;

    void start();
    // Results of the devices that have finished, in the order they finished.
    const QList<PortResult> &results() const { return m_results; }
    bool allSucceeded() const;
    bool isFinished() const { return m_results.size() == m_workers.size(); }
    // From start until the last device finished.
    qint64 milliseconds() const { return m_milliseconds; }

signals:
    // An outcome line of the exchange on port, as it comes.
    void banner(const QString &port, const QString &text);
    void portFinished(const PortResult &result);
    void finished();

private:
    QList<PortWorker *> m_workers;
    QList<QThread *> m_threads;
    QList<PortResult> m_results;
    QElapsedTimer m_clock;
    qint64 m_milliseconds = 0;
};

} // namespace korven
