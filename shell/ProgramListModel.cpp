#include "ProgramListModel.h"

#include "ProgramEditor.h"

namespace korven {

ProgramListModel::ProgramListModel(const ProgramEditor &editor, QObject *parent)
    : QAbstractListModel(parent), m_editor(editor) {}

int ProgramListModel::rowCount(const QModelIndex &parent) const {
    return parent.isValid() ? 0 : int(m_editor.lines().size());
}

QVariant ProgramListModel::data(const QModelIndex &index, int role) const {
    if (!index.isValid() || index.row() >= m_editor.lines().size())
        return {};
    switch (role) {
    case Qt::DisplayRole: return m_editor.lines()[index.row()];
    case Qt::ToolTipRole: return m_toolTip ? m_toolTip(index.row()) : QVariant();
    case MarksRole: {
        int marks = 0;
        for (auto it = m_marks.cbegin(); it != m_marks.cend(); ++it) {
            if (it.value().contains(index.row()))
                marks |= int(it.key());
        }
        return marks;
    }
    default: return {};
    }
}

void ProgramListModel::refresh() {
    beginResetModel();
    endResetModel();
}

void ProgramListModel::setMarkedRows(LineMark mark, const QSet<int> &rows) {
    QSet<int> &marked = m_marks[mark];
    if (marked == rows)
        return;
    QSet<int> changed = marked;
    changed.unite(rows);
    marked = rows;
    for (const int row : changed) {
        if (row >= 0 && row < rowCount())
            emit dataChanged(index(row), index(row), {MarksRole});
    }
}

} // namespace korven
