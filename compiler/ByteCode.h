#pragma once

#include "ProgramLine.h"

#include <QtGlobal>

#include <array>

namespace korven {

// The byte code as the compiler writes it: opcodes and lengths from the command table,
// the register addresses of the two speed settings from their encoders, so that a
// reader of images never keeps its own copy.
class ByteCode {
public:
    static const ByteCode &instance();

    // The command of a byte-code command starting with opcode; the two speed settings
    // share one opcode and differ by the register address in the second byte.
    Command command(quint8 opcode, quint8 second) const;
    // Bytes of the command with this opcode; 0 for an opcode the compiler never writes.
    int length(quint8 opcode) const { return m_length[opcode]; }
    quint8 opcode(Command command) const { return m_opcode[int(command)]; }

private:
    ByteCode();

    std::array<int, 256> m_length{};
    std::array<Command, 256> m_byOpcode{};
    std::array<quint8, int(Command::None) + 1> m_opcode{};
    quint8 m_vminRegister = 0;
    quint8 m_vmaxRegister = 0;
};

} // namespace korven
