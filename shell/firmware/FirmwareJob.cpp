#include "FirmwareJob.h"

#include "ToolRunner.h"

#include <QCoreApplication>

namespace korven {

FirmwareJob::FirmwareJob(FirmwareCommand command, bool protectUserMemory, QObject *parent)
    : DeviceJob(parent), m_command(std::move(command)), m_protect(protectUserMemory) {}

void FirmwareJob::run() {
    const ToolRunner::Result result = ToolRunner().Exec(m_command.program, m_command.arguments,
                                                        [] { QCoreApplication::processEvents(); });
    finish(firmwareUpdateSucceeded(result, m_protect));
}

} // namespace korven
