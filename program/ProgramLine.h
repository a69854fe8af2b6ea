#pragma once

#include "CommandTable.h"

#include <QString>
#include <QStringList>

#include <array>

namespace korven {

// The exact name text of a command: what stands in a line and what recognises it.
QString commandName(Command command);

// The orders in which consumers test the names; the first name found in a line wins.
const QList<Command> &compileOrder();
const QList<Command> &editOrder();

// Bit i is set when the name of Command(i) occurs in line.
quint32 occurringCommands(QStringView line);

// First command of order whose name occurs in line, or Command::None.
Command recognise(const QString &line, const QList<Command> &order);

// "%3.3d: %s"
QString formatLine(int number, const QString &body);

// A parameter field: the text between parentheses, or "absent" (the integer 0 of the
// readers: an empty field, a missing one or a broken pair of parentheses).
struct Field {
    bool present = false;
    QString text;

    // The field as text: "0" when absent.
    QString asText() const { return present ? text : QStringLiteral("0"); }
};

Field GetValue(const QString &line);
Field GetValue2(const QString &line);
Field GetValue3(const QString &line);

// Conversions of a field; absent reads as 0. They throw FieldError on text that is
// not a number of the asked kind.
qint64 fieldInt(const Field &field);
long double fieldDecimal(const Field &field);

class FieldError {
public:
    explicit FieldError(QString message) : m_message(std::move(message)) {}
    const QString &message() const { return m_message; }

private:
    QString m_message;
};

// Line bodies in the formats of the command table.
QString bodyPlain(Command command);                           // "%s"
QString bodyInt(Command command, qint64 value);               // "%s(%d)"
QString bodySpeed(Command command, const QString &speedText); // "%s(%s) pps"
QString bodyAccel(const QString &accelText);                  // "%s(%s) pps/s^2"
QString bodyHome(const QString &speedText, int precision);    // "%s(%s)(%d)"
QString bodySetOutput(int output, int state);                 // "%s(%d)(%d)"
QString bodyJumpIfInput(int line, int input, int state);      // "%s(%d)(%d)(%d)"
QString bodyEnable(bool high);                                // "%s(%s)"
QString bodyOutputs(const std::array<bool, 8> &states);       // "%s%s"

// The eight output states of a "Wyjścia" field: characters 1, 3, ..., 15, on unless "0".
std::array<bool, 8> outputStates(const QString &fieldText);
// "(1,0,0,0,0,0,0,1)"
QString outputListText(const std::array<bool, 8> &states);

} // namespace korven
