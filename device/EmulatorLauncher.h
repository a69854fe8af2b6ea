#pragma once

#include <QString>

#include <functional>
#include <memory>

class QProcess;

namespace korven {

// korven-emu from the program directory, run in the background so that the program can
// be tried without a mikroindekser. It plays the device on a pseudo-terminal and announces
// the terminal's path on its first output line. Pseudo-terminals are POSIX: on Windows the
// emulator is not offered.
class EmulatorLauncher {
public:
    explicit EmulatorLauncher(QString programDir);
    ~EmulatorLauncher();
    EmulatorLauncher(const EmulatorLauncher &) = delete;
    EmulatorLauncher &operator=(const EmulatorLauncher &) = delete;

    static QString programName();
    // Whether this platform has the emulator and the program directory holds it.
    static bool available(const QString &programDir);

    // Starts it unless it runs; the port it plays on, or empty with error() telling why.
    // Waits for the announcement at most timeoutMs.
    QString start(int timeoutMs = 5000);
    void stop();
    bool running() const;
    // Called when the emulator ends on its own (not through stop()); needs an event loop.
    void setOnEnded(std::function<void()> onEnded) { m_onEnded = std::move(onEnded); }
    const QString &port() const { return m_port; }
    qint64 processId() const;
    const QString &error() const { return m_error; }

private:
    QString m_program;
    std::unique_ptr<QProcess> m_process;
    QString m_port;
    QString m_error;
    std::function<void()> m_onEnded;
};

} // namespace korven
