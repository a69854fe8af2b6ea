#pragma once

#include "DriveSettings.h"
#include "SimulationTypes.h"

#include <QSet>
#include <QWidget>

#include <functional>
#include <memory>

class QAbstractItemView;
class QChartView;
class QDoubleSpinBox;
class QLabel;
class QPushButton;
class QSpinBox;
class QTableView;
class QTimer;

namespace korven::sim {

class ExecutedCommandsModel;
class InputScheduleTable;
class LineStatsModel;
class SharedTimeAxis;
class SteppingSession;
class WatchPanel;

// What the window needs of the main window and its program.
struct ProgramView {
    QAbstractItemView *list = nullptr; // shows the program lines, one a row
    std::function<DriveSettings()> drive;
    std::function<int()> selectedLine;             // 1-based, 0 for none
    std::function<QSet<int>()> breakpointLines;    // 1-based
    std::function<void()> toggleBreakpoint;        // on the selected line
    std::function<void(int line)> showCurrentLine; // 1-based, 0 for none
};

// "Symulacja": the estimated run of the program shown in a program list, following its
// changes: x(t), v(t), the outputs and Enable on one time axis, the executed lines with
// their cycle times, the run command by command and the summary. The run can be taken
// step by step ("Krok", "Do kursora", "Dalej", "Od początku") with breakpoints and a watch
// panel of the machine at the current moment.
class SimulationWindow : public QWidget {
    Q_OBJECT
public:
    SimulationWindow(ProgramView program, QWidget *parent = nullptr);
    ~SimulationWindow() override;

    // Shows the window of parent, creating it on first use (beside parent).
    static SimulationWindow *showFor(const ProgramView &program, QWidget *parent);

    // The whole run.
    const SimulationResult &result() const;
    const SteppingSession &session() const { return *m_session; }

public slots:
    // Simulates the program as it is now, unless nothing it depends on changed.
    void rerun();
    // "Krok": one command.
    void stepOnce();
    // "Do kursora": to the line selected in the program list.
    void runToCursor();
    // "Dalej": to the next breakpoint or the end.
    void continueRun();
    // "Od początku": paused before the first command.
    void restart();

protected:
    void changeEvent(QEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void hideEvent(QHideEvent *event) override;

private:
    QWidget *buildSettings();
    QWidget *buildStepping();
    SimulationOptions options() const;
    QStringList programLines() const;
    void showRun(const QStringList &lines);
    void showStepping();
    void selectProgramLine(int line);
    void placeBesideParent();

    ProgramView m_program;
    std::unique_ptr<SteppingSession> m_session;
    QString m_runKey; // what the last run was made of
    QStringList m_runLines;
    bool m_placed = false;
    QTimer *m_rerunTimer;
    QLabel *m_note;
    QLabel *m_summary;
    QLabel *m_status;
    InputScheduleTable *m_inputs;
    QSpinBox *m_home;
    QDoubleSpinBox *m_maxTime;
    QPushButton *m_step;
    QPushButton *m_toCursor;
    QPushButton *m_continue;
    QPushButton *m_restart;
    QChartView *m_position;
    QChartView *m_velocity;
    QChartView *m_outputs;
    SharedTimeAxis *m_time;
    WatchPanel *m_watch;
    QTableView *m_lines;
    LineStatsModel *m_linesModel;
    QTableView *m_executed;
    ExecutedCommandsModel *m_executedModel;
};

} // namespace korven::sim
