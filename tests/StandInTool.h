#pragma once

// A program that plays an external tool (avrosp, avrdude) as its script says: a copy of
// korven-standin under the tool's name, with the script beside it (see
// standin/StandInTool.cpp for the commands). A real program, not a shell script, so the
// tests run on Windows as well.

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QString>

// Makes the stand-in NAME (without ".exe") in dir; returns the program's path.
inline QString standInTool(const QString &dir, const QString &name, const QByteArray &script) {
#ifdef Q_OS_WIN
    const QString program = QDir(dir).filePath(name + QStringLiteral(".exe"));
#else
    const QString program = QDir(dir).filePath(name);
#endif
    QFile::remove(program);
    QFile::copy(QStringLiteral(KORVEN_STANDIN), program);
    QFile::setPermissions(program, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    QFile file(QDir(dir).filePath(name + QStringLiteral(".script")));
    if (file.open(QIODevice::WriteOnly))
        file.write(script);
    return program;
}
