#include "ProgrammerPlatform.h"

#include <QFileInfo>

#ifdef Q_OS_LINUX
#include <csignal>
#include <sys/prctl.h>
#endif
#ifdef Q_OS_WIN
#include <windows.h>
#endif

namespace korven::platform {

#ifdef Q_OS_WIN

QString programmerPort(const QString &port) { return port; }

bool portPresent(const QString &port) {
    QString name = port;
    if (name.startsWith(QLatin1String("\\\\.\\")))
        name = name.mid(4);
    wchar_t target[1024];
    return QueryDosDeviceW(reinterpret_cast<const wchar_t *>(name.utf16()), target,
                           DWORD(std::size(target))) != 0;
}

bool startTiedToThisProcess(QProcess &process, const QString &program,
                            const QStringList &arguments) {
    // A job that kills its processes when its last handle closes; the handle is ours
    // until we end, however we end.
    static const HANDLE job = [] {
        const HANDLE created = CreateJobObjectW(nullptr, nullptr);
        JOBOBJECT_EXTENDED_LIMIT_INFORMATION limits{};
        limits.BasicLimitInformation.LimitFlags = JOB_OBJECT_LIMIT_KILL_ON_JOB_CLOSE;
        if (created)
            SetInformationJobObject(created, JobObjectExtendedLimitInformation, &limits,
                                    sizeof limits);
        return created;
    }();
    process.start(program, arguments);
    if (!process.waitForStarted(10000))
        return false;
    if (job) {
        const HANDLE handle =
            OpenProcess(PROCESS_SET_QUOTA | PROCESS_TERMINATE, FALSE, DWORD(process.processId()));
        if (handle) {
            AssignProcessToJobObject(job, handle);
            CloseHandle(handle);
        }
    }
    return true;
}

#else

QString programmerPort(const QString &port) {
    if (port.isEmpty() || port.startsWith(QLatin1Char('/')))
        return port;
    return QStringLiteral("/dev/") + port;
}

bool portPresent(const QString &port) { return QFileInfo::exists(port); }

bool startTiedToThisProcess(QProcess &process, const QString &program,
                            const QStringList &arguments) {
#ifdef Q_OS_LINUX
    process.setChildProcessModifier([] { ::prctl(PR_SET_PDEATHSIG, SIGKILL); });
#endif
    process.start(program, arguments);
    return process.waitForStarted(10000);
}

#endif

} // namespace korven::platform
