#include "FirmwareCommand.h"

#include <QDir>

namespace korven {

QString FirmwareCommand::toolName() {
#ifdef Q_OS_WIN
    return QStringLiteral("avrosp.exe");
#else
    return QStringLiteral("avrosp");
#endif
}

FirmwareCommand FirmwareCommand::build(const QString &programDir, const QString &firmwareFile,
                                       bool protectUserMemory) {
    FirmwareCommand c;
    // Paths as the system writes them (backslashes on Windows). The program directory
    // already ends in a separator: the tool's path shows two.
    const QString dir = QDir::toNativeSeparators(programDir);
    const QString firmware = QDir::toNativeSeparators(firmwareFile);
    const QString tool = dir + QDir::separator() + toolName();
    c.program = QDir::cleanPath(programDir + QLatin1Char('/') + toolName());
    const QString eeprom = dir + QStringLiteral("RQ407_eeprom.hex");
    if (protectUserMemory) {
        c.arguments = {QStringLiteral("-dATmega16"), QStringLiteral("-pf"), QStringLiteral("-vf"),
                       QStringLiteral("-if") + firmware, QStringLiteral("-e")};
        c.text = QStringLiteral("\"%1\" -dATmega16 -pf -vf -if\"%2\" -e").arg(tool, firmware);
    } else {
        c.arguments = {QStringLiteral("-dATmega16"),   QStringLiteral("-pb"),
                       QStringLiteral("-vb"),          QStringLiteral("-if") + firmware,
                       QStringLiteral("-ie") + eeprom, QStringLiteral("-e")};
        c.text = QStringLiteral("\"%1\" -dATmega16 -pb -vb -if\"%2\" -ie\"%3\" -e")
                     .arg(tool, firmware, eeprom);
    }
    return c;
}

bool firmwareUpdateSucceeded(QString output, bool protectUserMemory) {
    output.remove(QLatin1Char('#'));
    const QString equal = QStringLiteral("Equal!");
    const qsizetype first = output.indexOf(equal);
    if (first < 0)
        return false;
    return protectUserMemory || output.indexOf(equal, first + 1) >= 0;
}

bool firmwareUpdateSucceeded(const ToolRunner::Result &run, bool protectUserMemory) {
    return run.exitedCleanly && firmwareUpdateSucceeded(run.output, protectUserMemory);
}

} // namespace korven
