#include "ByteCode.h"

#include "CommandTable.h"
#include "Compiler.h"

namespace korven {
namespace {

// One line of each command, with values that every driver can encode.
QString sampleBody(Command c) {
    switch (c) {
    case Command::Vmin:
    case Command::Vmax:
    case Command::Vtarget: return bodySpeed(c, QStringLiteral("100,00"));
    case Command::AMax: return bodyAccel(QStringLiteral("232,83"));
    case Command::FindHome: return bodyHome(QStringLiteral("100,00"), 0);
    case Command::SetOutput: return bodySetOutput(1, 0);
    case Command::JumpIfInput: return bodyJumpIfInput(1, 1, 0);
    case Command::Enable: return bodyEnable(true);
    case Command::Outputs: return bodyOutputs({});
    case Command::Wait:
    case Command::WaitS:
    case Command::Jump:
    case Command::JumpIfCounter:
    case Command::FindPos:
    case Command::SetCounter: return bodyInt(c, 1);
    default: return bodyPlain(c);
    }
}

QList<int> compiledBytes(Command c) {
    const DriveSettings drive{0, 0, 5, 2047, 16};
    const CompileResult result = GenerujProgram({formatLine(1, sampleBody(c))}, drive);
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
