#pragma once

// Runs korven-cli and writes program files for it.

#include "Cp1250.h"

#include <QFile>
#include <QProcess>
#include <QStringList>
#include <QTemporaryDir>

struct CliRun {
    int code;
    QString out; // lines end in "\n"
    QString err;
    QByteArray rawOut; // as written: on Windows lines end in CR LF
};

inline CliRun runCli(const QStringList &args) {
    QProcess p;
    p.start(QStringLiteral(KORVEN_CLI), args);
    p.waitForFinished(30000);
    const QByteArray out = p.readAllStandardOutput();
    const auto lines = [](const QByteArray &bytes) {
        return QString::fromUtf8(bytes).replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    };
    return {p.exitCode(), lines(out), lines(p.readAllStandardError()), out};
}

// "p.dat" in dir, the text in Windows-1250.
inline QString writeProgramText(const QTemporaryDir &dir, const QString &text) {
    const QString path = dir.filePath(QStringLiteral("p.dat"));
    QFile f(path);
    f.open(QIODevice::WriteOnly);
    f.write(korven::encodeCp1250(text));
    return path;
}
