#pragma once

#include <QByteArray>
#include <QString>

namespace korven::emu {

// A pseudo-terminal pair: the program under test opens the slave by its path, the
// emulator reads and writes the master. This is the one POSIX-only part of the project.
class PseudoTerminal {
public:
    PseudoTerminal();
    ~PseudoTerminal();
    PseudoTerminal(const PseudoTerminal &) = delete;
    PseudoTerminal &operator=(const PseudoTerminal &) = delete;

    bool isOpen() const { return m_master >= 0; }
    QString slavePath() const { return m_slavePath; }
    int masterFd() const { return m_master; }
    QString error() const { return m_error; }

    // What has arrived, without waiting; empty when nothing.
    QByteArray readAvailable();
    void write(const QByteArray &bytes);
    // Blocks until bytes can be read or the time is up; true when they can.
    bool waitReadable(int milliseconds) const;
    // Hangs up: the other side sees its port fail.
    void close();

    // Sleeps for the given microseconds (wire time of the paced mode).
    static void sleepMicroseconds(long microseconds);

private:
    int m_master = -1;
    int m_slaveKeeper = -1;
    QString m_slavePath;
    QString m_error;
};

} // namespace korven::emu
