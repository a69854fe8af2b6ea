#pragma once

#include <QString>
#include <QStringList>

namespace korven {

// Whether the speed and acceleration settings come before the commands that need them.
struct CheckResult {
    bool ok = true;
    QString message; // the failing rule's message, empty when ok
};

CheckResult SprawdzProgram(const QStringList &lines);

// The banner verdict for a result.
QString checkVerdict(const CheckResult &result);

} // namespace korven
