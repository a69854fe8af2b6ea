#include "CommandFlows.h"

#include "Acceleration.h"
#include "LineComment.h"
#include "Messages.h"
#include "ProgramEditor.h"
#include "RangeSpinBox.h"
#include "edEnable.h"
#include "edKomentarz.h"
#include "edSkoczJesliWejscie.h"
#include "edV.h"
#include "edWyjscia.h"
#include "edWyjscie.h"
#include "eda.h"
#include "wartosc.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QSpinBox>

namespace korven {
CommandFlows::CommandFlows(QWidget *parent, ProgramEditor &editor, const DriveSettings &drive)
    : m_parent(parent), m_editor(editor), m_drive(drive) {}

int CommandFlows::lineCount() const { return int(m_editor.lines().size()); }

std::optional<qint64> CommandFlows::askValue(const ValueSetup &s) {
    TWForm dialog(m_parent);
    dialog.setWindowTitle(s.caption);
    if (!s.label.isEmpty())
        dialog.lblWart->setText(s.label);
    if (s.rangeAfterValue) {
        dialog.setValue(s.value);
        dialog.setRange(s.minimum, s.maximum);
    } else {
        dialog.setRange(s.minimum, s.maximum);
        dialog.setValue(s.value);
    }
    dialog.lblJM->setText(s.unit);
    if (s.rangeText)
        dialog.showRangeText();
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.value();
}

CommandFlows::ValueSetup CommandFlows::valueSetup(Command command, bool editing) const {
    const CommandRow &row = commandRow(command);
    const Range &range = editing ? row.fields[0].edit : row.fields[0].add;
    const qint64 minimum = range.min.resolve(lineCount());
    ValueSetup setup(editing ? row.editCaption : row.addCaption, row.label, minimum,
                     range.max.resolve(lineCount()), minimum > 0 ? minimum : 0,
                     editing ? QString() : row.unit, !editing && row.rangeText);
    // The counter jump's edit sets the line before its range, as it always did.
    setup.rangeAfterValue = editing && range.max.lines;
    return setup;
}

std::optional<QString> CommandFlows::askSpeed(Command command, const QString &stored,
                                              qint64 precision) {
    const CommandRow &row = commandRow(command);
    const bool homing = row.fields.size() > 1;
    TedVForm dialog(m_parent);
    dialog.setWindowTitle(row.addCaption);
    dialog.Ustaw(row.fields[0].kind == FieldKind::SignedSpeed, homing, m_drive);
    dialog.cbPredkoscPrec->setCurrentIndex(int(qBound(qint64(-1), precision, qint64(15))));
    if (!stored.isNull()) {
        dialog.edIlKrokow->setText(stored);
        dialog.edIlKrokowExit();
    }
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    const QString speedText = dialog.edIlKrokow->text();
    if (homing)
        return bodyHome(speedText, dialog.cbPredkoscPrec->currentIndex());
    return bodySpeed(command, speedText);
}

std::optional<QString> CommandFlows::askAccel(std::optional<long double> stored) {
    TedaForm dialog(m_drive.PulsDiv, m_drive.GlPodz, m_parent);
    dialog.setWindowTitle(commandRow(Command::AMax).addCaption);
    if (stored)
        dialog.select(TedaForm::positionOf(*stored, m_drive.PulsDiv));
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return bodyAccel(dialog.cbKroki->currentText());
}

std::optional<QString> CommandFlows::askJumpIf(const QString &title, qint64 line, qint64 input,
                                               bool on) {
    TedSkoczJWejForm dialog(m_parent);
    dialog.setWindowTitle(title);
    dialog.edNrLinii->setRange(1, qMax(1, lineCount()));
    // A stored target outside the range is shown as stored.
    dialog.edNrLinii->setTypedValue(line);
    dialog.cbNrLinii->setCurrentIndex(int(qBound(qint64(-1), input, qint64(8))));
    (on ? dialog.rbOn : dialog.rbOff)->setChecked(true);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return bodyJumpIfInput(dialog.edNrLinii->value(), dialog.cbNrLinii->currentIndex() + 1,
                           dialog.rbOn->isChecked() ? 1 : 0);
}

std::optional<QString> CommandFlows::askEnable(bool high) {
    TedEnableForm dialog(m_parent);
    (high ? dialog.rbHight : dialog.rbLow)->setChecked(true);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return bodyEnable(dialog.rbHight->isChecked());
}

std::optional<QString> CommandFlows::askSetOut(const QString &title, qint64 output, bool on) {
    TedWyjscieForm dialog(m_parent);
    dialog.setWindowTitle(title);
    dialog.cbNrLinii->setCurrentIndex(int(qBound(qint64(-1), output, qint64(8))));
    (on ? dialog.rbOn : dialog.rbOff)->setChecked(true);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return bodySetOutput(dialog.cbNrLinii->currentIndex() + 1, dialog.rbOn->isChecked() ? 1 : 0);
}

std::optional<QString> CommandFlows::askOutputs(const QString &title,
                                                const std::array<bool, 8> &states) {
    TedWyjsciaForm dialog(m_parent);
    dialog.setWindowTitle(title);
    dialog.setStates(states);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return bodyOutputs(dialog.states());
}

bool CommandFlows::add(Command command) {
    const CommandRow &row = commandRow(command);
    std::optional<QString> body;
    switch (row.flow) {
    case DialogFlow::Speed: body = askSpeed(command, QString(), 0); break;
    case DialogFlow::Acceleration: body = askAccel(std::nullopt); break;
    case DialogFlow::Value:
        if (const auto v = askValue(valueSetup(command, false)))
            body = bodyInt(command, *v);
        break;
    case DialogFlow::JumpIfInput: body = askJumpIf(row.addCaption, 1, 0, true); break;
    case DialogFlow::Enable: body = askEnable(true); break;
    case DialogFlow::SetOutput: body = askSetOut(row.addCaption, 0, true); break;
    case DialogFlow::Outputs: body = askOutputs(row.addCaption, {}); break;
    case DialogFlow::None: body = bodyPlain(command); break;
    }
    return body && m_editor.AddCmd(*body);
}

bool CommandFlows::edit(int index) {
    if (index < 0 || index >= lineCount())
        return false;
    const Command command = recognise(m_editor.lines()[index], editOrder());
    if (command == Command::None)
        return false;
    switch (commandRow(command).flow) {
    case DialogFlow::Speed: editSpeed(index, command); break;
    case DialogFlow::Acceleration: EditaMax(index); break;
    case DialogFlow::Value: editValue(index, command); break;
    case DialogFlow::JumpIfInput: EditJumpIf(index); break;
    case DialogFlow::Enable: EditEnable(index); break;
    case DialogFlow::SetOutput: EditSetOut(index); break;
    case DialogFlow::Outputs: EditSetOuts(index); break;
    case DialogFlow::None: return false;
    }
    return true;
}

// Runs an edit flow that reads the line; a field that does not convert ends it with
// a message before any dialog opens, and the line stays as it was.
template <typename Flow> void CommandFlows::editWith(int index, Flow flow) {
    const QString line = m_editor.lines()[index];
    try {
        if (const std::optional<QString> body = flow(line))
            m_editor.EditCmd(*body, index);
    } catch (const FieldError &e) {
        ui::showMessage(m_parent, QStringLiteral("Linia %1: %2.").arg(index + 1).arg(e.message()));
    }
}

void CommandFlows::editValue(int index, Command command) {
    editWith(index, [&](const QString &line) -> std::optional<QString> {
        ValueSetup setup = valueSetup(command, true);
        setup.value = fieldInt(GetValue(line));
        const auto v = askValue(setup);
        return v ? std::optional<QString>(bodyInt(command, *v)) : std::nullopt;
    });
}

void CommandFlows::editSpeed(int index, Command command) {
    editWith(index, [&](const QString &line) {
        const qint64 precision = command == Command::FindHome ? fieldInt(GetValue2(line)) : 0;
        return askSpeed(command, GetValue(line).asText(), precision);
    });
}

void CommandFlows::EditaMax(int index) {
    editWith(index, [&](const QString &line) { return askAccel(fieldDecimal(GetValue(line))); });
}

void CommandFlows::EditEnable(int index) {
    editWith(index, [&](const QString &line) {
        return askEnable(GetValue(line).asText().contains(QLatin1String("High")));
    });
}

void CommandFlows::EditSetOut(int index) {
    editWith(index, [&](const QString &line) {
        return askSetOut(commandRow(Command::SetOutput).editCaption, fieldInt(GetValue(line)) - 1,
                         fieldInt(GetValue2(line)) != 0);
    });
}

void CommandFlows::EditSetOuts(int index) {
    editWith(index, [&](const QString &line) {
        return askOutputs(commandRow(Command::Outputs).editCaption,
                          outputStates(GetValue(line).asText()));
    });
}

void CommandFlows::EditJumpIf(int index) {
    editWith(index, [&](const QString &line) {
        return askJumpIf(commandRow(Command::JumpIfInput).editCaption, fieldInt(GetValue(line)),
                         fieldInt(GetValue2(line)) - 1, fieldInt(GetValue3(line)) != 0);
    });
}

bool CommandFlows::EditComment(int index) {
    if (index < 0 || index >= lineCount())
        return false;
    const QString line = m_editor.lines()[index];
    TedKomentarzForm dialog(withoutComment(line), lineComment(line), m_parent);
    if (dialog.exec() != QDialog::Accepted || dialog.comment() == lineComment(line))
        return false;
    return m_editor.setComment(index, dialog.comment());
}

} // namespace korven
