#include "ProgramChange.h"

namespace korven {

ProgramChange::ProgramChange(const QString &text, ProgramDocument::State before,
                             ProgramDocument::State after, Apply apply)
    : QUndoCommand(text), m_before(std::move(before)), m_after(std::move(after)),
      m_apply(std::move(apply)) {}

void ProgramChange::redo() {
    if (m_done) {
        m_done = false;
        return;
    }
    m_apply(m_after);
}

} // namespace korven
