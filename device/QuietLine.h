#pragma once

#include <QObject>
#include <QTimer>

#include <functional>

namespace korven {

class ComPort;

// Waits until the line has been quiet for a while, dropping whatever arrives meanwhile:
// the late echoes and stray bytes of a failed exchange, which would otherwise meet the
// next exchange's first answers. Reads only; sends nothing. Runs on timers and on the
// port's receive notification, so the event loop is served while it waits.
class QuietLine : public QObject {
    Q_OBJECT
public:
    static constexpr int kQuietMilliseconds = 50;
    static constexpr int kLongestMilliseconds = 1000;

    explicit QuietLine(ComPort &port, QObject *parent = nullptr);

    // Starts waiting; done follows once, also at once when the port is closed.
    void start();
    // Ends the wait now, without done.
    void cancel();
    bool isWaiting() const { return m_waiting; }
    // Bytes dropped by the last wait.
    int dropped() const { return m_dropped; }

signals:
    void done();

private:
    // Takes what is queued; true when there was something.
    bool dropQueued();
    void quietPeriodOver();
    void end(bool announce);

    ComPort &m_port;
    QTimer m_quiet;
    QTimer m_longest;
    std::function<void(int)> m_heldHandler;
    int m_savedReadTotalConstant = 0;
    int m_dropped = 0;
    bool m_waiting = false;
};

} // namespace korven
