#pragma once

#include <QByteArray>
#include <QObject>

class QSocketNotifier;

namespace korven::emu {

class PseudoTerminal;

// An ATmega16 with an AVR109 boot loader, as a programming tool sees it on the serial
// line: identification, block writes and reads of flash and EEPROM, chip erase.
class Avr109Simulator : public QObject {
    Q_OBJECT
public:
    struct Faults {
        bool silent = false;
        int corruptFlashByte = -1; // this flash byte is stored wrongly, so verify fails
        int hangupAfterWrites = 0; // hangs up (the port vanishes) after N block writes
        int muteAfterWrites = 0;   // answers nothing more after N block writes
        QString log;               // erases and block writes are recorded in this file
    };
    Avr109Simulator(PseudoTerminal &terminal, Faults faults, QObject *parent = nullptr);

private:
    void onReadable();
    // Handles the command at the start of m_input if it is complete; false to wait for more.
    bool handleCommand();
    void reply(const QByteArray &bytes);
    void record(const QByteArray &line);

    PseudoTerminal &m_terminal;
    Faults m_faults;
    QSocketNotifier *m_notifier;
    QByteArray m_input;
    QByteArray m_flash;
    QByteArray m_eeprom;
    int m_address = 0; // words for flash, bytes for EEPROM
    int m_writes = 0;
};

} // namespace korven::emu
