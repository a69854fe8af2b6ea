#pragma once

#include "ProgramRunOptions.h"

#include <QByteArray>
#include <QElapsedTimer>
#include <QFile>
#include <QObject>

class QSocketNotifier;
class QTimer;

namespace korven::emu {

class PseudoTerminal;

// Faults the emulator can play, for tests of the program's error handling.
struct Faults {
    bool silent = false;        // answers nothing at all
    int wrongEchoAt = 0;        // echoes the Nth image byte of a stream wrongly (1-based)
    bool extraByte = false;     // one byte too many after the command letter's echo
    bool lowercaseEcho = false; // "p", "w", "r" for "P", "W", "R"
    bool upperCaseEnd = false;  // "E" instead of "e" at the end of a stream
    bool swapLength = false;    // echoes the two length bytes swapped
    int hangupAfter = 0;        // hangs up after receiving N bytes
    int muteAfter = 0;          // falls silent after receiving N bytes
    int staleBytes = 0;         // bytes queued for the program before anything is asked
    bool paced = false;         // answers at the real 38400 bit/s wire rate
    int corruptAt = 0;          // stores the Nth program byte changed, echoing it right
    int lateEchoAt = 0;         // once, echoes the Nth image byte lateEchoMs late
    int lateEchoMs = 770;
    bool strayAfterEnd = false; // once, one stray byte 20 ms after a stream's "e"
    QString receivedLog;        // every byte received is appended to this file at once
};

// The device side of the protocol: echoes commands, lengths and program bytes, keeps the
// program it was given, answers verify from that memory, runs the program's waits and
// jumps, reports its status characters.
// A started program runs on the motion simulator: "e" follows after its simulated run
// time, busy waits for inputs included; a program that loops, waits for ever or runs into
// a limit goes on until it is stopped.
class DeviceEmulator : public QObject {
    Q_OBJECT
public:
    DeviceEmulator(PseudoTerminal &terminal, Faults faults, QObject *parent = nullptr);

    const QByteArray &memory() const { return m_memory; }
    void setProgramRunOptions(ProgramRunOptions options) { m_run = std::move(options); }

private:
    enum class State { Idle, Length, Data };
    void onReadable();
    void processIncoming();
    void onByte(quint8 byte);
    void onStreamByte(quint8 byte);
    void endStreamWhenComplete();
    void sendStrayWhenDue();
    void send(const QByteArray &bytes);
    void startProgram();
    void programEnded();
    void stopProgram();
    void hangUp();

    PseudoTerminal &m_terminal;
    Faults m_faults;
    QSocketNotifier *m_notifier;
    QTimer *m_runTimer;
    QElapsedTimer m_clock;
    qint64 m_lastArrivalUs = 0;
    State m_state = State::Idle;
    char m_stream = 0; // 'P' or 'W'
    QByteArray m_lengthBytes;
    int m_expected = 0;
    int m_received = 0;
    int m_totalReceived = 0;
    QByteArray m_incoming;
    bool m_stalled = false; // a late echo is pending: later bytes wait for it
    bool m_lateEchoDone = false;
    bool m_strayDone = false;
    qint64 m_strayDueUs = -1;
    QFile m_log;
    QByteArray m_memory;
    bool m_running = false;
    ProgramRunOptions m_run;
};

} // namespace korven::emu
