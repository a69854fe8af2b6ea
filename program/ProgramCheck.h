#pragma once

#include <QString>
#include <QStringList>

namespace korven {

// Whether the speed and acceleration settings come before the commands that need them.
struct CheckResult {
    bool ok = true;
    QString message; // the failing rule's message, empty when ok
    int line = -1;   // 0-based line that breaks the rule; -1 when a setting is missing
};

CheckResult SprawdzProgram(const QStringList &lines);

// The failing rule's message naming its line: "… ! (linia 3)".
QString checkMessage(const CheckResult &result);

// The banner verdict for a result.
QString checkVerdict(const CheckResult &result);

} // namespace korven
