#pragma once

#include <QList>
#include <QSet>

namespace korven::sim {

// Breakpoints on program lines. They are kept by the lines' identities, so that they stay
// with their lines through edits, moves, deletes and undo; they are never saved with the
// program. A deleted line's breakpoint comes back with the line when the delete is undone.
class Breakpoints {
public:
    // Sets or clears the breakpoint of a line; true when it is set afterwards.
    bool toggle(quint64 lineId);
    bool contains(quint64 lineId) const { return m_ids.contains(lineId); }
    void clear() { m_ids.clear(); }

    // The 0-based rows of the program, given its lines' identities in order, that carry one.
    QSet<int> rows(const QList<quint64> &lineIds) const;
    // The same as 1-based line numbers.
    QSet<int> lines(const QList<quint64> &lineIds) const;

private:
    QSet<quint64> m_ids;
};

} // namespace korven::sim
