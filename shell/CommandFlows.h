#pragma once

#include "DriveSettings.h"
#include "ProgramLine.h"

#include <QString>

#include <optional>

class QWidget;

namespace korven {

class ProgramEditor;

// The add and edit flows of the commands: each shows its dialog, builds the line body
// and hands it to the editor. The caller passes the driver guard before an add and
// recompiles afterwards.
class CommandFlows {
public:
    CommandFlows(QWidget *parent, ProgramEditor &editor, const DriveSettings &drive);

    // Runs the add flow of a command; false when cancelled or dropped.
    bool add(Command command);
    // Opens the edit flow that the line's command asks for; false when none.
    bool edit(int index);

    void EditVmin(int index) { editSpeed(index, Command::Vmin); }
    void EditVmax(int index) { editSpeed(index, Command::Vmax); }
    void EditVtarget(int index) { editSpeed(index, Command::Vtarget); }
    void FindHOME(int index) { editSpeed(index, Command::FindHome); }
    void EditaMax(int index);
    void EditJump(int index) { editValue(index, Command::Jump); }
    void EditFindPos(int index) { editValue(index, Command::FindPos); }
    void EditsWait(int index) { editValue(index, Command::Wait); }
    void EditsWait_s(int index) { editValue(index, Command::WaitS); }
    void EditSetCounter(int index) { editValue(index, Command::SetCounter); }
    void EditEnable(int index);
    void EditSetOut(int index);
    void EditSetOuts(int index);
    void EditJumpIf(int index);
    void EditJumpIfCounter(int index) { editValue(index, Command::JumpIfCounter); }
    // The comment of any line; false when cancelled or unchanged.
    bool EditComment(int index);

private:
    struct ValueSetup {
        ValueSetup(QString caption, QString label, qint64 minimum, qint64 maximum, qint64 value = 0,
                   QString unit = {}, bool rangeText = false)
            : caption(std::move(caption)), label(std::move(label)), minimum(minimum),
              maximum(maximum), value(value), unit(std::move(unit)), rangeText(rangeText) {}
        QString caption;
        QString label;
        qint64 minimum = 0;
        qint64 maximum = 0; // equal bounds: no range
        qint64 value = 0;
        QString unit;
        bool rangeText = false;
        bool rangeAfterValue = false;
    };
    std::optional<qint64> askValue(const ValueSetup &setup);
    std::optional<QString> askSpeed(Command command, const QString &stored, qint64 precision);
    std::optional<QString> askAccel(std::optional<long double> stored);
    std::optional<QString> askJumpIf(const QString &caption, qint64 line, qint64 input, bool on);
    std::optional<QString> askEnable(bool high);
    std::optional<QString> askSetOut(const QString &caption, qint64 output, bool on);
    std::optional<QString> askOutputs(const QString &caption, const std::array<bool, 8> &states);
    void editSpeed(int index, Command command);
    // The value dialog of a command as its row sets it up for an add or an edit.
    ValueSetup valueSetup(Command command, bool editing) const;
    void editValue(int index, Command command);
    template <typename Flow> void editWith(int index, Flow flow);
    int lineCount() const;

    QWidget *m_parent;
    ProgramEditor &m_editor;
    const DriveSettings &m_drive;
};

} // namespace korven
