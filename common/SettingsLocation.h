#pragma once

#include <QString>
#include <QStringList>

namespace korven {

// Where "rs232.ini", "mi.ini" and the list of recent files are read and written. A
// portable copy in a writable folder keeps them beside the executable; an installed
// program, whose folder the user cannot write (/usr/lib/korven, Program Files), keeps
// them in the user's configuration folder. Decided once at start-up for the program's
// folder, by trying to create a file in it (permission bits alone do not tell: a network
// share, a read-only mount, Windows access lists).
struct SettingsLocation {
    QString directory; // ends with '/'
    bool besideProgram = true;

    // The files the program keeps in that folder.
    static QStringList settingsFiles();
    // For the program folder (ending with '/'); in the configuration folder, a settings file
    // that is missing there starts as a copy of the program folder's one, if any, so that
    // defaults an administrator placed beside the program still apply.
    static SettingsLocation forProgramDir(const QString &programDir);
};

// True when a file can be created in the folder.
bool directoryWritable(const QString &directory);

} // namespace korven
