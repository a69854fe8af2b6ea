#pragma once

#include "SimulationTypes.h"

#include <QAbstractTableModel>
#include <QStringList>

namespace korven::sim {

// The executed commands of a run, one a row: time, line, command, position, velocity.
class ExecutedCommandsModel : public QAbstractTableModel {
    Q_OBJECT
public:
    using QAbstractTableModel::QAbstractTableModel;

    void setRun(std::vector<ExecutedCommand> commands, QStringList lines);
    // The 1-based program line of a row, 0 when there is none.
    int lineAt(int row) const;

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    int columnCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;

private:
    std::vector<ExecutedCommand> m_commands;
    QStringList m_lines;
};

} // namespace korven::sim
