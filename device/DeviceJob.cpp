#include "DeviceJob.h"

namespace korven {

void DeviceJob::start() {
    if (m_running)
        return;
    m_running = true;
    emit started();
    run();
}

void DeviceJob::finish(bool ok, const QString &resultText) {
    if (!m_running)
        return;
    m_running = false;
    m_resultText = resultText;
    emit finished(ok);
}

} // namespace korven
