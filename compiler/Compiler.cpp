#include "Compiler.h"

#include "Encoders.h"
#include "ProgramLine.h"

#include <iterator>

namespace korven {
namespace {

using Encoder = QString (*)(const QString &line, const DriveSettings &drive);

// The opcode alone, for the commands without parameters, and the jumps' placeholders:
// their opcode and zero bytes up to their length, filled in by the second pass.
QString fixedBytes(Command command) {
    const CommandRow &row = commandRow(command);
    QString text = QStringLiteral("%1").arg(row.opcode, 2, 16, QLatin1Char('0')).toUpper();
    for (int i = 1; i < row.length; ++i)
        text += QStringLiteral(" 00");
    return text;
}

template <Command C> QString fixed(const QString &, const DriveSettings &) { return fixedBytes(C); }

// The first pass of each command, in the order of the command table.
const Encoder kFirstPass[] = {
    [](const QString &line, const DriveSettings &d) {
        return cmdVmin(fieldDecimal(GetValue(line)), d.PulsDiv);
    },
    [](const QString &line, const DriveSettings &d) {
        return cmdVmax(fieldDecimal(GetValue(line)), d.PulsDiv);
    },
    [](const QString &line, const DriveSettings &d) {
        return cmdVtarget(fieldDecimal(GetValue(line)), d.PulsDiv);
    },
    [](const QString &line, const DriveSettings &d) {
        return cmdaMax(fieldDecimal(GetValue(line)), d.PulsDiv);
    },
    [](const QString &line, const DriveSettings &) { return cmdWait(fieldInt(GetValue(line))); },
    [](const QString &line, const DriveSettings &) { return cmdWait_s(fieldInt(GetValue(line))); },
    fixed<Command::Jump>,
    fixed<Command::JumpIfInput>,
    fixed<Command::JumpIfCounter>,
    fixed<Command::End>,
    [](const QString &line, const DriveSettings &) { return cmdFindPos(fieldInt(GetValue(line))); },
    [](const QString &line, const DriveSettings &d) {
        return cmdFindHOME(fieldInt(GetValue2(line)), fieldDecimal(GetValue(line)), d.PulsDiv);
    },
    fixed<Command::ClearPosition>,
    fixed<Command::Stop>,
    fixed<Command::Brake>,
    [](const QString &line, const DriveSettings &) { return cmdEnable(GetValue(line).asText()); },
    [](const QString &line, const DriveSettings &) {
        return cmdSetCounter(fieldInt(GetValue(line)));
    },
    [](const QString &line, const DriveSettings &) {
        return cmdSetOut(fieldInt(GetValue(line)) - 1, fieldInt(GetValue2(line)));
    },
    [](const QString &line, const DriveSettings &) { return cmdSetOuts(GetValue(line).asText()); },
};
static_assert(std::size(kFirstPass) == kCommandCount, "every command of the table is compiled");

QString firstPass(const QString &line, Command command, const DriveSettings &drive) {
    if (command == Command::None)
        return {};
    const QString text = kFirstPass[int(command)](line, drive);
    // Lengths are fixed per command: the first pass places every line by them.
    if (imageLineLength(text) != commandRow(command).length)
        throw FieldError(QStringLiteral("kod polecenia ma złą długość"));
    return text;
}

QString secondPass(const QString &line, Command command, int ownLine,
                   const ImageAddresses &addresses) {
    const qint64 target = fieldInt(GetValue(line));
    switch (command) {
    case Command::Jump: return cmdJump(addresses, ownLine, target);
    case Command::JumpIfCounter: return cmdJumpIfCounter(addresses, ownLine, target);
    case Command::JumpIfInput:
        return cmdJumpIf(addresses, ownLine, target, fieldInt(GetValue2(line)) - 1,
                         fieldInt(GetValue3(line)));
    default: break;
    }
    // A jump row of the table without its encoder here.
    throw FieldError(QStringLiteral("skok bez kodu"));
}

bool isJump(Command c) { return c != Command::None && commandRow(c).jump; }

} // namespace

CompileResult GenerujProgram(const QStringList &lines, const DriveSettings &drive) {
    CompileResult result;
    QList<Command> commands;
    commands.reserve(lines.size());
    int i = 0;
    try {
        for (; i < lines.size(); ++i) {
            const Command c = recognise(lines[i], compileOrder());
            commands.append(c);
            result.image.append(firstPass(lines[i], c, drive));
        }
        const ImageAddresses addresses(result.image);
        for (i = 0; i < lines.size(); ++i) {
            if (isJump(commands[i]))
                result.image[i] = secondPass(lines[i], commands[i], i + 1, addresses);
        }
    } catch (const FieldError &e) {
        result.image.clear();
        result.errorLine = i;
        result.error =
            QStringLiteral("Błąd w linii %1 (%2): %3.").arg(i + 1).arg(lines[i], e.message());
    }
    return result;
}

int ObliczDlProg(const QStringList &image) { return ImageAddresses(image).total(); }

int ObliczPozycje(const QStringList &image, int k) { return ImageAddresses(image).at(k); }

int memoryBarPosition(int programLength) { return qBound(0, programLength, kDeviceMemory); }

QString memoryText(int programLength) {
    // Tenths of a per cent free: exact, with the decimal comma.
    const int tenths = kDeviceMemory - memoryBarPosition(programLength);
    return QStringLiteral("Dostępna pamięć %1,%2 %").arg(tenths / 10).arg(tenths % 10);
}

} // namespace korven
