#include "ToolRunner.h"

#include "ConsolePlatform.h"

#include <QDeadlineTimer>
#include <QLocale>
#include <QProcess>
#include <QTime>

namespace korven {

ToolRunner::Result ToolRunner::Exec(const QString &program, const QStringList &arguments,
                                    const std::function<void()> &betweenPasses) const {
    Result result;
    QProcess process;
    process.setStandardErrorFile(QProcess::nullDevice());
    process.start(program, arguments, QIODevice::ReadWrite);
    if (!process.waitForStarted(10000)) {
        result.output = QLocale().toString(QTime::currentTime(), QLocale::LongFormat) +
                        QLatin1Char(' ') + process.errorString();
        return result;
    }
    result.started = true;
    process.closeWriteChannel();
    QByteArray captured;
    const auto capture = [&] {
        // Everything is read so that the tool never blocks on a full pipe; only the
        // first bytes up to the limit are kept.
        const QByteArray chunk = process.readAllStandardOutput();
        captured += chunk.left(m_limits.captureBytes - captured.size());
    };
    bool finished = false;
    for (int pass = 1; pass <= m_limits.passes && !finished; ++pass) {
        // A pass waits for the tool's end, emptying the pipe as output comes.
        const QDeadlineTimer deadline(m_limits.passMilliseconds);
        while (!finished && !deadline.hasExpired()) {
            if (process.waitForReadyRead(int(qMax<qint64>(1, deadline.remainingTime()))))
                capture();
            else
                finished = process.state() == QProcess::NotRunning;
        }
        if (betweenPasses)
            betweenPasses();
        capture();
    }
    if (!finished) {
        result.timedOut = true;
        process.kill();
        process.waitForFinished(5000);
    } else {
        result.exitedCleanly =
            process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0;
    }
    capture();
    const qsizetype zero = captured.indexOf('\0');
    if (zero >= 0)
        captured.truncate(zero);
    // Console tools write in the console's code page (OEM on Windows).
    result.output = platform::fromConsoleCodePage(captured).replace(QStringLiteral("\r\n"),
                                                                    QStringLiteral("\n"));
    return result;
}

} // namespace korven
