#include "Encoders.h"

#include "Acceleration.h"
#include "ProgramLine.h"
#include "SpeedUnits.h"

namespace korven {
namespace {

int op(Command command) { return commandRow(command).opcode; }

void appendByte(QString &out, int value) {
    static const char digits[] = "0123456789ABCDEF";
    if (!out.isEmpty())
        out += QLatin1Char(' ');
    out += QLatin1Char(digits[(value >> 4) & 0xF]);
    out += QLatin1Char(digits[value & 0xF]);
}

QString bytes(std::initializer_list<int> values) {
    QString out;
    out.reserve(int(values.size()) * 3);
    for (int v : values)
        appendByte(out, v);
    return out;
}

qint64 checked(qint64 value, qint64 min, qint64 max, const QString &what) {
    if (value < min || value > max)
        throw FieldError(QStringLiteral("%1 %2 nie mieści się w zakresie %3..%4")
                             .arg(what)
                             .arg(value)
                             .arg(min)
                             .arg(max));
    return value;
}

// A parameter within the range of its field in the command table.
qint64 inRange(qint64 value, Command command, int field, const QString &what) {
    const Range &range = commandRow(command).fields[field].add;
    return checked(value, range.min.value, range.max.value, what);
}

void requireDriver(int pulsDiv) {
    if (pulsDiv <= 0)
        throw FieldError(QStringLiteral("nie wybrano sterownika, nie można przeliczyć wartości"));
}

QString word(int opcode, qint64 value) {
    return bytes({opcode, int(value >> 8) & 0xFF, int(value) & 0xFF});
}

qint64 velocity(long double stepsPerSecond, int pulsDiv) {
    requireDriver(pulsDiv);
    return speed::SpeedToVReg(stepsPerSecond, pulsDiv);
}

// A velocity as a 12-bit two's complement number.
qint64 signed12(long double stepsPerSecond, int pulsDiv) {
    const qint64 v = checked(velocity(stepsPerSecond, pulsDiv), -2048, 2047,
                             QStringLiteral("rejestr prędkości"));
    return v >= 0 ? v : 4096 - (-v);
}

QString jump(int opcode, const ImageAddresses &addresses, qint64 ownLine, qint64 targetLine,
             std::optional<int> condition) {
    const qint64 next = addresses.at(ownLine);
    const qint64 target = addresses.at(targetLine - 1);
    const qint64 d =
        checked(target + 1 - next, -32768, 32767, QStringLiteral("przesunięcie skoku"));
    const qint64 word16 = d < 0 ? 65536 + d : d;
    if (condition)
        return bytes({opcode, *condition, int(word16 >> 8), int(word16 & 0xFF)});
    return bytes({opcode, int(word16 >> 8), int(word16 & 0xFF)});
}

} // namespace

ImageAddresses::ImageAddresses(const QStringList &image) {
    m_prefix.reserve(image.size() + 1);
    m_prefix.append(0);
    for (const QString &line : image)
        m_prefix.append(m_prefix.last() + imageLineLength(line));
}

int ImageAddresses::at(qint64 k) const {
    if (k <= 0)
        return 0;
    return m_prefix[int(qMin<qint64>(k, m_prefix.size() - 1))];
}

int imageLineLength(const QString &line) { return int((line.size() + 1) / 3); }

QString cmdVmin(long double stepsPerSecond, int pulsDiv) {
    const qint64 v =
        checked(velocity(stepsPerSecond, pulsDiv), 0, 65535, QStringLiteral("rejestr prędkości"));
    return bytes({op(Command::Vmin), 0x04, 0x00, int(v >> 8), int(v & 0xFF)});
}

QString cmdVmax(long double stepsPerSecond, int pulsDiv) {
    const qint64 v =
        checked(velocity(stepsPerSecond, pulsDiv), 0, 65535, QStringLiteral("rejestr prędkości"));
    return bytes({op(Command::Vmax), 0x06, 0x00, int(v >> 8), int(v & 0xFF)});
}

QString cmdVtarget(long double stepsPerSecond, int pulsDiv) {
    return word(op(Command::Vtarget), signed12(stepsPerSecond, pulsDiv));
}

QString cmdaMax(long double acceleration, int pulsDiv) {
    requireDriver(pulsDiv);
    const int rampDiv = pulsDiv + 1;
    const qint64 aMax = checked(accel::aMaxFromValue(acceleration, pulsDiv), 0, 65535,
                                QStringLiteral("rejestr przyspieszenia"));
    const accel::PMulPDiv pair = accel::FindPMulPDiv(aMax, rampDiv, pulsDiv, accel::kReduction);
    if (!pair.found())
        throw FieldError(
            QStringLiteral("dla przyspieszenia o wartości rejestru %1 nie ma mnożnika rampy")
                .arg(aMax));
    return bytes({op(Command::AMax), 0x0C, 0x00, int(aMax >> 8), int(aMax & 0xFF), 0x18, 0x00,
                  pulsDiv * 16 + rampDiv, 0x00, 0x12, 0x00, pair.PMul, pair.PDiv});
}

QString cmdJump(const ImageAddresses &addresses, qint64 ownLine, qint64 targetLine) {
    return jump(op(Command::Jump), addresses, ownLine, targetLine, std::nullopt);
}

QString cmdJumpIfCounter(const ImageAddresses &addresses, qint64 ownLine, qint64 targetLine) {
    return jump(op(Command::JumpIfCounter), addresses, ownLine, targetLine, std::nullopt);
}

QString cmdJumpIf(const ImageAddresses &addresses, qint64 ownLine, qint64 targetLine,
                  qint64 inputIndex, qint64 state) {
    inRange(inputIndex + 1, Command::JumpIfInput, 1, QStringLiteral("numer wejścia"));
    inRange(state, Command::JumpIfInput, 2, QStringLiteral("stan wejścia"));
    return jump(op(Command::JumpIfInput), addresses, ownLine, targetLine,
                int(inputIndex * 16 + state));
}

QString cmdFindPos(qint64 position) {
    inRange(position, Command::FindPos, 0, QStringLiteral("pozycja"));
    const QString hex = position >= 0 ? QStringLiteral("%1").arg(position, 6, 16, QLatin1Char('0'))
                                      : NotIntToHex(-position, 6);
    const qint64 v = hex.toLongLong(nullptr, 16);
    return bytes(
        {op(Command::FindPos), 0x00, int(v >> 16) & 0xFF, int(v >> 8) & 0xFF, int(v) & 0xFF});
}

QString cmdWait(qint64 milliseconds) {
    return word(op(Command::Wait), inRange(milliseconds, Command::Wait, 0, QStringLiteral("czas")));
}

QString cmdWait_s(qint64 seconds) {
    return word(op(Command::WaitS), inRange(seconds, Command::WaitS, 0, QStringLiteral("czas")));
}

QString cmdSetCounter(qint64 count) {
    return word(op(Command::SetCounter),
                inRange(count, Command::SetCounter, 0, QStringLiteral("licznik powtórzeń")));
}

QString cmdFindHOME(qint64 precision, long double stepsPerSecond, int pulsDiv) {
    inRange(precision, Command::FindHome, 1, QStringLiteral("prędkość precyzowania"));
    return word(op(Command::FindHome), precision * 4096 + signed12(stepsPerSecond, pulsDiv));
}

QString cmdEnable(const QString &state) {
    return bytes({op(Command::Enable), state == QLatin1String("High") ? 0xFF : 0x00});
}

QString cmdSetOut(qint64 outputIndex, qint64 state) {
    qint64 o = inRange(outputIndex + 1, Command::SetOutput, 0, QStringLiteral("numer wyjścia")) - 1;
    inRange(state, Command::SetOutput, 1, QStringLiteral("stan wyjścia"));
    // "PK 1" is device output 7 and "PK 2" device output 6.
    if (o == 6)
        o = 7;
    else if (o == 7)
        o = 6;
    return bytes({op(Command::SetOutput), int(o * 16 + state)});
}

QString cmdSetOuts(const QString &outputList) {
    std::array<bool, 8> states = outputStates(outputList);
    std::swap(states[6], states[7]); // PK 2 is bit 6, PK 1 bit 7
    int mask = 0;
    for (int j = 0; j < 8; ++j)
        mask |= states[j] ? (1 << j) : 0;
    return bytes({op(Command::Outputs), mask});
}

QString NotIntToHex(qint64 value, int digits) {
    const quint64 complement = quint64(-value);
    QString hex = QString::number(complement, 16).toUpper();
    return hex.right(digits).rightJustified(digits, QLatin1Char('0'));
}

} // namespace korven
