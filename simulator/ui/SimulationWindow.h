#pragma once

#include "DriveSettings.h"
#include "SimulationTypes.h"

#include <QWidget>

#include <functional>

class QAbstractItemView;
class QChartView;
class QDoubleSpinBox;
class QLabel;
class QSpinBox;
class QTableView;
class QTimer;

namespace korven::sim {

class ExecutedLinesModel;
class InputScheduleTable;

// "Symulacja": the estimated run of the program shown in a program list, following its
// changes: x(t), v(t), the outputs and Enable, the executed lines and the summary.
class SimulationWindow : public QWidget {
    Q_OBJECT
public:
    // programList shows the program lines (one per row); drive gives the driver units.
    SimulationWindow(QAbstractItemView *programList, std::function<DriveSettings()> drive,
                     QWidget *parent = nullptr);

    // Shows the window of parent, creating it on first use.
    static SimulationWindow *showFor(QAbstractItemView *programList,
                                     std::function<DriveSettings()> drive, QWidget *parent);

    const SimulationResult &result() const { return m_result; }

public slots:
    // Simulates the program as it is now.
    void rerun();

protected:
    void changeEvent(QEvent *event) override;

private:
    QWidget *buildSettings();
    SimulationOptions options() const;
    QStringList programLines() const;
    void show(const QStringList &lines);
    void selectProgramLine(int row);

    QAbstractItemView *m_programList;
    std::function<DriveSettings()> m_drive;
    SimulationResult m_result;
    QTimer *m_rerunTimer;
    QLabel *m_note;
    QLabel *m_summary;
    InputScheduleTable *m_inputs;
    QSpinBox *m_home;
    QDoubleSpinBox *m_maxTime;
    QChartView *m_position;
    QChartView *m_velocity;
    QChartView *m_outputs;
    QTableView *m_executed;
    ExecutedLinesModel *m_executedModel;
};

} // namespace korven::sim
