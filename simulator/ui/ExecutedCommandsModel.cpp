#include "ExecutedCommandsModel.h"

#include "SimulationText.h"

namespace korven::sim {

void ExecutedCommandsModel::setRun(std::vector<ExecutedCommand> commands, QStringList lines) {
    beginResetModel();
    m_commands = std::move(commands);
    m_lines = std::move(lines);
    endResetModel();
}

int ExecutedCommandsModel::lineAt(int row) const {
    return row >= 0 && row < int(m_commands.size()) ? m_commands[size_t(row)].line : 0;
}

int ExecutedCommandsModel::rowCount(const QModelIndex &parent) const {
    return parent.isValid() ? 0 : int(m_commands.size());
}

int ExecutedCommandsModel::columnCount(const QModelIndex &parent) const {
    return parent.isValid() ? 0 : 5;
}

QVariant ExecutedCommandsModel::data(const QModelIndex &index, int role) const {
    if (!index.isValid() || index.row() >= int(m_commands.size()))
        return {};
    if (role == Qt::TextAlignmentRole)
        return index.column() == 2 ? int(Qt::AlignLeft | Qt::AlignVCenter)
                                   : int(Qt::AlignRight | Qt::AlignVCenter);
    if (role != Qt::DisplayRole)
        return {};
    const ExecutedCommand &c = m_commands[size_t(index.row())];
    switch (index.column()) {
    case 0: return decimal(c.timeS, 6);
    case 1: return QStringLiteral("%1").arg(c.line, 3, 10, QLatin1Char('0'));
    case 2: return sim::lineBody(m_lines, c.line);
    case 3: return decimal(c.position, 2);
    case 4: return decimal(c.velocity, 2);
    default: return {};
    }
}

QVariant ExecutedCommandsModel::headerData(int section, Qt::Orientation orientation,
                                           int role) const {
    if (role != Qt::DisplayRole || orientation != Qt::Horizontal)
        return QAbstractTableModel::headerData(section, orientation, role);
    static const char *const names[] = {"Czas [s]", "Linia", "Polecenie", "Pozycja [kroki]",
                                        "Prędkość [kroki/s]"};
    return section >= 0 && section < 5 ? QString::fromUtf8(names[section]) : QVariant();
}

} // namespace korven::sim
