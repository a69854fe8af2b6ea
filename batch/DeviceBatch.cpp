#include "DeviceBatch.h"

#include <QThread>

namespace korven {

DeviceBatch::DeviceBatch(Command command, const QStringList &image, const QStringList &ports,
                         QObject *parent)
    : QObject(parent) {
    for (const QString &port : ports) {
        auto *thread = new QThread(this);
        auto *worker = new PortWorker(command, image, port);
        worker->moveToThread(thread);
        // The worker's port and exchange end on their own thread.
        connect(thread, &QThread::finished, worker, &QObject::deleteLater);
        connect(thread, &QThread::started, worker, &PortWorker::run);
        connect(worker, &PortWorker::banner, this,
                [this, port](const QString &text) { emit banner(port, text); });
        connect(worker, &PortWorker::finished, this, [this, worker, thread] {
            m_results.append(worker->result());
            thread->quit();
            emit portFinished(m_results.last());
            if (isFinished()) {
                m_milliseconds = m_clock.elapsed();
                emit finished();
            }
        });
        m_workers.append(worker);
        m_threads.append(thread);
    }
}

DeviceBatch::~DeviceBatch() {
    // Workers whose thread never ran have nobody else to delete them.
    if (!m_clock.isValid())
        qDeleteAll(m_workers);
    for (QThread *thread : std::as_const(m_threads)) {
        thread->quit();
        thread->wait();
    }
}

void DeviceBatch::start() {
    m_clock.start();
    for (QThread *thread : std::as_const(m_threads))
        thread->start();
    if (m_threads.isEmpty())
        emit finished();
}

bool DeviceBatch::allSucceeded() const {
    if (!isFinished())
        return false;
    for (const PortResult &result : m_results)
        if (!result.ok)
            return false;
    return true;
}

} // namespace korven
