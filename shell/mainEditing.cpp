// The main window's editing beyond single commands: comments, blocks of lines through the
// clipboard, the drive of a finished program and the description of the selected line.

#include "main.h"

#include "BlockText.h"
#include "Compiler.h"
#include "DriveChange.h"
#include "ElidedLabel.h"
#include "LineDescription.h"
#include "Messages.h"
#include "WybSter.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QLabel>

namespace korven {

void TMainForm::showLineDescription() {
    const ProgramEditor &editor = m_doc.editor();
    const int count = editor.selectionCount();
    if (count > 1)
        descriptionPanel->setFullText(QStringLiteral("Zaznaczone linie %1–%2")
                                          .arg(editor.GetSelected() + 1)
                                          .arg(editor.selectionLast() + 1));
    else
        descriptionPanel->setFullText(
            describeLine(m_doc.lines(), editor.GetSelected(), m_doc.drive()));
}

void TMainForm::miKomentarzClick() {
    const int selected = m_doc.selected();
    if (selected < 0)
        return;
    const ProgramDocument::State before = m_doc.state();
    if (!m_flows.EditComment(selected))
        return;
    GenerujProgram();
    showProgram(selected, before.selectedCount);
    recordChange(QStringLiteral("Komentarz"), before);
}

void TMainForm::miKopiujClick() {
    if (m_doc.selected() < 0)
        return;
    QGuiApplication::clipboard()->setText(blockText(m_doc.editor().selectedLines()));
}

void TMainForm::miWytnijClick() {
    if (!m_doc.editor().canDelete())
        return;
    miKopiujClick();
    deleteSelectedLine();
}

void TMainForm::miWklejClick() {
    const ParsedBlock block = parseBlockText(QGuiApplication::clipboard()->text());
    if (!block.error.isEmpty()) {
        ui::showMessage(this, block.error);
        return;
    }
    // Pasted lines are added as commands are: the first ones of a new program ask for
    // the driver, in the same undo step.
    const ProgramDocument::State before = m_doc.state();
    if (Sterownik() && m_doc.editor().paste(block.lines) > 0) {
        GenerujProgram();
        showProgram(m_doc.selected(), m_doc.editor().selectionCount());
    }
    recordChange(QStringLiteral("Wklej"), before);
}

void TMainForm::miSterownikClick() {
    TWybSterForm dialog(iniPath(), this);
    if (m_doc.drive().PulsDiv > 0)
        dialog.showIndexes(m_doc.drive().ModelIndex, m_doc.drive().DepthIndex);
    else
        dialog.OdczytajUstawienia();
    if (dialog.exec() != QDialog::Accepted)
        return;
    const DriveSettings chosen = dialog.selection().settings();
    if (m_doc.drive().PulsDiv > 0 && chosen.ModelIndex == m_doc.drive().ModelIndex &&
        chosen.DepthIndex == m_doc.drive().DepthIndex)
        return;
    const ProgramDocument::State before = m_doc.state();
    m_doc.setDrive(chosen, dialog.selection().statusText());
    driverPanel->setText(m_doc.driverText());
    const QString message = driveChangeMessage(valuesOutsideDrive(m_doc.lines(), m_doc.drive()));
    // The list below says all a compile error would: it is shown in the banner only.
    if (!message.isEmpty())
        m_errorNotice.interrupts(korven::GenerujProgram(m_doc.lines(), m_doc.drive()),
                                 m_doc.lines());
    GenerujProgram();
    showProgram(m_doc.selected(), m_doc.editor().selectionCount());
    recordChange(QStringLiteral("Sterownik i podział mikrokroku"), before);
    if (!message.isEmpty())
        ui::showMessage(this, message);
}

} // namespace korven
