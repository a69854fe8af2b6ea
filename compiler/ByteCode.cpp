#include "ByteCode.h"

#include "CommandTable.h"
#include "Compiler.h"

namespace korven {
namespace {

// The bytes of a speed setting, with a speed every driver can encode.
QList<int> compiledBytes(Command c) {
    const DriveSettings drive{0, 0, 5, 2047, 16};
    const CompileResult result =
        GenerujProgram({formatLine(1, bodySpeed(c, QStringLiteral("100,00")))}, drive);
    QList<int> bytes;
    if (!result.ok() || result.image.isEmpty())
        return bytes;
    for (const QString &hex : result.image.first().split(QLatin1Char(' '), Qt::SkipEmptyParts))
        bytes.append(hex.toInt(nullptr, 16));
    return bytes;
}

} // namespace

const ByteCode &ByteCode::instance() {
    static const ByteCode table;
    return table;
}

ByteCode::ByteCode() {
    m_byOpcode.fill(Command::None);
    for (const CommandRow &row : commandTable()) {
        const quint8 op = row.opcode;
        m_opcode[int(row.command)] = op;
        m_length[op] = row.length;
        if (m_byOpcode[op] == Command::None)
            m_byOpcode[op] = row.command;
    }
    // The register addresses that tell the two speed settings apart, as the encoders write them.
    m_vminRegister = quint8(compiledBytes(Command::Vmin).value(1));
    m_vmaxRegister = quint8(compiledBytes(Command::Vmax).value(1));
}

Command ByteCode::command(quint8 opcode, quint8 second) const {
    if (opcode == m_opcode[int(Command::Vmin)] || opcode == m_opcode[int(Command::Vmax)]) {
        if (second == m_vminRegister)
            return Command::Vmin;
        if (second == m_vmaxRegister)
            return Command::Vmax;
        return Command::None;
    }
    return m_byOpcode[opcode];
}

} // namespace korven
