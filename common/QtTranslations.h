#pragma once

#include <QString>
#include <QStringList>

namespace korven {

// Where Qt's own Polish texts (file, print and message dialogs, standard buttons) are
// looked for, in order: Qt's translations folder, then beside the executable and its
// "translations" folder, which a portable copy carries.
QStringList qtTranslationDirectories(const QString &programDir);

// Installs "qtbase_pl.qm" from the first of those folders that holds it into the running
// application; returns the file's path, or an empty text when none was found (Qt's
// dialogs then stay in English).
QString installPolishQtTranslations(const QString &programDir);

} // namespace korven
