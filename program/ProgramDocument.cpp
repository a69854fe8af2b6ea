#include "ProgramDocument.h"

namespace korven {

bool ProgramDocument::State::sameProgram(const State &other) const {
    return lines == other.lines && drive.ModelIndex == other.drive.ModelIndex &&
           drive.DepthIndex == other.drive.DepthIndex && drive.PulsDiv == other.drive.PulsDiv &&
           driverText == other.driverText;
}

void ProgramDocument::setDrive(const DriveSettings &drive, const QString &driverText) {
    m_drive = drive;
    m_driverText = driverText;
}

void ProgramDocument::setCompiled(const QStringList &image, int length, const QString &error) {
    m_image = image;
    m_imageLength = length;
    m_compileError = error;
}

void ProgramDocument::setModified(bool modified) {
    if (m_modified == modified)
        return;
    m_modified = modified;
    emit modifiedChanged(modified);
}

ProgramDocument::State ProgramDocument::state() const {
    return {m_editor.lines(), m_editor.lineIds(), m_editor.GetSelected(),
            m_drive,          m_driverText,       m_editor.selectionCount()};
}

void ProgramDocument::restore(const State &state) {
    m_editor.setLines(state.lines, state.lineIds);
    m_editor.setSelection(state.selected, state.selectedCount);
    m_drive = state.drive;
    m_driverText = state.driverText;
}

} // namespace korven
