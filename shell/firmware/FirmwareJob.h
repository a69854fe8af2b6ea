#pragma once

#include "DeviceJob.h"
#include "FirmwareCommand.h"

namespace korven {

// The firmware update as a job: runs the AVR tool with the command line and judges
// its output. The window's messages run between the tool's waits.
class FirmwareJob : public DeviceJob {
    Q_OBJECT
public:
    FirmwareJob(FirmwareCommand command, bool protectUserMemory, QObject *parent = nullptr);

protected:
    void run() override;

private:
    FirmwareCommand m_command;
    bool m_protect;
};

} // namespace korven
