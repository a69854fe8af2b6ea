#pragma once

// Linux programs for the Windows tests under Wine (pdftotext, korven-emu). Wine starts a
// file that is no Windows program as a Linux program, but hands the starter neither its
// output nor its end: runHostCommand runs it through /bin/sh with both written to files
// and waits for them. Paths a Linux program reads are given as hostPath(path).

#include "WineSkip.h"

#include <QByteArray>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <QThread>

#include <string>

struct HostCommandResult {
    bool finished = false;
    int exitCode = -1;
    QByteArray output; // stdout; stderr is dropped
};

// The Linux path of a Windows path (a path unchanged elsewhere).
inline QString hostPath(const QString &path) {
#ifdef Q_OS_WIN
    using UnixFileName = char *(CDECL *)(const wchar_t *);
    static const auto unixFileName = reinterpret_cast<UnixFileName>(reinterpret_cast<void *>(
        GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "wine_get_unix_file_name")));
    if (!unixFileName)
        return path;
    const std::wstring name = QDir::toNativeSeparators(path).toStdWString();
    char *unix = unixFileName(name.c_str());
    if (!unix)
        return path;
    const QString result = QString::fromUtf8(unix);
    HeapFree(GetProcessHeap(), 0, unix);
    return result;
#else
    return path;
#endif
}

// A shell word for /bin/sh.
inline QString shellQuoted(const QString &word) {
    QString quoted = word;
    quoted.replace(QLatin1Char('\''), QStringLiteral("'\\''"));
    return QLatin1Char('\'') + quoted + QLatin1Char('\'');
}

// Starts /bin/sh with a script under Wine; false when Wine would not start it.
inline bool startHostScript(const QString &script) {
#ifdef Q_OS_WIN
    std::wstring command = L"/bin/sh " + hostPath(script).toStdWString();
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &process))
        return false;
    if (process.hProcess)
        CloseHandle(process.hProcess);
    if (process.hThread)
        CloseHandle(process.hThread);
    return true;
#else
    Q_UNUSED(script);
    return false;
#endif
}

// Runs the Linux program with its arguments (Linux paths) and waits up to timeoutMs.
inline HostCommandResult runHostCommand(const QStringList &command, int timeoutMs = 30000) {
    HostCommandResult result;
    QTemporaryDir work;
    QStringList words;
    for (const QString &word : command)
        words << shellQuoted(word);
    const QString dir = hostPath(work.path());
    QFile script(work.filePath(QStringLiteral("run.sh")));
    if (!script.open(QIODevice::WriteOnly))
        return result;
    script.write(QStringLiteral("exec >/dev/null 2>&1\ncd %1\n%2 >out\necho $? >status.new\n"
                                "mv status.new status\n")
                     .arg(shellQuoted(dir), words.join(QLatin1Char(' ')))
                     .toUtf8());
    script.close();
    if (!startHostScript(script.fileName()))
        return result;
    const QDeadlineTimer deadline(timeoutMs);
    QFile status(work.filePath(QStringLiteral("status")));
    while (!status.exists() && !deadline.hasExpired())
        QThread::msleep(20);
    if (!status.open(QIODevice::ReadOnly))
        return result;
    result.finished = true;
    result.exitCode = status.readAll().trimmed().toInt();
    QFile out(work.filePath(QStringLiteral("out")));
    if (out.open(QIODevice::ReadOnly))
        result.output = out.readAll();
    return result;
}
