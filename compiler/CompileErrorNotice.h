#pragma once

#include "Compiler.h"

#include <QString>
#include <QStringList>

namespace korven {

// When a compile error interrupts the user: once, when the change that causes it is made
// or the file holding it is opened. While the same fault persists (the line moved, an edit
// cancelled, another line changed) the later compilations only show it quietly.
class CompileErrorNotice {
public:
    // Takes the newest compilation of these lines; true when its error is new.
    bool interrupts(const CompileResult &result, const QStringList &lines);
    // The next error counts as new (a program file was opened).
    void reset() { m_fault.clear(); }

private:
    QString m_fault; // the erroneous line's body and the reason, without its number
};

} // namespace korven
