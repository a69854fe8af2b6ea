#include "LineDescription.h"

#include "DeviceValues.h"
#include "LineComment.h"
#include "Numbers.h"
#include "ProgramLine.h"

namespace korven {
namespace {

const char *const kOutputNames[] = {"OUT 1", "OUT 2", "OUT 3", "OUT 4",
                                    "OUT 5", "OUT 6", "PK 1",  "PK 2"};

QString integer(qint64 value) { return groupDigits(QString::number(value)); }

QString onOff(qint64 state) { return state != 0 ? QStringLiteral("wł.") : QStringLiteral("wył."); }

QString outputName(qint64 number) {
    return number >= 1 && number <= 8 ? QString::fromLatin1(kOutputNames[number - 1])
                                      : QStringLiteral("wyjście %1").arg(number);
}

bool driverChosen(const DriveSettings &drive) { return drive.PulsDiv > 0; }

QString speed(const QString &what, long double value, bool isSigned, const DriveSettings &drive) {
    QString text = QStringLiteral("%1 %2 kroków/s").arg(what, groupedValue(value));
    if (!driverChosen(drive))
        return text;
    const DeviceValue device = deviceSpeed(value, isSigned, drive.PulsDiv, drive.Vmax);
    if (!device.fits)
        return text + QStringLiteral(", poza zakresem sterownika %1")
                          .arg(speedRangeText(isSigned, drive.PulsDiv, drive.Vmax));
    return text + QStringLiteral(" (w mikroindekserze %1)").arg(groupedValue(device.value));
}

QString acceleration(long double value, const DriveSettings &drive) {
    QString text = QStringLiteral("Przyspieszenie maks. %1 kroków/s²").arg(groupedValue(value));
    if (!driverChosen(drive))
        return text;
    const DeviceValue device = deviceAcceleration(value, drive.PulsDiv);
    if (!device.fits)
        return text + QStringLiteral(", poza listą sterownika %1")
                          .arg(accelerationRangeText(drive.PulsDiv));
    return text + QStringLiteral(" (w mikroindekserze %1)").arg(groupedValue(device.value));
}

// "Skocz do linii 10 (chwytak się zamyka)"
QString jumpTo(const QStringList &lines, qint64 target) {
    const QString text = QStringLiteral("Skocz do linii %1").arg(target);
    if (target < 1 || target > lines.size())
        return text + QStringLiteral(" (nie ma takiej linii)");
    const QString comment = lineComment(lines[int(target) - 1]);
    return comment.isEmpty() ? text : text + QStringLiteral(" (%1)").arg(comment);
}

QString outputs(const QString &field) {
    const std::array<bool, 8> states = outputStates(field);
    QStringList on;
    for (int k = 0; k < 8; ++k) {
        if (states[k])
            on.append(QString::fromLatin1(kOutputNames[k]));
    }
    if (on.isEmpty())
        return QStringLiteral("Wszystkie wyjścia wył.");
    if (on.size() == 8)
        return QStringLiteral("Wszystkie wyjścia wł.");
    return QStringLiteral("Wł. %1, pozostałe wyjścia wył.").arg(on.join(QStringLiteral(", ")));
}

QString describe(const QStringList &lines, const QString &line, const DriveSettings &drive) {
    const Command command = recognise(line, compileOrder());
    const auto first = [&] { return fieldInt(GetValue(line)); };
    const auto decimal = [&] { return fieldDecimal(GetValue(line)); };
    switch (command) {
    case Command::Vmin: return speed(QStringLiteral("Prędkość min."), decimal(), false, drive);
    case Command::Vmax: return speed(QStringLiteral("Prędkość maks."), decimal(), false, drive);
    case Command::Vtarget:
        return speed(QStringLiteral("Prędkość docelowa"), decimal(), true, drive);
    case Command::AMax: return acceleration(decimal(), drive);
    case Command::Wait: return QStringLiteral("Czekaj %1 ms").arg(integer(first()));
    case Command::WaitS: return QStringLiteral("Czekaj %1 s").arg(integer(first()));
    case Command::Jump: return jumpTo(lines, first());
    case Command::JumpIfInput:
        return QStringLiteral("%1, jeśli IN %2 = %3")
            .arg(jumpTo(lines, first()))
            .arg(fieldInt(GetValue2(line)))
            .arg(onOff(fieldInt(GetValue3(line))));
    case Command::JumpIfCounter:
        return QStringLiteral("%1, jeśli licznik powtórzeń ≠ 0; licznik zmniejsza się o 1")
            .arg(jumpTo(lines, first()));
    case Command::End: return QStringLiteral("Koniec programu");
    case Command::FindPos: return QStringLiteral("Jedź do pozycji %1 kroków").arg(integer(first()));
    case Command::FindHome:
        return QStringLiteral("%1, precyzowanie %2")
            .arg(speed(QStringLiteral("Szukaj HOME z prędkością"), decimal(), true, drive))
            .arg(fieldInt(GetValue2(line)));
    case Command::ClearPosition: return QStringLiteral("Bieżąca pozycja staje się pozycją 0");
    case Command::Stop: return QStringLiteral("Zatrzymaj silnik natychmiast");
    case Command::Brake: return QStringLiteral("Hamuj silnik do zatrzymania");
    case Command::Enable:
        return GetValue(line).asText().contains(QLatin1String("High"))
                   ? QStringLiteral("Enable = stan wysoki")
                   : QStringLiteral("Enable = stan niski");
    case Command::SetCounter: return QStringLiteral("Licznik powtórzeń = %1").arg(integer(first()));
    case Command::SetOutput:
        return QStringLiteral("%1 = %2").arg(outputName(first()), onOff(fieldInt(GetValue2(line))));
    case Command::Outputs: return outputs(GetValue(line).asText());
    case Command::None: break;
    }
    return QStringLiteral("To nie jest polecenie: linia niczego nie robi");
}

} // namespace

QString describeLine(const QStringList &lines, int index, const DriveSettings &drive) {
    if (index < 0 || index >= lines.size())
        return {};
    try {
        return describe(lines, lines[index], drive);
    } catch (const FieldError &e) {
        return QStringLiteral("Błędna wartość: %1").arg(e.message());
    }
}

} // namespace korven
