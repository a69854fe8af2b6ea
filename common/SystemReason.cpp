#include "SystemReason.h"

#include <QCoreApplication>

namespace korven {
namespace {

struct Reason {
    const char *system;
    const char *polish;
};

// Linux strerror texts, Qt's own file engine texts, the Windows system messages and
// Wine's wording of them.
const Reason kReasons[] = {
    {"No such file or directory", "nie ma takiego pliku lub folderu"},
    {"The system cannot find the file specified", "nie ma takiego pliku"},
    {"The system cannot find the path specified", "nie ma takiego folderu"},
    {"File not found", "nie ma takiego pliku"},
    {"Path not found", "nie ma takiego folderu"},
    {"Access denied", "brak uprawnień"},
    {"Sharing violation", "plik jest używany przez inny program"},
    {"Not a directory", "część ścieżki nie jest folderem"},
    {"Is a directory", "to jest folder, nie plik"},
    {"file to open is a directory", "to jest folder, nie plik"},
    {"Permission denied", "brak uprawnień"},
    {"Operation not permitted", "brak uprawnień"},
    {"Access is denied", "brak uprawnień"},
    {"No space left on device", "brak miejsca na dysku"},
    {"There is not enough space on the disk", "brak miejsca na dysku"},
    {"Disk quota exceeded", "przekroczony przydział miejsca na dysku"},
    {"Device or resource busy", "urządzenie jest zajęte"},
    {"Text file busy", "plik jest używany przez inny program"},
    {"The process cannot access the file because it is being used by another process",
     "plik jest używany przez inny program"},
    {"No such device", "urządzenie zostało odłączone"},
    {"No such device or address", "urządzenie zostało odłączone"},
    {"Input/output error", "błąd wejścia/wyjścia (urządzenie odłączone lub uszkodzone)"},
    {"The device is not ready", "urządzenie nie jest gotowe (odłączone?)"},
    {"Read-only file system", "system plików tylko do odczytu"},
    {"The media is write protected", "nośnik jest zabezpieczony przed zapisem"},
    {"File name too long", "za długa nazwa pliku"},
    {"The filename, directory name, or volume label syntax is incorrect",
     "niepoprawna nazwa pliku"},
    {"Too many open files", "za dużo otwartych plików"},
    {"Unknown error", "nieznany błąd"},
};

QString key(QString text) {
    text = text.trimmed();
    while (text.endsWith(QLatin1Char('.')))
        text.chop(1);
    return text.toLower();
}

} // namespace

QString polishSystemReason(const QString &reason) {
    // Qt translates some of these reasons itself once its Polish texts are loaded
    // ("Brak pliku lub katalogu"); those read as ours too, so the window and the
    // command line say the same.
    const QString wanted = key(reason);
    for (const Reason &r : kReasons) {
        if (key(QString::fromUtf8(r.system)) == wanted ||
            key(QCoreApplication::translate("QIODevice", r.system)) == wanted)
            return QString::fromUtf8(r.polish);
    }
    return reason;
}

} // namespace korven
