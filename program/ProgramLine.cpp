#include "ProgramLine.h"

#include "Numbers.h"

namespace korven {

QString commandName(Command command) {
    return command == Command::None ? QString() : commandRow(command).name;
}

namespace {

QList<Command> orderBy(int CommandRow::*rank) {
    QList<Command> order;
    for (int r = 1; r <= kCommandCount; ++r) {
        for (const CommandRow &row : commandTable()) {
            if (row.*rank == r)
                order.append(row.command);
        }
    }
    return order;
}

// The commands bucketed by the first letter of their names; any letter, Polish ones
// included, falls into one of the buckets.
struct NameIndex {
    static constexpr int kBuckets = 64;
    QList<Command> byFirst[kBuckets];
    QString names[kCommandCount];
    NameIndex() {
        for (int c = 0; c < kCommandCount; ++c) {
            names[c] = commandName(Command(c));
            if (!names[c].isEmpty())
                byFirst[names[c][0].unicode() % kBuckets].append(Command(c));
        }
    }
};

const NameIndex &nameIndex() {
    static const NameIndex index;
    return index;
}

} // namespace

const QList<Command> &compileOrder() {
    static const QList<Command> order = orderBy(&CommandRow::compileRank);
    return order;
}

const QList<Command> &editOrder() {
    static const QList<Command> order = orderBy(&CommandRow::editRank);
    return order;
}

static_assert(kCommandCount <= 32, "one bit of the mask per command");

quint32 occurringCommands(QStringView line) {
    // One pass over the line instead of one search per name: lines are recognised on
    // every recompile, which runs after every edit.
    const NameIndex &index = nameIndex();
    quint32 mask = 0;
    const qsizetype n = line.size();
    for (qsizetype i = 0; i < n; ++i) {
        for (const Command cmd : index.byFirst[line[i].unicode() % NameIndex::kBuckets]) {
            const QString &name = index.names[int(cmd)];
            if (n - i < name.size() || line[i] != name[0])
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
