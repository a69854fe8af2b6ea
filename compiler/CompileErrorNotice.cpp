#include "CompileErrorNotice.h"

#include <QRegularExpression>

namespace korven {
namespace {

// The same fault in another place: the line's body without its number, and the reason
// after the line text in the message.
QString faultOf(const CompileResult &result, const QStringList &lines) {
    const QString line = lines.value(result.errorLine);
    static const QRegularExpression number(QStringLiteral("^\\s*\\d+:\\s*"));
    QString body = line;
    body.remove(number);
    const qsizetype at = result.error.indexOf(line);
    const QString reason = at < 0 ? result.error : result.error.mid(at + line.size());
    return body + QLatin1Char('\n') + reason;
}

} // namespace

bool CompileErrorNotice::interrupts(const CompileResult &result, const QStringList &lines) {
    if (result.ok()) {
        m_fault.clear();
        return false;
    }
    const QString fault = faultOf(result, lines);
    if (fault == m_fault)
        return false;
    m_fault = fault;
    return true;
}

} // namespace korven
