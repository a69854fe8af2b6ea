#pragma once

#include "SimulationTypes.h"

#include <QAbstractTableModel>
#include <QStringList>

namespace korven::sim {

// Every program line, one a row, with how often it ran, when it ran first and the mean
// time between its runs (the cycle time of its loop); the line about to run is marked.
class LineStatsModel : public QAbstractTableModel {
    Q_OBJECT
public:
    using QAbstractTableModel::QAbstractTableModel;

    void setRun(const QMap<int, LineStats> &stats, QStringList lines);
    // 1-based; 0 marks none.
    void setCurrentLine(int line);
    int currentLine() const { return m_current; }
    // The 1-based program line of a row, 0 when there is none.
    int lineAt(int row) const { return row >= 0 && row < m_lines.size() ? row + 1 : 0; }

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    int columnCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;

private:
    QMap<int, LineStats> m_stats;
    QStringList m_lines;
    int m_current = 0;
};

} // namespace korven::sim
