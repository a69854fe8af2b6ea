#include "SimulationText.h"

#include "ProgramEditor.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>

namespace korven::sim {

bool parseInputSwitch(const QString &text, InputChange *change, QString *error) {
    static const QRegularExpression form(
        QStringLiteral("^\\s*(\\d+)\\s*=\\s*(\\d+)\\s*@\\s*([0-9]+(?:[.,][0-9]*)?)\\s*$"));
    const QRegularExpressionMatch m = form.match(text);
    if (!m.hasMatch()) {
        *error = QStringLiteral("Nieprawidłowe wejście \"%1\": oczekiwano N=S@T, np. 3=1@2,5.")
                     .arg(text);
        return false;
    }
    const int input = m.captured(1).toInt();
    const int state = m.captured(2).toInt();
    if (input < 1 || input > 8) {
        *error = QStringLiteral("Numer wejścia %1 spoza zakresu 1..8.").arg(m.captured(1));
        return false;
    }
    if (state != 0 && state != 1) {
        *error = QStringLiteral("Stan wejścia %1 musi być 0 lub 1.").arg(m.captured(2));
        return false;
    }
    bool ok = false;
    const double t =
        QString(m.captured(3)).replace(QLatin1Char(','), QLatin1Char('.')).toDouble(&ok);
    if (!ok) {
        *error = QStringLiteral("Nieprawidłowy czas wejścia \"%1\".").arg(m.captured(3));
        return false;
    }
    *change = InputChange{input, state == 1, t};
    return true;
}

QString decimal(double value, int decimals) {
    if (value == 0)
        value = 0; // no "-0,00"
    return QString::number(value, 'f', decimals).replace(QLatin1Char('.'), QLatin1Char(','));
}

QString endKey(EndReason end) {
    switch (end) {
    case EndReason::Koniec: return QStringLiteral("koniec");
    case EndReason::Loop: return QStringLiteral("loop");
    case EndReason::TimeLimit: return QStringLiteral("time_limit");
    case EndReason::StepLimit: return QStringLiteral("step_limit");
    case EndReason::Error: return QStringLiteral("error");
    case EndReason::Wait: return QStringLiteral("wait");
    }
    return {};
}

QString summaryText(const SimulationResult &r) {
    QString how;
    switch (r.end) {
    case EndReason::Koniec:
        how = QStringLiteral("Program kończy się poleceniem Koniec po %1 s.")
                  .arg(decimal(r.timeS, 6));
        break;
    case EndReason::Loop:
        how =
            QStringLiteral("Program działa w pętli bez końca: stan powtarza się po raz pierwszy po "
                           "%1 s, okres pętli %2 s.")
                .arg(decimal(r.timeS, 6), decimal(r.periodS, 6));
        break;
    case EndReason::TimeLimit:
        how =
            QStringLiteral("Przerwano po osiągnięciu limitu czasu %1 s.").arg(decimal(r.timeS, 6));
        break;
    case EndReason::StepLimit:
        how = QStringLiteral("Przerwano po osiągnięciu limitu %1 wykonanych poleceń, czas %2 s.")
                  .arg(r.steps)
                  .arg(decimal(r.timeS, 6));
        break;
    case EndReason::Error:
        how = QStringLiteral("Symulacja zatrzymana błędem po %1 s: %2")
                  .arg(decimal(r.timeS, 6), r.error);
        break;
    case EndReason::Wait:
        how = r.waitInput > 0
                  ? QStringLiteral("Program czeka bez końca na zmianę wejścia IN %1 (linia %2), "
                                   "od %3 s.")
                        .arg(r.waitInput)
                        .arg(r.waitLine)
                        .arg(decimal(r.timeS, 6))
                  : QStringLiteral("Program czeka bez końca w pętli bez upływu czasu (linia %1), "
                                   "od %2 s.")
                        .arg(r.waitLine)
                        .arg(decimal(r.timeS, 6));
        break;
    }
    return how + QStringLiteral("\nPozycja końcowa: %1 kroków. Wykonane polecenia: %2.")
                     .arg(decimal(r.position, 2))
                     .arg(r.steps);
}

QString lineBody(const QStringList &lines, int line) {
    if (line < 1 || line > lines.size())
        return {};
    const QString &text = lines[line - 1];
    // A number field of any length ends at the first ": ".
    return ProgramEditor::lineNumber(text) >= 0 ? text.mid(text.indexOf(QLatin1String(": ")) + 2)
                                                : text;
}

QString commandText(const ExecutedCommand &c, const QStringList &lines) {
    const QString text = lineBody(lines, c.line);
    return QStringLiteral("%1 s  linia %2  x = %3  v = %4  %5")
        .arg(decimal(c.timeS, 6), 12)
        .arg(c.line, 3, 10, QLatin1Char('0'))
        .arg(decimal(c.position, 2), decimal(c.velocity, 2), text)
        .trimmed();
}

QByteArray resultJson(const SimulationResult &r) {
    QJsonObject o;
    o.insert(QStringLiteral("end"), endKey(r.end));
    o.insert(QStringLiteral("time_s"), r.timeS);
    if (r.end == EndReason::Loop)
        o.insert(QStringLiteral("period_s"), r.periodS);
    if (r.end == EndReason::Wait) {
        o.insert(QStringLiteral("wait_line"), r.waitLine);
        if (r.waitInput > 0)
            o.insert(QStringLiteral("wait_input"), r.waitInput);
    }
    o.insert(QStringLiteral("position"), r.position);
    o.insert(QStringLiteral("steps"), r.steps);
    QJsonObject counts;
    for (auto it = r.lineCounts.cbegin(); it != r.lineCounts.cend(); ++it)
        counts.insert(QString::number(it.key()), it.value());
    o.insert(QStringLiteral("line_counts"), counts);
    if (r.end == EndReason::Error)
        o.insert(QStringLiteral("error"), r.error);
    return QJsonDocument(o).toJson(QJsonDocument::Compact);
}

} // namespace korven::sim
