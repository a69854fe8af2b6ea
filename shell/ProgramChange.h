#pragma once

#include "ProgramDocument.h"

#include <QUndoCommand>

#include <functional>

namespace korven {

// One undo step: the program before and after a change. It is pushed once the change
// has been made, so its first redo does nothing.
class ProgramChange : public QUndoCommand {
public:
    using Apply = std::function<void(const ProgramDocument::State &)>;
    ProgramChange(const QString &text, ProgramDocument::State before, ProgramDocument::State after,
                  Apply apply);

    void undo() override { m_apply(m_before); }
    void redo() override;

private:
    ProgramDocument::State m_before;
    ProgramDocument::State m_after;
    Apply m_apply;
    bool m_done = true;
};

} // namespace korven
