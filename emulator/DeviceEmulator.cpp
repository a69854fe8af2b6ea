#include "DeviceEmulator.h"

#include "PseudoTerminal.h"
#include "Simulation.h"
#include "SimulationText.h"

#include <QCoreApplication>
#include <QSocketNotifier>
#include <QTimer>

#include <cmath>
#include <cstdio>
#include <limits>

namespace korven::emu {
namespace {

// One character on the wire at 38400 bit/s, 8N1: ten bit-times.
constexpr long kCharMicroseconds = 10 * 1000000L / 38400;

} // namespace

DeviceEmulator::DeviceEmulator(PseudoTerminal &terminal, Faults faults, QObject *parent)
    : QObject(parent), m_terminal(terminal), m_faults(faults) {
    m_clock.start();
    m_notifier = new QSocketNotifier(terminal.masterFd(), QSocketNotifier::Read, this);
    connect(m_notifier, &QSocketNotifier::activated, this, &DeviceEmulator::onReadable);
    m_runTimer = new QTimer(this);
    m_runTimer->setSingleShot(true);
    connect(m_runTimer, &QTimer::timeout, this, &DeviceEmulator::programEnded);
    if (!m_faults.receivedLog.isEmpty()) {
        m_log.setFileName(m_faults.receivedLog);
        m_log.open(QIODevice::WriteOnly | QIODevice::Append | QIODevice::Unbuffered);
    }
    if (m_faults.staleBytes > 0)
        send(QByteArray(m_faults.staleBytes, '?'));
}

void DeviceEmulator::send(const QByteArray &bytes) {
    if (m_faults.silent || bytes.isEmpty())
        return;
    // Paced, a stream keeps us from the event loop: a stray byte due meanwhile goes
    // out before the next answer.
    if (m_strayDueUs >= 0)
        sendStrayWhenDue();
    if (m_faults.paced) {
        // The echo of a byte leaves after that byte has fully arrived, and takes as
        // long again to cross the wire: twenty bit-times after the host sent it.
        const qint64 due = m_lastArrivalUs + 2 * kCharMicroseconds;
        const qint64 now = m_clock.nsecsElapsed() / 1000;
        if (due > now)
            PseudoTerminal::sleepMicroseconds(long(due - now));
        for (qsizetype i = 0; i < bytes.size(); ++i) {
            if (i > 0)
                PseudoTerminal::sleepMicroseconds(kCharMicroseconds);
            m_terminal.write(bytes.mid(i, 1));
        }
        return;
    }
    m_terminal.write(bytes);
}

void DeviceEmulator::onReadable() {
    for (;;) {
        const QByteArray arrived = m_terminal.readAvailable();
        if (m_log.isOpen())
            m_log.write(arrived);
        m_incoming += arrived;
        processIncoming();
        // Paced: the next byte of a stream follows the echo at once; waiting for it
        // here instead of in the event loop keeps the wake-up short against the
        // bit-times being modelled.
        if (!m_faults.paced || !m_terminal.isOpen() || !m_terminal.waitReadable(2))
            return;
    }
}

void DeviceEmulator::processIncoming() {
    while (!m_incoming.isEmpty() && m_terminal.isOpen() && !m_stalled) {
        const quint8 byte = quint8(m_incoming.front());
        m_incoming.remove(0, 1);
        m_lastArrivalUs = m_clock.nsecsElapsed() / 1000;
        ++m_totalReceived;
        if (m_faults.muteAfter > 0 && m_totalReceived > m_faults.muteAfter)
            m_faults.silent = true;
        onByte(byte);
        if (m_faults.hangupAfter > 0 && m_totalReceived >= m_faults.hangupAfter)
            hangUp();
    }
}

void DeviceEmulator::hangUp() {
    m_notifier->setEnabled(false);
    m_terminal.close();
    QCoreApplication::exit(0);
}

void DeviceEmulator::onByte(quint8 byte) {
    if (m_state != State::Idle) {
        onStreamByte(byte);
        return;
    }
    switch (byte) {
    case 'P':
    case 'W':
        stopProgram();
        m_stream = char(byte);
        m_state = State::Length;
        m_lengthBytes.clear();
        send(QByteArray(1, m_faults.lowercaseEcho ? char(byte + 32) : char(byte)));
        if (m_faults.extraByte)
            send(QByteArrayLiteral("x"));
        break;
    case 'R':
        send(QByteArray(1, m_faults.lowercaseEcho ? 'r' : 'R'));
        startProgram();
        break;
    case 'v': send(QByteArrayLiteral("\r\nMikroindekser KORVEN-EMU 1.0\r\n")); break;
    case 's':
        stopProgram();
        send(QByteArrayLiteral("s"));
        break;
    case 't':
        stopProgram();
        QTimer::singleShot(200, this, [this] { send(QByteArrayLiteral("t")); });
        break;
    default: break;
    }
}

void DeviceEmulator::onStreamByte(quint8 byte) {
    if (m_state == State::Length) {
        m_lengthBytes.append(char(byte));
        if (m_lengthBytes.size() < 2)
            return;
        QByteArray echo = m_lengthBytes;
        if (m_faults.swapLength)
            std::swap(echo[0], echo[1]);
        send(echo);
        m_expected = quint8(m_lengthBytes[0]) * 256 + quint8(m_lengthBytes[1]);
        m_received = 0;
        if (m_stream == 'P')
            m_memory = QByteArray(m_expected, '\0');
        m_state = State::Data;
    } else {
        quint8 answer = byte;
        if (m_stream == 'P')
            m_memory[m_received] =
                char(m_faults.corruptAt == m_received + 1 ? quint8(~byte) : byte);
        else
            answer = m_received < m_memory.size() ? quint8(m_memory[m_received]) : quint8(~byte);
        ++m_received;
        if (m_faults.wrongEchoAt == m_received)
            answer = quint8(~answer);
        if (m_faults.lateEchoAt == m_received && !m_lateEchoDone) {
            // Busy for a while: the echo comes late, the bytes meanwhile wait for it.
            m_lateEchoDone = true;
            m_stalled = true;
            QTimer::singleShot(m_faults.lateEchoMs, this, [this, answer] {
                m_stalled = false;
                send(QByteArray(1, char(answer)));
                endStreamWhenComplete();
                processIncoming();
            });
            return;
        }
        send(QByteArray(1, char(answer)));
    }
    endStreamWhenComplete();
}

void DeviceEmulator::endStreamWhenComplete() {
    if (m_state != State::Data || m_received < m_expected)
        return;
    m_state = State::Idle;
    send(QByteArray(1, m_faults.upperCaseEnd ? 'E' : 'e'));
    if (m_faults.strayAfterEnd && !m_strayDone) {
        m_strayDone = true;
        m_strayDueUs = m_clock.nsecsElapsed() / 1000 + 20000;
        QTimer::singleShot(20, Qt::PreciseTimer, this, &DeviceEmulator::sendStrayWhenDue);
    }
}

void DeviceEmulator::sendStrayWhenDue() {
    if (m_strayDueUs < 0 || m_clock.nsecsElapsed() / 1000 < m_strayDueUs)
        return;
    m_strayDueUs = -1;
    send(QByteArrayLiteral("x"));
}

void DeviceEmulator::startProgram() {
    send(QByteArrayLiteral("r"));
    m_running = true;
    // Velocities are in the driver's units, which only the acceleration setting names.
    const int pulsDiv = sim::pulsDivOfImage(m_memory);
    sim::SimulationOptions options;
    options.inputs = m_run.inputs;
    options.homeAt = m_run.homeAt;
    options.maxTimeS = 1e9;
    options.traceLimit = 0;
    const sim::SimulationResult result =
        sim::simulate(sim::DecodedProgram::fromBytes(m_memory, pulsDiv < 0 ? 5 : pulsDiv), options);
    std::fprintf(stderr, "korven-emu: %s\n",
                 qPrintable(sim::summaryText(result).replace('\n', ' ')));
    if (result.end != sim::EndReason::Koniec && result.end != sim::EndReason::Error)
        return; // loops, waits for ever or runs past any limit: until "s"
    const double ms = std::round(result.timeS * m_run.timeScale * 1000);
    m_runTimer->start(int(std::min(ms, double(std::numeric_limits<int>::max()))));
}

void DeviceEmulator::programEnded() {
    m_running = false;
    send(QByteArrayLiteral("e"));
}

void DeviceEmulator::stopProgram() {
    m_running = false;
    m_runTimer->stop();
}

} // namespace korven::emu
