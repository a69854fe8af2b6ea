#pragma once

#include "ProgramLine.h"

#include <QByteArray>
#include <QStringList>

#include <vector>

namespace korven::sim {

// One byte-code command, decoded once so that the run loop does no byte work.
struct Instruction {
    Command command = Command::None; // None: an opcode the compiler never writes
    int line = 0;                    // 1-based program line
    int address = 0;
    int length = 0;
    int next = -1;   // instruction that follows in memory; -1 past the end or inside a command
    int target = -1; // jump target instruction
    int jumpAddress = 0;
    enum class JumpFault { None, Outside, IntoCommand } jumpFault = JumpFault::None;
    qint32 value = 0; // counter, milliseconds, seconds, position, velocity register
    quint8 aux = 0;   // output bit, input index, awaited state, precision
    quint8 aux2 = 0;
    double real = 0; // steps/s or steps/s^2
};

// The program image as the device holds it: the bytes, and where each program line's
// command starts. Velocities are in units of the driver's PulsDiv; accelerations carry
// their own divisors in the image.
class DecodedProgram {
public:
    // From the image lines (one per program line; empty lines hold no command).
    static DecodedProgram fromImage(const QStringList &image, int pulsDiv);
    // From bare memory bytes, commands read one after the other from address 0.
    static DecodedProgram fromBytes(const QByteArray &bytes, int pulsDiv);

    const std::vector<Instruction> &instructions() const { return m_instructions; }
    int byteLength() const { return int(m_bytes.size()); }
    int lastLine() const { return m_lastLine; }

private:
    DecodedProgram(QByteArray bytes, const std::vector<std::pair<int, int>> &starts, int pulsDiv);
    void decode(Instruction &in, int pulsDiv) const;
    int byte(int address) const;

    QByteArray m_bytes;
    std::vector<Instruction> m_instructions;
    int m_lastLine = 0;
};

// The PulsDiv written into the first acceleration setting of a memory image, or -1.
int pulsDivOfImage(const QByteArray &bytes);

} // namespace korven::sim
