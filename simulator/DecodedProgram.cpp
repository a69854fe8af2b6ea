#include "DecodedProgram.h"

#include "ByteCode.h"

#include <QHash>

#include <cmath>

namespace korven::sim {
namespace {

// A 12-bit two's complement velocity register in the low bits of a word.
int signed12(int word) {
    const int v = word & 0x0FFF;
    return v >= 2048 ? v - 4096 : v;
}

double velocityUnit(int pulsDiv) { return 15625.0 / (64.0 * std::ldexp(1.0, pulsDiv)); }

} // namespace

DecodedProgram DecodedProgram::fromImage(const QStringList &image, int pulsDiv) {
    QByteArray bytes;
    std::vector<std::pair<int, int>> starts; // address, 1-based line
    for (int i = 0; i < image.size(); ++i) {
        const QStringList hex = image[i].split(QLatin1Char(' '), Qt::SkipEmptyParts);
        if (hex.isEmpty())
            continue;
        starts.emplace_back(int(bytes.size()), i + 1);
        for (const QString &h : hex)
            bytes.append(char(h.toInt(nullptr, 16)));
    }
    return DecodedProgram(bytes, starts, pulsDiv);
}

DecodedProgram DecodedProgram::fromBytes(const QByteArray &bytes, int pulsDiv) {
    const ByteCode &code = ByteCode::instance();
    std::vector<std::pair<int, int>> starts;
    for (int address = 0; address < bytes.size();) {
        starts.emplace_back(address, int(starts.size()) + 1);
        const int length = code.length(quint8(bytes[address]));
        if (length == 0)
            break;
        address += length;
    }
    return DecodedProgram(bytes, starts, pulsDiv);
}

int DecodedProgram::byte(int address) const {
    return address >= 0 && address < m_bytes.size() ? quint8(m_bytes[address]) : 0;
}

DecodedProgram::DecodedProgram(QByteArray bytes, const std::vector<std::pair<int, int>> &starts,
                               int pulsDiv)
    : m_bytes(std::move(bytes)) {
    const ByteCode &code = ByteCode::instance();
    QHash<int, int> byAddress;
    m_instructions.reserve(starts.size());
    for (const auto &[address, line] : starts) {
        Instruction in;
        in.address = address;
        in.line = line;
        in.command = code.command(quint8(byte(address)), quint8(byte(address + 1)));
        in.length = code.length(quint8(byte(address)));
        in.aux = quint8(byte(address)); // the opcode, for the message when it is unknown
        byAddress.insert(address, int(m_instructions.size()));
        m_instructions.push_back(in);
        m_lastLine = line;
    }
    for (Instruction &in : m_instructions) {
        if (in.command == Command::None)
            continue;
        in.next = byAddress.value(in.address + in.length, -1);
        if (in.address + in.length > m_bytes.size())
            in.command = Command::None; // cut short: the device would read past its program
        decode(in, pulsDiv);
        if (in.command == Command::Jump || in.command == Command::JumpIfInput ||
            in.command == Command::JumpIfCounter) {
            // The device adds the displacement to the address after the command, less one.
            const int end = in.address + in.length;
            const qint16 d = qint16(quint16(byte(end - 2) << 8 | byte(end - 1)));
            in.jumpAddress = end + d - 1;
            in.target = byAddress.value(in.jumpAddress, -1);
            if (in.jumpAddress < 0 || in.jumpAddress >= m_bytes.size())
                in.jumpFault = Instruction::JumpFault::Outside;
            else if (in.target < 0)
                in.jumpFault = Instruction::JumpFault::IntoCommand;
        }
    }
}

void DecodedProgram::decode(Instruction &in, int pulsDiv) const {
    const int a = in.address;
    const int word = byte(a + 1) << 8 | byte(a + 2);
    const double unit = velocityUnit(pulsDiv);
    switch (in.command) {
    case Command::Vmin:
    case Command::Vmax:
        in.value = byte(a + 3) << 8 | byte(a + 4);
        in.real = in.value * unit;
        break;
    case Command::Vtarget:
        in.value = signed12(word);
        in.real = in.value * unit;
        break;
    case Command::AMax: {
        // aMax, then PulsDiv and RampDiv in one byte: the unit is 5^12 / 2^(9 + both).
        in.value = byte(a + 3) << 8 | byte(a + 4);
        const int divisors = byte(a + 7);
        in.real = in.value * (244140624.0 / std::ldexp(1.0, 9 + (divisors >> 4) + (divisors & 15)));
        break;
    }
    case Command::FindPos: {
        const int raw = byte(a + 2) << 16 | byte(a + 3) << 8 | byte(a + 4);
        in.value = raw >= 0x800000 ? raw - 0x1000000 : raw;
        break;
    }
    case Command::FindHome:
        in.value = signed12(word);
        in.aux = quint8(word >> 12);
        in.real = std::abs(in.value * unit);
        break;
    case Command::Wait:
    case Command::WaitS:
    case Command::SetCounter: in.value = word; break;
    case Command::SetOutput:
        in.aux = quint8(byte(a + 1) >> 4);
        in.aux2 = (byte(a + 1) & 0x0F) != 0;
        break;
    case Command::Outputs: in.aux = quint8(byte(a + 1)); break;
    case Command::Enable: in.aux2 = byte(a + 1) != 0; break;
    case Command::JumpIfInput:
        in.aux = quint8(byte(a + 1) >> 4);
        in.aux2 = (byte(a + 1) & 0x0F) != 0;
        break;
    default: break;
    }
}

int pulsDivOfImage(const QByteArray &bytes) {
    const DecodedProgram program = DecodedProgram::fromBytes(bytes, 0);
    for (const Instruction &in : program.instructions()) {
        if (in.command == Command::AMax)
            return quint8(bytes[in.address + 7]) >> 4;
    }
    return -1;
}

} // namespace korven::sim
