#pragma once

#include <QString>

namespace korven {

// The Polish text of a reason the system gives for a failed file operation
// ("No such file or directory", "Access is denied.", ...), for the messages that quote
// it after the file name. The common reasons of Linux (in the C locale) and of an
// English Windows (or Wine) are known; any other text, one already in Polish included, comes
// back unchanged, so that no reason is ever lost.
QString polishSystemReason(const QString &reason);

} // namespace korven
