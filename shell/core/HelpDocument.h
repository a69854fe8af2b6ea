#pragma once

#include <QString>
#include <QStringList>

namespace korven {

// What the help command opens: "korven.chm" in the program folder when it is there,
// otherwise our HTML user manual, found beside the program (a portable copy), in the
// installed data folder (<prefix>/lib/korven -> <prefix>/share/korven/doc) or in the
// build tree (build/shell -> build/doc).
QStringList helpDocumentCandidates(const QString &programDir);
// The first candidate that exists, or an empty text.
QString helpDocument(const QString &programDir);

} // namespace korven
