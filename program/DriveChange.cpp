#include "DriveChange.h"

#include "DeviceValues.h"
#include "LineComment.h"
#include "Numbers.h"
#include "ProgramLine.h"

namespace korven {
namespace {

// The reason why the line's value does not fit the drive, empty when it fits.
QString misfit(const QString &line, const DriveSettings &drive) {
    const Command c = recognise(line, compileOrder());
    if (c == Command::None || commandRow(c).fields.isEmpty())
        return {};
    const FieldKind kind = commandRow(c).fields[0].kind;
    const bool isSigned = kind == FieldKind::SignedSpeed;
    if (kind == FieldKind::Speed || isSigned) {
        const long double v = fieldDecimal(GetValue(line));
        if (deviceSpeed(v, isSigned, drive.PulsDiv, drive.Vmax).fits)
            return {};
        return QStringLiteral("prędkość %1 kroków/s jest poza zakresem sterownika %2")
            .arg(groupedValue(v), speedRangeText(isSigned, drive.PulsDiv, drive.Vmax));
    }
    if (kind == FieldKind::Acceleration) {
        const long double v = fieldDecimal(GetValue(line));
        const DeviceValue device = deviceAcceleration(v, drive.PulsDiv);
        if (!device.fits)
            return QStringLiteral("przyspieszenie %1 kroków/s² jest poza listą sterownika %2")
                .arg(groupedValue(v), accelerationRangeText(drive.PulsDiv));
        if (formatFixed(device.value, 2) != formatFixed(v, 2))
            return QStringLiteral("przyspieszenia %1 kroków/s² nie ma na liście sterownika; "
                                  "mikroindekser wykona najbliższe: %2 kroków/s²")
                .arg(groupedValue(v), groupedValue(device.value));
    }
    return {};
}

} // namespace

QStringList valuesOutsideDrive(const QStringList &lines, const DriveSettings &drive) {
    QStringList outside;
    if (drive.PulsDiv <= 0)
        return outside;
    for (int i = 0; i < lines.size(); ++i) {
        QString reason;
        try {
            reason = misfit(lines[i], drive);
        } catch (const FieldError &) {
            // A field that is no number is the compiler's to report.
        }
        if (!reason.isEmpty())
            outside.append(QStringLiteral("Linia %1 (%2): %3.")
                               .arg(i + 1)
                               .arg(withoutComment(lines[i]), reason));
    }
    return outside;
}

QString driveChangeMessage(const QStringList &outside) {
    if (outside.isEmpty())
        return {};
    return QStringLiteral("Program przeliczono dla nowego sterownika. Tych wartości sterownik "
                          "nie wykona tak, jak są zapisane; popraw je w liniach programu:\n\n") +
           outside.join(QLatin1Char('\n'));
}

} // namespace korven
