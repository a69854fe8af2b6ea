#include "Avr109Simulator.h"

#include "PseudoTerminal.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QFile>
#include <QSocketNotifier>

namespace korven::emu {
namespace {
constexpr int kFlashSize = 16 * 1024;
constexpr int kEepromSize = 512;
constexpr int kBlockSize = 128;
const QByteArray kOk("\r");
} // namespace

Avr109Simulator::Avr109Simulator(PseudoTerminal &terminal, Faults faults, QObject *parent)
    : QObject(parent), m_terminal(terminal), m_faults(faults), m_flash(kFlashSize, char(0xFF)),
      m_eeprom(kEepromSize, char(0xFF)) {
    m_notifier = new QSocketNotifier(terminal.masterFd(), QSocketNotifier::Read, this);
    connect(m_notifier, &QSocketNotifier::activated, this, &Avr109Simulator::onReadable);
}

void Avr109Simulator::reply(const QByteArray &bytes) {
    if (!m_faults.silent)
        m_terminal.write(bytes);
}

void Avr109Simulator::record(const QByteArray &line) {
    if (m_faults.log.isEmpty())
        return;
    QFile file(m_faults.log);
    if (file.open(QIODevice::WriteOnly | QIODevice::Append))
        file.write(line + '\n');
}

void Avr109Simulator::onReadable() {
    m_input += m_terminal.readAvailable();
    while (m_terminal.isOpen() && !m_input.isEmpty() && handleCommand()) {
    }
    if (m_faults.hangupAfterWrites > 0 && m_writes >= m_faults.hangupAfterWrites &&
        m_terminal.isOpen()) {
        // Like a pulled cable: the port's device node goes with the terminal.
        m_notifier->setEnabled(false);
        m_terminal.close();
        record("hangup " + QByteArray::number(QDateTime::currentMSecsSinceEpoch()));
        QCoreApplication::exit(0);
    }
}

bool Avr109Simulator::handleCommand() {
    const char command = m_input[0];
    const auto need = [this](int n) { return m_input.size() >= n; };
    const auto byteAt = [this](int i) { return int(quint8(m_input[i])); };
    int used = 1;
    switch (command) {
    case 'S': reply("AVRBOOT"); break;
    case 'V': reply("10"); break;
    case 'v': reply("?"); break;
    case 'p': reply("S"); break;
    case 'a': reply("Y"); break;
    case 'b': reply(QByteArray("Y") + char(kBlockSize >> 8) + char(kBlockSize & 0xFF)); break;
    case 't': reply(QByteArray("\x75", 1) + QByteArray(1, '\0')); break; // ATmega16 device code
    case 's': reply(QByteArray("\x03\x94\x1E", 3)); break; // signature 1E 94 03, last byte first
    case 'F':
    case 'N':
    case 'Q':
    case 'r': reply(QByteArray(1, char(0xFF))); break;
    case 'T':
        if (!need(2))
            return false;
        used = 2;
        reply(kOk);
        break;
    case 'P':
    case 'L':
    case 'E':
    case 'x':
    case 'y': reply(kOk); break;
    case 'e':
        record("erase");
        m_flash.fill(char(0xFF));
        reply(kOk);
        break;
    case 'A':
        if (!need(3))
            return false;
        used = 3;
        m_address = byteAt(1) * 256 + byteAt(2);
        reply(kOk);
        break;
    case 'B': {
        if (!need(4))
            return false;
        const int size = byteAt(1) * 256 + byteAt(2);
        if (!need(4 + size))
            return false;
        used = 4 + size;
        const bool flash = m_input[3] == 'F';
        QByteArray &memory = flash ? m_flash : m_eeprom;
        int at = flash ? m_address * 2 : m_address;
        for (int i = 0; i < size && at + i < memory.size(); ++i) {
            char value = m_input[4 + i];
            if (flash && at + i == m_faults.corruptFlashByte)
                value = char(~value);
            memory[at + i] = value;
        }
        m_address += flash ? size / 2 : size;
        ++m_writes;
        record(QByteArray("write ") + (flash ? "flash " : "eeprom ") + QByteArray::number(size));
        reply(kOk);
        if (m_faults.muteAfterWrites > 0 && m_writes >= m_faults.muteAfterWrites)
            m_faults.silent = true;
        break;
    }
    case 'g': {
        if (!need(4))
            return false;
        used = 4;
        const int size = byteAt(1) * 256 + byteAt(2);
        const bool flash = m_input[3] == 'F';
        const QByteArray &memory = flash ? m_flash : m_eeprom;
        const int at = flash ? m_address * 2 : m_address;
        reply(memory.mid(at, size).leftJustified(size, char(0xFF)));
        m_address += flash ? size / 2 : size;
        break;
    }
    default: reply("?"); break;
    }
    m_input.remove(0, used);
    return true;
}

} // namespace korven::emu
