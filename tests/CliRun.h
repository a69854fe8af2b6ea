#pragma once

// Runs korven-cli and writes program files for it.

#include "Cp1250.h"

#include <QFile>
#include <QProcess>
#include <QStringList>
#include <QTemporaryDir>

struct CliRun {
    int code;
    QString out;
    QString err;
};

inline CliRun runCli(const QStringList &args) {
    QProcess p;
    p.start(QStringLiteral(KORVEN_CLI), args);
    p.waitForFinished(30000);
    return {p.exitCode(), QString::fromUtf8(p.readAllStandardOutput()),
            QString::fromUtf8(p.readAllStandardError())};
}

// "p.dat" in dir, the text in Windows-1250.
inline QString writeProgramText(const QTemporaryDir &dir, const QString &text) {
    const QString path = dir.filePath(QStringLiteral("p.dat"));
    QFile f(path);
    f.open(QIODevice::WriteOnly);
    f.write(korven::encodeCp1250(text));
    return path;
}
