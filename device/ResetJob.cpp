#include "ResetJob.h"

#include "ComPort.h"

namespace korven {

ResetJob::ResetJob(ComPort &port, DeviceHost host, QObject *parent)
    : DeviceJob(parent), m_port(port), m_ops(port, [&] {
          host.pause = nullptr; // the timer below is the pause
          return std::move(host);
      }()) {
    m_pause.setSingleShot(true);
    m_pause.setInterval(kPauseMilliseconds);
    m_pause.setTimerType(Qt::PreciseTimer); // never shorter than the pause
    connect(&m_pause, &QTimer::timeout, this, &ResetJob::pauseOver);
}

void ResetJob::run() {
    try {
        m_ops.reset();
    } catch (const PortError &e) {
        emit portError(e.message());
    }
    // The pause runs also when nothing could be sent, as the reset always did.
    m_heldHandler = m_port.onRxChar();
    m_port.setOnRxChar({});
    m_pause.start();
}

void ResetJob::pauseOver() {
    m_port.setOnRxChar(m_heldHandler);
    finish(true);
    m_port.redeliver();
}

} // namespace korven
