#pragma once

#include <QString>
#include <QStringList>

namespace korven {

// The window program's command line: "korven [test] [PROGRAM.dat]". A first argument
// "test" (exact, case-sensitive) switches on the transfer log and "Pokaż program"; the
// argument after it, or the first one without it, names a program file to open once the
// window is up (as a file manager passes it).
struct StartupArguments {
    bool testMode = false;
    QString programFile; // absolute, or empty
    bool help = false;
    bool version = false;

    // arguments as QCoreApplication::arguments() gives them, the program's path first.
    static StartupArguments parse(const QStringList &arguments);
    static QString usage();
};

} // namespace korven
