#include "SettingsLocation.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QTemporaryFile>

namespace korven {

bool directoryWritable(const QString &directory) {
    if (!QFileInfo(directory).isDir())
        return false;
    QTemporaryFile probe(QDir(directory).filePath(QStringLiteral(".korven-XXXXXX")));
    return probe.open();
}

QStringList SettingsLocation::settingsFiles() {
    return {QStringLiteral("rs232.ini"), QStringLiteral("mi.ini"), QStringLiteral("korven.ini")};
}

SettingsLocation SettingsLocation::forProgramDir(const QString &programDir) {
    SettingsLocation location;
    if (directoryWritable(programDir)) {
        location.directory = programDir;
        return location;
    }
    const QString config = QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation);
    QDir().mkpath(config);
    location.directory = QDir(config).absolutePath() + QLatin1Char('/');
    location.besideProgram = false;
    for (const QString &name : settingsFiles()) {
        const QString target = location.directory + name;
        if (!QFileInfo::exists(target) && QFileInfo::exists(programDir + name))
            QFile::copy(programDir + name, target);
    }
    return location;
}

} // namespace korven
