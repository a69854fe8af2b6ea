#pragma once

#include <QProcess>
#include <QString>
#include <QStringList>

#ifdef Q_OS_WIN
#include "WineHost.h"

#include <QDeadlineTimer>
#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QThread>
#endif

// korven-emu started for one test: path() is the port to open. On Linux the emulator's
// pseudo-terminal; for the Windows build under Wine, the Linux emulator's terminal linked as
// a COM port of the Wine prefix ("COM10" and up), which the Windows programs open.
class EmulatorProcess {
public:
    explicit EmulatorProcess(const QStringList &faults = {}) {
#ifdef Q_OS_WIN
        startUnderWine(faults);
#else
        m_process.setProgram(QStringLiteral(KORVEN_EMU));
        m_process.setArguments(faults);
        m_process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        m_process.start();
        if (m_process.waitForReadyRead(10000))
            m_path = QString::fromLocal8Bit(m_process.readLine()).trimmed();
#endif
    }
    ~EmulatorProcess() {
        kill();
        waitForFinished(5000);
    }
    const QString &path() const { return m_path; }

    // Ends the emulator at once (the device unplugged).
    void kill() {
#ifdef Q_OS_WIN
        QFile::remove(m_work.filePath(QStringLiteral("lease")));
#else
        m_process.kill();
#endif
    }
    // Whether it ended (by itself, as its faults say, or killed) within the time.
    bool waitForFinished(int milliseconds) {
#ifdef Q_OS_WIN
        const QDeadlineTimer deadline(milliseconds);
        while (!QFile::exists(m_work.filePath(QStringLiteral("ended"))) && !deadline.hasExpired())
            QThread::msleep(20);
        return QFile::exists(m_work.filePath(QStringLiteral("ended")));
#else
        return m_process.state() == QProcess::NotRunning || m_process.waitForFinished(milliseconds);
#endif
    }

private:
#ifdef Q_OS_WIN
    // A shell script on the Linux side runs the emulator, claims a free COM port from 10 to
    // 249 for its terminal (from a number at random: a port just freed is seldom another
    // test's at once), and ends it when the lease file goes (kill(), the end of the test;
    // after 15 minutes at the latest, should the test have crashed).
    void startUnderWine(const QStringList &faults) {
        static const QRegularExpression windowsPath(QStringLiteral("^[A-Za-z]:[/\\\\]"));
        QStringList words{shellQuoted(QStringLiteral(KORVEN_EMU))};
        for (const QString &fault : faults)
            words << shellQuoted(windowsPath.match(fault).hasMatch() ? hostPath(fault) : fault);
        const QString dosdevices =
            shellQuoted(qEnvironmentVariable("KORVEN_WINE_PREFIX") + QStringLiteral("/dosdevices"));
        QFile(m_work.filePath(QStringLiteral("lease"))).open(QIODevice::WriteOnly);
        QFile script(m_work.filePath(QStringLiteral("emulator.sh")));
        script.open(QIODevice::WriteOnly);
        script.write(
            QStringLiteral("exec </dev/null >/dev/null 2>&1\n"
                           "cd %1\n"
                           "timeout 900 %2 >terminal 2>errors &\n"
                           "emu=$!\n"
                           "while [ ! -s terminal ] && kill -0 $emu; do sleep 0.02; done\n"
                           "[ -s terminal ] || { echo >ended; exit; }\n"
                           "first=$((10 + $(od -An -N2 -tu2 /dev/urandom) % 240))\n"
                           "n=$first\n"
                           "while ! ln -s \"$(head -n1 terminal)\" %3/com$n; do\n"
                           "    n=$((n < 249 ? n + 1 : 10))\n"
                           "    [ $n -ne $first ] || break\n"
                           "done\n"
                           "echo COM$n >port.new && mv port.new port\n"
                           "(while [ -e lease ]; do sleep 0.1; done; kill $emu) &\n"
                           "watch=$!\n"
                           "wait $emu\n"
                           "kill $watch\n"
                           "rm -f %3/com$n\n"
                           "echo >ended\n")
                .arg(shellQuoted(hostPath(m_work.path())), words.join(QLatin1Char(' ')), dosdevices)
                .toUtf8());
        script.close();
        if (!startHostScript(script.fileName()))
            return;
        QFile port(m_work.filePath(QStringLiteral("port")));
        const QDeadlineTimer deadline(20000);
        while (!port.exists() && !deadline.hasExpired())
            QThread::msleep(20);
        if (port.open(QIODevice::ReadOnly))
            m_path = QString::fromLatin1(port.readAll()).trimmed();
    }
    QTemporaryDir m_work;
#else
    QProcess m_process;
#endif
    QString m_path;
};
