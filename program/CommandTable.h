#pragma once

#include <QList>
#include <QString>

#include <limits>

namespace korven {

// The nineteen commands of the motion program, in the order of the command table.
enum class Command {
    Vmin,
    Vmax,
    Vtarget,
    AMax,
    Wait,
    WaitS,
    Jump,
    JumpIfInput,
    JumpIfCounter,
    End,
    FindPos,
    FindHome,
    ClearPosition,
    Stop,
    Brake,
    Enable,
    SetCounter,
    SetOutput,
    Outputs,
    None
};
constexpr int kCommandCount = int(Command::None);

// How a parameter field is read.
enum class FieldKind { Integer, LineNumber, Speed, SignedSpeed, Acceleration, Text, OutputList };

// Bounds of an entry dialog. A bound may be the number of program lines (less an offset).
struct Bound {
    qint64 value = 0;
    bool lines = false; // the number of lines minus value
    qint64 resolve(int lineCount) const { return lines ? lineCount - value : value; }
};
struct Range {
    Bound min, max;
    bool none() const { return !min.lines && !max.lines && min.value == max.value; }
};

struct ParameterField {
    FieldKind kind = FieldKind::Integer;
    Range add;  // the dialog's range when the command is added
    Range edit; // and when it is edited; equal plain bounds: no range
};

// Which dialog adds and edits a command.
enum class DialogFlow { None, Speed, Acceleration, Value, JumpIfInput, Enable, SetOutput, Outputs };

// The four button groups of the command area.
enum class ButtonGroup { Speeds, Flow, Outputs, Motion };

// One row of the command table: everything the program knows about a command.
struct CommandRow {
    Command command;
    QString name;       // the text in a program line that recognises the command
    QString caption;    // the caption of its button
    QString buttonName; // the button's object name
    ButtonGroup group;
    QString icon; // resource of the button picture; empty: none
    quint8 opcode;
    int length;      // bytes of the encoded command
    bool jump;       // has a target line (renumbered and given a displacement)
    int compileRank; // position in the compilation order, 1-based
    int editRank;    // position in the edit order, 1-based; 0: not edited
    DialogFlow flow;
    QList<ParameterField> fields;
    // The value dialog's captions, label and unit.
    QString addCaption, editCaption, label, unit;
    bool rangeText = false; // the add dialog states its range
};

// The rows in the order of Command.
const QList<CommandRow> &commandTable();
const CommandRow &commandRow(Command command);

// The encoded length of the command with this opcode; 0 for an unused opcode.
int lengthOfOpcode(quint8 opcode);

} // namespace korven
