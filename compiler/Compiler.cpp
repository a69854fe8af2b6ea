#include "Compiler.h"

#include "Encoders.h"
#include "ProgramLine.h"

namespace korven {
namespace {

QString firstPass(const QString &line, Command command, const DriveSettings &drive) {
    const int pd = drive.PulsDiv;
    switch (command) {
    case Command::Vmin: return cmdVmin(fieldDecimal(GetValue(line)), pd);
    case Command::Vmax: return cmdVmax(fieldDecimal(GetValue(line)), pd);
    case Command::Vtarget: return cmdVtarget(fieldDecimal(GetValue(line)), pd);
    case Command::AMax: return cmdaMax(fieldDecimal(GetValue(line)), pd);
    case Command::Jump: return QStringLiteral("04 00 00");
    case Command::JumpIfInput: return QStringLiteral("0A 00 00 00");
    case Command::JumpIfCounter: return QStringLiteral("11 00 00");
    case Command::FindPos: return cmdFindPos(fieldInt(GetValue(line)));
    case Command::WaitS: return cmdWait_s(fieldInt(GetValue(line)));
    case Command::Wait: return cmdWait(fieldInt(GetValue(line)));
    case Command::Stop: return QStringLiteral("0B");
    case Command::Brake: return QStringLiteral("0C");
    case Command::FindHome:
        return cmdFindHOME(fieldInt(GetValue2(line)), fieldDecimal(GetValue(line)), pd);
    case Command::ClearPosition: return QStringLiteral("0F");
    case Command::SetCounter: return cmdSetCounter(fieldInt(GetValue(line)));
    case Command::Enable: return cmdEnable(GetValue(line).asText());
    case Command::SetOutput:
        return cmdSetOut(fieldInt(GetValue(line)) - 1, fieldInt(GetValue2(line)));
    case Command::Outputs: return cmdSetOuts(GetValue(line).asText());
    case Command::End: return QStringLiteral("05");
    case Command::None: break;
    }
    return {};
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
    default: return {};
    }
}

bool isJump(Command c) {
    return c == Command::Jump || c == Command::JumpIfInput || c == Command::JumpIfCounter;
}

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
