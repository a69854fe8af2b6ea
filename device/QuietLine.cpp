#include "QuietLine.h"

#include "ComPort.h"

namespace korven {

QuietLine::QuietLine(ComPort &port, QObject *parent) : QObject(parent), m_port(port) {
    m_quiet.setSingleShot(true);
    m_quiet.setInterval(kQuietMilliseconds);
    m_quiet.setTimerType(Qt::PreciseTimer);
    connect(&m_quiet, &QTimer::timeout, this, &QuietLine::quietPeriodOver);
    m_longest.setSingleShot(true);
    m_longest.setInterval(kLongestMilliseconds);
    m_longest.setTimerType(Qt::PreciseTimer);
    connect(&m_longest, &QTimer::timeout, this, [this] { end(true); });
}

void QuietLine::start() {
    if (m_waiting)
        return;
    m_dropped = 0;
    if (!m_port.Connected()) {
        emit done();
        return;
    }
    m_waiting = true;
    m_savedReadTotalConstant = m_port.ReadTotalConstant();
    m_port.setReadTotalConstant(0);
    m_heldHandler = m_port.onRxChar();
    // Every arrival starts the quiet period again.
    m_port.setOnRxChar([this](int) {
        if (dropQueued())
            m_quiet.start();
    });
    dropQueued();
    if (!m_waiting)
        return; // cancelled from the events the emptying let through
    m_quiet.start();
    m_longest.start();
}

void QuietLine::cancel() { end(false); }

bool QuietLine::dropQueued() {
    try {
        const qsizetype count = m_port.ReadText(255).size();
        m_dropped += int(count);
        return count > 0;
    } catch (const PortError &) {
        // A vanished port is quiet for good; the next exchange opens it again and says so.
        return false;
    }
}

void QuietLine::quietPeriodOver() {
    // Bytes the notification has not announced yet count as noise too.
    if (dropQueued() && m_port.Connected()) {
        m_quiet.start();
        return;
    }
    end(true);
}

void QuietLine::end(bool announce) {
    if (!m_waiting)
        return;
    m_waiting = false;
    m_quiet.stop();
    m_longest.stop();
    m_port.setOnRxChar(m_heldHandler);
    m_heldHandler = nullptr;
    m_port.setReadTotalConstant(m_savedReadTotalConstant);
    if (announce)
        emit done();
}

} // namespace korven
