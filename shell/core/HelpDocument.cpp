#include "HelpDocument.h"

#include <QDir>
#include <QFileInfo>

namespace korven {

QStringList helpDocumentCandidates(const QString &programDir) {
    const QDir dir(programDir);
    const QString manual = QStringLiteral("index.html");
    return {dir.filePath(QStringLiteral("korven.chm")),
            QDir::cleanPath(dir.filePath(QStringLiteral("doc/") + manual)),
            QDir::cleanPath(dir.filePath(QStringLiteral("../../share/korven/doc/") + manual)),
            QDir::cleanPath(dir.filePath(QStringLiteral("../doc/") + manual))};
}

QString helpDocument(const QString &programDir) {
    for (const QString &candidate : helpDocumentCandidates(programDir))
        if (QFileInfo(candidate).isFile())
            return candidate;
    return {};
}

} // namespace korven
