#pragma once

#include <QString>
#include <QStringList>

#include <functional>

namespace korven {

// Runs an external tool without a window, capturing its standard output: waits in
// passes, lets the window's messages run between them, and gives up after the last
// pass, ending a tool that is still running so that it frees the serial port.
class ToolRunner {
public:
    struct Limits {
        int passMilliseconds = 5000;
        int passes = 151;
        qint64 captureBytes = 1024 * 1024;
    };
    struct Result {
        QString output; // up to the first zero byte, line ends as LF
        bool started = false;
        bool timedOut = false;
        // Ended by itself with exit code 0 (not killed, not crashed).
        bool exitedCleanly = false;
    };

    explicit ToolRunner(Limits limits) : m_limits(limits) {}
    ToolRunner() : ToolRunner(Limits{}) {}

    // betweenPasses runs after every pass (the window processes its messages there).
    Result Exec(const QString &program, const QStringList &arguments,
                const std::function<void()> &betweenPasses = {}) const;

private:
    Limits m_limits;
};

} // namespace korven
