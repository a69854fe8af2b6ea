#include "CommandFlows.h"

#include "Acceleration.h"
#include "Messages.h"
#include "ProgramEditor.h"
#include "RangeSpinBox.h"
#include "edEnable.h"
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
namespace {
const qint64 kPositionLimit = 8388607;
const qint64 kWordLimit = 65535;
const QString kCounterJumpCaption =
    QStringLiteral("Skocz jeśli licznik powtórzeń różny od zera i zmniejsz o 1");
} // namespace

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

QString CommandFlows::caption(Command command) const {
    switch (command) {
    case Command::Vmin: return QStringLiteral("Prędkość minimalna");
    case Command::Vmax: return QStringLiteral("Prędkość maksymalna");
    case Command::Vtarget: return QStringLiteral("Prędkość docelowa");
    default: return homeCaption();
    }
}

std::optional<QString> CommandFlows::askSpeed(Command command, const QString &stored,
                                              qint64 precision) {
    TedVForm dialog(m_parent);
    dialog.setWindowTitle(caption(command));
    const bool isSigned = command == Command::Vtarget || command == Command::FindHome;
    dialog.Ustaw(isSigned, command == Command::FindHome, m_drive);
    dialog.cbPredkoscPrec->setCurrentIndex(int(qBound(qint64(-1), precision, qint64(15))));
    if (!stored.isNull()) {
        dialog.edIlKrokow->setText(stored);
        dialog.edIlKrokowExit();
    }
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    const QString speedText = dialog.edIlKrokow->text();
    if (command == Command::FindHome)
        return bodyHome(speedText, dialog.cbPredkoscPrec->currentIndex());
    return bodySpeed(command, speedText);
}

std::optional<QString> CommandFlows::askAccel(std::optional<long double> stored) {
    TedaForm dialog(m_drive.PulsDiv, m_drive.GlPodz, m_parent);
    dialog.setWindowTitle(QStringLiteral("Przyspieszenie maksymalne"));
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
    const int n = lineCount();
    std::optional<QString> body;
    const auto intBody = [&](const ValueSetup &setup) {
        if (const auto v = askValue(setup))
            body = bodyInt(command, *v);
    };
    switch (command) {
    case Command::Vmin:
    case Command::Vmax:
    case Command::Vtarget:
    case Command::FindHome: body = askSpeed(command, QString(), 0); break;
    case Command::AMax: body = askAccel(std::nullopt); break;
    case Command::Wait:
        intBody(
            {QStringLiteral("Czekaj [ms]"), {}, 0, kWordLimit, 0, QStringLiteral("[ms]"), true});
        break;
    case Command::WaitS:
        intBody({QStringLiteral("Czekaj [s]"), {}, 0, kWordLimit, 0, QStringLiteral("[s]"), true});
        break;
    case Command::Jump:
        intBody({QStringLiteral("Skocz do linii"), QStringLiteral("Nr linii:"), 1, n, 1});
        break;
    case Command::JumpIfCounter:
        intBody({kCounterJumpCaption, QStringLiteral("Nr linii:"), 1, n, 1});
        break;
    case Command::FindPos:
        intBody({QStringLiteral("Znajdź pozycję"),
                 {},
                 -kPositionLimit,
                 kPositionLimit,
                 0,
                 QStringLiteral("kroków")});
        break;
    case Command::SetCounter:
        intBody({QStringLiteral("Ustaw licznik powtórzeń"), {}, 0, kWordLimit, 0, {}, true});
        break;
    case Command::JumpIfInput:
        body = askJumpIf(QStringLiteral("Skocz jeśli wejście"), 1, 0, true);
        break;
    case Command::Enable: body = askEnable(true); break;
    case Command::SetOutput: body = askSetOut(QStringLiteral("Przełącz wyjście"), 0, true); break;
    case Command::Outputs: body = askOutputs(QStringLiteral("Ustaw wyjścia"), {}); break;
    case Command::ClearPosition:
    case Command::Stop:
    case Command::Brake:
    case Command::End: body = bodyPlain(command); break;
    case Command::None: break;
    }
    return body && m_editor.AddCmd(*body);
}

bool CommandFlows::edit(int index) {
    if (index < 0 || index >= lineCount())
        return false;
    switch (recognise(m_editor.lines()[index], editOrder())) {
    case Command::Vmin: EditVmin(index); break;
    case Command::Vmax: EditVmax(index); break;
    case Command::Vtarget: EditVtarget(index); break;
    case Command::AMax: EditaMax(index); break;
    case Command::Jump: EditJump(index); break;
    case Command::FindPos: EditFindPos(index); break;
    case Command::Wait: EditsWait(index); break;
    case Command::WaitS: EditsWait_s(index); break;
    case Command::FindHome: FindHOME(index); break;
    case Command::SetCounter: EditSetCounter(index); break;
    case Command::Enable: EditEnable(index); break;
    case Command::SetOutput: EditSetOut(index); break;
    case Command::Outputs: EditSetOuts(index); break;
    case Command::JumpIfInput: EditJumpIf(index); break;
    case Command::JumpIfCounter: EditJumpIfCounter(index); break;
    default: return false;
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

void CommandFlows::editValue(int index, Command command, ValueSetup setup) {
    editWith(index, [&](const QString &line) -> std::optional<QString> {
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

void CommandFlows::EditJump(int index) {
    editValue(index, Command::Jump,
              {QStringLiteral("Skocz do linii"), QStringLiteral("Nr linii:"), 0, 0});
}

void CommandFlows::EditFindPos(int index) {
    editValue(index, Command::FindPos,
              {QStringLiteral("Znajdź pozycję"), {}, -kPositionLimit, kPositionLimit});
}

void CommandFlows::EditsWait(int index) {
    editValue(index, Command::Wait, {QStringLiteral("Czekaj[ms]"), {}, 0, 0});
}

void CommandFlows::EditsWait_s(int index) {
    editValue(index, Command::WaitS, {QStringLiteral("Czekaj"), {}, 0, 0});
}

void CommandFlows::EditSetCounter(int index) {
    editValue(index, Command::SetCounter,
              {QStringLiteral("Ustaw licznik powtórzeń"), {}, 0, kWordLimit});
}

void CommandFlows::EditJumpIfCounter(int index) {
    ValueSetup setup{kCounterJumpCaption, QStringLiteral("Nr linii:"), 1, lineCount() - 1};
    setup.rangeAfterValue = true;
    editValue(index, Command::JumpIfCounter, setup);
}

void CommandFlows::EditEnable(int index) {
    editWith(index, [&](const QString &line) {
        return askEnable(GetValue(line).asText().contains(QLatin1String("High")));
    });
}

void CommandFlows::EditSetOut(int index) {
    editWith(index, [&](const QString &line) {
        return askSetOut(QStringLiteral("Wprowadź"), fieldInt(GetValue(line)) - 1,
                         fieldInt(GetValue2(line)) != 0);
    });
}

void CommandFlows::EditSetOuts(int index) {
    editWith(index, [&](const QString &line) {
        return askOutputs(QStringLiteral("Wprowadź"), outputStates(GetValue(line).asText()));
    });
}

void CommandFlows::EditJumpIf(int index) {
    editWith(index, [&](const QString &line) {
        return askJumpIf(QStringLiteral("Wprowadź"), fieldInt(GetValue(line)),
                         fieldInt(GetValue2(line)) - 1, fieldInt(GetValue3(line)) != 0);
    });
}

} // namespace korven
