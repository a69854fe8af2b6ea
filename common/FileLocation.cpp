#include "FileLocation.h"

#include <QFileInfo>

namespace korven {

void FileLocation::succeeded(const QString &path) {
    const QFileInfo info(path);
    m_folder = info.absolutePath();
    m_name = info.fileName();
}

void FileLocation::failed(const QString &path) { m_name = QFileInfo(path).fileName(); }

} // namespace korven
