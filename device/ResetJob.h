#pragma once

#include "DeviceJob.h"
#include "DeviceOperations.h"

#include <QTimer>

namespace korven {

class ComPort;

// The device reset: "t", then a pause of 2000 ms on a timer. Status characters that
// arrive meanwhile wait in the port and are handled once the pause is over.
class ResetJob : public DeviceJob {
    Q_OBJECT
public:
    static constexpr int kPauseMilliseconds = 2000;
    ResetJob(ComPort &port, DeviceHost host, QObject *parent = nullptr);

protected:
    void run() override;

private:
    void pauseOver();

    ComPort &m_port;
    DeviceOperations m_ops;
    QTimer m_pause;
    std::function<void(int)> m_heldHandler;
};

} // namespace korven
