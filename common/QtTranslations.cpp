#include "QtTranslations.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QLibraryInfo>
#include <QTranslator>

namespace korven {

QStringList qtTranslationDirectories(const QString &programDir) {
    return {QLibraryInfo::path(QLibraryInfo::TranslationsPath), QDir(programDir).absolutePath(),
            QDir(programDir).filePath(QStringLiteral("translations"))};
}

QString installPolishQtTranslations(const QString &programDir) {
    const QString name = QStringLiteral("qtbase_pl.qm");
    for (const QString &dir : qtTranslationDirectories(programDir)) {
        const QString path = QDir(dir).filePath(name);
        if (!QFileInfo::exists(path))
            continue;
        auto *translator = new QTranslator(QCoreApplication::instance());
        if (translator->load(path) && QCoreApplication::installTranslator(translator))
            return path;
        delete translator;
    }
    return {};
}

} // namespace korven
