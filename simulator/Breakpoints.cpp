#include "Breakpoints.h"

namespace korven::sim {

bool Breakpoints::toggle(quint64 lineId) {
    if (m_ids.remove(lineId))
        return false;
    m_ids.insert(lineId);
    return true;
}

QSet<int> Breakpoints::rows(const QList<quint64> &lineIds) const {
    QSet<int> rows;
    if (m_ids.isEmpty())
        return rows;
    for (int row = 0; row < lineIds.size(); ++row) {
        if (m_ids.contains(lineIds[row]))
            rows.insert(row);
    }
    return rows;
}

QSet<int> Breakpoints::lines(const QList<quint64> &lineIds) const {
    QSet<int> lines;
    for (const int row : rows(lineIds))
        lines.insert(row + 1);
    return lines;
}

} // namespace korven::sim
