#include "ProgramLine.h"

#include "Numbers.h"

namespace korven {

QString commandName(Command command) {
    switch (command) {
    case Command::Vmin: return QStringLiteral("Prędkość min");
    case Command::Vmax: return QStringLiteral("Prędkość max");
    case Command::Vtarget: return QStringLiteral("Prędkość docelowa");
    case Command::AMax: return QStringLiteral("Przysp. max");
    case Command::Wait: return QStringLiteral("Czekaj[ms]");
    case Command::WaitS: return QStringLiteral("Czekaj[s]");
    case Command::Jump: return QStringLiteral("Skocz do linii");
    case Command::JumpIfInput: return QStringLiteral("Skocz jeśli wejście");
    case Command::JumpIfCounter: return QStringLiteral("Skocz jeśli licz. powt.");
    case Command::End: return QStringLiteral("Koniec");
    case Command::FindPos: return QStringLiteral("Znajdź pozycję");
    case Command::FindHome: return QStringLiteral("Znajdź HOME");
    case Command::ClearPosition: return QStringLiteral("Zeruj licznik pozycji");
    case Command::Stop: return QStringLiteral("Stop");
    case Command::Brake: return QStringLiteral("Hamuj");
    case Command::Enable: return QStringLiteral("Enable/Disable");
    case Command::SetCounter: return QStringLiteral("Ustaw licznik powtórzeń");
    case Command::SetOutput: return QStringLiteral("Ustaw wyjście");
    case Command::Outputs: return QStringLiteral("Wyjścia");
    case Command::None: break;
    }
    return {};
}

const QList<Command> &compileOrder() {
    static const QList<Command> order = {Command::Vmin,
                                         Command::Vmax,
                                         Command::Vtarget,
                                         Command::AMax,
                                         Command::Jump,
                                         Command::JumpIfInput,
                                         Command::JumpIfCounter,
                                         Command::FindPos,
                                         Command::WaitS,
                                         Command::Wait,
                                         Command::Stop,
                                         Command::Brake,
                                         Command::FindHome,
                                         Command::ClearPosition,
                                         Command::SetCounter,
                                         Command::Enable,
                                         Command::SetOutput,
                                         Command::Outputs,
                                         Command::End};
    return order;
}

const QList<Command> &editOrder() {
    static const QList<Command> order = {
        Command::Vmin,     Command::Vmax,        Command::Vtarget,      Command::AMax,
        Command::Jump,     Command::FindPos,     Command::Wait,         Command::WaitS,
        Command::FindHome, Command::SetCounter,  Command::Enable,       Command::SetOutput,
        Command::Outputs,  Command::JumpIfInput, Command::JumpIfCounter};
    return order;
}

namespace {

// For each ASCII first letter, the commands whose name starts with it.
struct NameIndex {
    QList<Command> byFirst[128];
    QString names[int(Command::None)];
    NameIndex() {
        for (int c = 0; c < int(Command::None); ++c) {
            names[c] = commandName(Command(c));
            byFirst[names[c][0].unicode()].append(Command(c));
        }
    }
};

const NameIndex &nameIndex() {
    static const NameIndex index;
    return index;
}

} // namespace

quint32 occurringCommands(QStringView line) {
    // One pass over the line instead of one search per name: lines are recognised on
    // every recompile, which runs after every edit.
    const NameIndex &index = nameIndex();
    quint32 mask = 0;
    const qsizetype n = line.size();
    for (qsizetype i = 0; i < n; ++i) {
        const char16_t c = line[i].unicode();
        if (c >= 128)
            continue;
        for (const Command cmd : index.byFirst[c]) {
            const QString &name = index.names[int(cmd)];
            if (n - i < name.size() || line[i + 1] != name[1])
                continue;
            if (QStringView(name) == line.mid(i, name.size()))
                mask |= 1u << int(cmd);
        }
    }
    return mask;
}

Command recognise(const QString &line, const QList<Command> &order) {
    const quint32 mask = occurringCommands(line);
    for (const Command c : order) {
        if (mask & (1u << int(c)))
            return c;
    }
    return Command::None;
}

QString formatLine(int number, const QString &body) {
    QString digits = QString::number(number);
    QString line;
    line.reserve(qMax<qsizetype>(3, digits.size()) + 2 + body.size());
    if (number >= 0)
        for (qsizetype i = digits.size(); i < 3; ++i)
            line += QLatin1Char('0');
    line += digits;
    line += QLatin1String(": ");
    line += body;
    return line;
}

namespace {

// Steps 2 and 3 of the reader on text: the field and the rest after its ")".
bool readField(QStringView text, Field *field, QStringView *rest) {
    const qsizetype a = text.indexOf(QLatin1Char('('));
    const qsizetype b = text.indexOf(QLatin1Char(')'));
    if (a < 0 || b <= a + 1)
        return false;
    field->present = true;
    field->text = text.mid(a + 1, b - a - 1).toString();
    *rest = text.mid(b + 1);
    return true;
}

Field nthField(const QString &line, int n) {
    QStringView rest(line);
    Field field;
    for (int i = 0; i < n; ++i) {
        field = Field();
        if (!readField(rest, &field, &rest))
            return Field();
    }
    return field;
}

} // namespace

Field GetValue(const QString &line) { return nthField(line, 1); }
Field GetValue2(const QString &line) { return nthField(line, 2); }
Field GetValue3(const QString &line) { return nthField(line, 3); }

qint64 fieldInt(const Field &field) {
    if (!field.present)
        return 0;
    bool ok = false;
    const qint64 value = parseInteger(field.text, &ok);
    if (!ok)
        throw FieldError(QStringLiteral("„%1” nie jest poprawną liczbą całkowitą").arg(field.text));
    return value;
}

long double fieldDecimal(const Field &field) {
    if (!field.present)
        return 0;
    bool ok = false;
    const long double value = parseDecimal(field.text, &ok);
    if (!ok)
        throw FieldError(QStringLiteral("„%1” nie jest poprawną liczbą").arg(field.text));
    return value;
}

QString bodyPlain(Command command) { return commandName(command); }

QString bodyInt(Command command, qint64 value) {
    return QStringLiteral("%1(%2)").arg(commandName(command)).arg(value);
}

QString bodySpeed(Command command, const QString &speedText) {
    return QStringLiteral("%1(%2) pps").arg(commandName(command), speedText);
}

QString bodyAccel(const QString &accelText) {
    return QStringLiteral("%1(%2) pps/s^2").arg(commandName(Command::AMax), accelText);
}

QString bodyHome(const QString &speedText, int precision) {
    return QStringLiteral("%1(%2)(%3)")
        .arg(commandName(Command::FindHome), speedText)
        .arg(precision);
}

QString bodySetOutput(int output, int state) {
    return QStringLiteral("%1(%2)(%3)").arg(commandName(Command::SetOutput)).arg(output).arg(state);
}

QString bodyJumpIfInput(int line, int input, int state) {
    return QStringLiteral("%1(%2)(%3)(%4)")
        .arg(commandName(Command::JumpIfInput))
        .arg(line)
        .arg(input)
        .arg(state);
}

QString bodyEnable(bool high) {
    return QStringLiteral("%1(%2)").arg(commandName(Command::Enable),
                                        high ? QStringLiteral("High") : QStringLiteral("Low"));
}

QString bodyOutputs(const std::array<bool, 8> &states) {
    return commandName(Command::Outputs) + outputListText(states);
}

std::array<bool, 8> outputStates(const QString &fieldText) {
    std::array<bool, 8> states{};
    for (int k = 0; k < 8; ++k) {
        const int pos = 2 * k; // 0-based position of the 1-based character 2k+1
        if (pos < fieldText.size())
            states[k] = fieldText[pos] != QLatin1Char('0');
    }
    return states;
}

QString outputListText(const std::array<bool, 8> &states) {
    QString text = QStringLiteral("(");
    for (const bool on : states)
        text += on ? QStringLiteral("1,") : QStringLiteral("0,");
    text[text.size() - 1] = QLatin1Char(')');
    return text;
}

} // namespace korven
