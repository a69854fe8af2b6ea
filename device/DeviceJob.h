#pragma once

#include <QObject>
#include <QString>

namespace korven {

// One exchange with the device (or the firmware tool) as an object on the UI thread:
// it announces its start, reports its progress and ends with finished exactly once.
// Only one job runs at a time; the window keeps it while it runs.
class DeviceJob : public QObject {
    Q_OBJECT
public:
    explicit DeviceJob(QObject *parent = nullptr) : QObject(parent) {}

    // Starts the job; a short exchange has ended (finished emitted) when this returns.
    void start();
    // STOP was pressed while the job runs.
    virtual void stop() {}
    bool isRunning() const { return m_running; }
    // The outcome for the banner, when the job has one.
    const QString &resultText() const { return m_resultText; }

signals:
    void started();
    // Bytes sent of the total, for program and verify.
    void progress(int done, int total);
    void finished(bool ok);
    // A serial port failure ended the job; the message is the port's.
    void portError(const QString &message);

protected:
    // Runs the job; it calls finish, now or later from a timer.
    virtual void run() = 0;
    void finish(bool ok, const QString &resultText = QString());

private:
    bool m_running = false;
    QString m_resultText;
};

} // namespace korven
