#include "ProgramListModel.h"

#include "ProgramEditor.h"

namespace korven {

ProgramListModel::ProgramListModel(const ProgramEditor &editor, QObject *parent)
    : QAbstractListModel(parent), m_editor(editor) {}

int ProgramListModel::rowCount(const QModelIndex &parent) const {
    return parent.isValid() ? 0 : int(m_editor.lines().size());
}

QVariant ProgramListModel::data(const QModelIndex &index, int role) const {
    if (role != Qt::DisplayRole || !index.isValid() || index.row() >= m_editor.lines().size())
        return {};
    return m_editor.lines()[index.row()];
}

void ProgramListModel::refresh() {
    beginResetModel();
    endResetModel();
}

} // namespace korven
