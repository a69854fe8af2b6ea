#include "LineStatsModel.h"

#include "SimulationText.h"

#include <QColor>
#include <QFont>

namespace korven::sim {
namespace {

constexpr int kColumns = 5;

} // namespace

void LineStatsModel::setRun(const QMap<int, LineStats> &stats, QStringList lines) {
    beginResetModel();
    m_stats = stats;
    m_lines = std::move(lines);
    endResetModel();
}

void LineStatsModel::setCurrentLine(int line) {
    if (line == m_current)
        return;
    const int before = m_current;
    m_current = line;
    for (const int changed : {before, line}) {
        if (changed >= 1 && changed <= m_lines.size())
            emit dataChanged(index(changed - 1, 0), index(changed - 1, kColumns - 1));
    }
}

int LineStatsModel::rowCount(const QModelIndex &parent) const {
    return parent.isValid() ? 0 : int(m_lines.size());
}

int LineStatsModel::columnCount(const QModelIndex &parent) const {
    return parent.isValid() ? 0 : kColumns;
}

QVariant LineStatsModel::data(const QModelIndex &index, int role) const {
    if (!index.isValid() || index.row() >= m_lines.size())
        return {};
    const int line = index.row() + 1;
    const LineStats s = m_stats.value(line);
    switch (role) {
    case Qt::TextAlignmentRole:
        return index.column() == 1 ? int(Qt::AlignLeft | Qt::AlignVCenter)
                                   : int(Qt::AlignRight | Qt::AlignVCenter);
    case Qt::BackgroundRole:
        if (line == m_current)
            return QColor(255, 244, 190);
        return {};
    case Qt::FontRole:
        if (line == m_current) {
            QFont bold;
            bold.setBold(true);
            return bold;
        }
        return {};
    case Qt::ForegroundRole:
        if (s.count == 0)
            return QColor(Qt::gray); // never ran
        return {};
    case Qt::DisplayRole: break;
    default: return {};
    }
    switch (index.column()) {
    case 0:
        return QStringLiteral("%1%2")
            .arg(line == m_current ? QStringLiteral("\u25B6 ") : QString())
            .arg(line, 3, 10, QLatin1Char('0'));
    case 1: return sim::lineBody(m_lines, line);
    case 2: return QString::number(s.count);
    case 3: return s.count > 0 ? decimal(s.firstS, 6) : QString();
    case 4: return s.count > 1 ? decimal(s.meanIntervalS(), 6) : QString();
    default: return {};
    }
}

QVariant LineStatsModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (role != Qt::DisplayRole || orientation != Qt::Horizontal)
        return QAbstractTableModel::headerData(section, orientation, role);
    static const char *const names[kColumns] = {"Linia", "Polecenie", "Wykonań",
                                                "Pierwsze wykonanie [s]", "Średni odstęp [s]"};
    return section >= 0 && section < kColumns ? QString::fromUtf8(names[section]) : QVariant();
}

} // namespace korven::sim
