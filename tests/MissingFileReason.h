#pragma once

// How the program words the system's reason for a file or folder that is not there: the
// Linux text translated by the program; Windows says it in its own language (in Polish
// on a Polish Windows, as the tests' Wine is).

#include "SystemReason.h"

#include <QString>

inline QString missingFileReason() {
#ifdef Q_OS_WIN
    return korven::polishSystemReason(qt_error_string(2)); // ERROR_FILE_NOT_FOUND
#else
    return QStringLiteral("nie ma takiego pliku lub folderu");
#endif
}

inline QString missingFolderReason() {
#ifdef Q_OS_WIN
    return korven::polishSystemReason(qt_error_string(3)); // ERROR_PATH_NOT_FOUND
#else
    return QStringLiteral("nie ma takiego pliku lub folderu");
#endif
}
