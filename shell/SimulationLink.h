#pragma once

#include "Breakpoints.h"

#include <QObject>
#include <QPointer>
#include <QSet>

class QListView;
class QMainWindow;

namespace korven {

class ProgramDocument;
class ProgramListModel;

namespace sim {
class SimulationWindow;
struct ProgramView;
} // namespace sim

// The main window's side of the "Symulacja" window: breakpoints on program lines (F9),
// which stay with their lines through every change of the program and are never saved;
// the marks of the breakpoints and of the line about to run in the program list; and the
// stepping keys F10, Ctrl+F10 and F5, which work from the main window too.
class SimulationLink : public QObject {
    Q_OBJECT
public:
    SimulationLink(QMainWindow *window, QListView *list, ProgramListModel *model,
                   ProgramDocument &document);
    ~SimulationLink() override;

    // Shows the simulation window, creating it beside the main window on first use.
    sim::SimulationWindow *showWindow();
    sim::SimulationWindow *window() const;
    // Sets or clears the breakpoint of the selected line.
    void toggleBreakpoint();
    // 1-based.
    QSet<int> breakpointLines() const;

private:
    sim::ProgramView programView();
    // After every change of the program: the marks go to their lines' new rows.
    void showMarks();
    void showCurrentLine(int line);

    QMainWindow *m_window;
    QListView *m_list;
    ProgramListModel *m_model;
    ProgramDocument &m_doc;
    sim::Breakpoints m_breakpoints;
    quint64 m_currentId = 0; // the line about to run, 0 for none
    QPointer<sim::SimulationWindow> m_simulation;
};

} // namespace korven
