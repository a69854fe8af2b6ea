#include "RecentFiles.h"

#include <QDir>
#include <QFileInfo>
#include <QSettings>

namespace korven {
namespace {

const char *const kSection = "OstatniePliki";

QString normalised(const QString &path) {
    return QDir::cleanPath(QFileInfo(path).absoluteFilePath());
}

} // namespace

void RecentFiles::load() {
    m_files.clear();
    QSettings ini(m_iniPath, QSettings::IniFormat);
    ini.beginGroup(QLatin1String(kSection));
    for (int i = 1; i <= kMaxFiles; ++i) {
        const QString path = ini.value(QStringLiteral("Plik%1").arg(i)).toString();
        if (!path.isEmpty() && indexOf(path) < 0)
            m_files.append(path);
    }
}

bool RecentFiles::save() const {
    QSettings ini(m_iniPath, QSettings::IniFormat);
    ini.remove(QLatin1String(kSection));
    ini.beginGroup(QLatin1String(kSection));
    for (int i = 0; i < m_files.size(); ++i)
        ini.setValue(QStringLiteral("Plik%1").arg(i + 1), m_files[i]);
    ini.endGroup();
    ini.sync();
    return ini.status() == QSettings::NoError;
}

qsizetype RecentFiles::indexOf(const QString &path) const {
#ifdef Q_OS_WIN
    const Qt::CaseSensitivity cs = Qt::CaseInsensitive;
#else
    const Qt::CaseSensitivity cs = Qt::CaseSensitive;
#endif
    const QString wanted = normalised(path);
    for (qsizetype i = 0; i < m_files.size(); ++i)
        if (normalised(m_files[i]).compare(wanted, cs) == 0)
            return i;
    return -1;
}

void RecentFiles::add(const QString &path) {
    remove(path);
    m_files.prepend(normalised(path));
    while (m_files.size() > kMaxFiles)
        m_files.removeLast();
}

void RecentFiles::remove(const QString &path) {
    const qsizetype at = indexOf(path);
    if (at >= 0)
        m_files.removeAt(at);
}

} // namespace korven
