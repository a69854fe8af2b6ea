#pragma once

#include "SimulationTypes.h"

#include <QTableWidget>

namespace korven::sim {

// The input changes of a simulated run, one a row: input, state, time.
class InputScheduleTable : public QTableWidget {
    Q_OBJECT
public:
    explicit InputScheduleTable(QWidget *parent = nullptr);

    void addChange(int input, bool state, double timeS);
    // Removes the current row, or the last one when none is current.
    void removeChange();
    QList<InputChange> changes() const;

signals:
    void changed();

private:
    int m_added = 0; // names the editors of each new row
};

} // namespace korven::sim
