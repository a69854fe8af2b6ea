#pragma once

#include "ToolRunner.h"

#include <QString>
#include <QStringList>

namespace korven {

// The command line of the AVR programming tool for a firmware update.
struct FirmwareCommand {
    QString program;       // the tool in the program directory
    QStringList arguments; // as the tool receives them, quotes removed
    QString text;          // the command line as it is shown to the user

    // With protection the tool writes and verifies the flash only; without it also
    // the EEPROM image "RQ407_eeprom.hex" from the program directory.
    static FirmwareCommand build(const QString &programDir, const QString &firmwareFile,
                                 bool protectUserMemory);
    // "avrosp.exe" on Windows, "avrosp" elsewhere.
    static QString toolName();
};

// Whether the tool's output tells of a successful update: every "#" removed, "Equal!"
// once with protection, twice without.
bool firmwareUpdateSucceeded(QString output, bool protectUserMemory);
// The same for a run of the tool, which must also have ended by itself with exit code 0.
bool firmwareUpdateSucceeded(const ToolRunner::Result &run, bool protectUserMemory);

} // namespace korven
