#include "DeviceJob.h"

namespace korven {

void DeviceJob::start() {
    if (m_running)
        return;
    m_running = true;
    emit started();
    run();
}

void DeviceJob::finish(bool ok) {
    if (!m_running)
        return;
    m_running = false;
    emit finished(ok);
}

} // namespace korven
