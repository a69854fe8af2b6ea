#include "SimulationLink.h"

#include "ProgramDocument.h"
#include "ProgramListModel.h"
#include "SimulationWindow.h"

#include <QAction>
#include <QListView>
#include <QMainWindow>

namespace korven {

SimulationLink::SimulationLink(QMainWindow *window, QListView *list, ProgramListModel *model,
                               ProgramDocument &document)
    : m_window(window), m_list(list), m_model(model), m_doc(document) {
    // However the list learns of a change, the marks follow their lines.
    connect(m_model, &QAbstractItemModel::modelReset, this, &SimulationLink::showMarks);
    connect(m_model, &QAbstractItemModel::layoutChanged, this, &SimulationLink::showMarks);
    connect(m_model, &QAbstractItemModel::rowsInserted, this, &SimulationLink::showMarks);
    connect(m_model, &QAbstractItemModel::rowsRemoved, this, &SimulationLink::showMarks);
    connect(m_model, &QAbstractItemModel::rowsMoved, this, &SimulationLink::showMarks);
    connect(m_model, &QAbstractItemModel::dataChanged, this,
            [this](const QModelIndex &, const QModelIndex &, const QList<int> &roles) {
                if (roles.isEmpty() || roles.contains(Qt::DisplayRole))
                    showMarks();
            });
    const auto key = [this](const char *name, const QKeySequence &keys, auto slot) {
        auto *action = new QAction(m_window);
        action->setObjectName(QString::fromLatin1(name));
        action->setShortcut(keys);
        action->setShortcutContext(Qt::WindowShortcut);
        connect(action, &QAction::triggered, this, slot);
        m_window->addAction(action);
    };
    key("miPulapka", QKeySequence(Qt::Key_F9), &SimulationLink::toggleBreakpoint);
    // Stepping from the main window keeps the keyboard there, beside the program.
    const auto simulation = [this] { return m_simulation ? m_simulation.data() : showWindow(); };
    key("miKrok", QKeySequence(Qt::Key_F10), [simulation] { simulation()->stepOnce(); });
    key("miDoKursora", QKeySequence(Qt::CTRL | Qt::Key_F10),
        [simulation] { simulation()->runToCursor(); });
    key("miDalej", QKeySequence(Qt::Key_F5), [simulation] { simulation()->continueRun(); });
}

SimulationLink::~SimulationLink() {
    // Gone before the program it shows: its last hooks still find the document.
    delete m_simulation.data();
}

sim::ProgramView SimulationLink::programView() {
    sim::ProgramView view;
    view.list = m_list;
    view.drive = [this] { return m_doc.drive(); };
    view.selectedLine = [this] { return m_doc.selected() + 1; };
    view.breakpointLines = [this] { return breakpointLines(); };
    view.toggleBreakpoint = [this] { toggleBreakpoint(); };
    view.showCurrentLine = [this](int line) { showCurrentLine(line); };
    return view;
}

sim::SimulationWindow *SimulationLink::window() const { return m_simulation.data(); }

sim::SimulationWindow *SimulationLink::showWindow() {
    m_simulation = sim::SimulationWindow::showFor(programView(), m_window);
    return m_simulation;
}

void SimulationLink::toggleBreakpoint() {
    const int selected = m_doc.selected();
    if (selected < 0 || selected >= m_doc.lines().size())
        return;
    m_breakpoints.toggle(m_doc.editor().lineId(selected));
    showMarks();
}

QSet<int> SimulationLink::breakpointLines() const {
    return m_breakpoints.lines(m_doc.editor().lineIds());
}

void SimulationLink::showMarks() {
    const QList<quint64> &ids = m_doc.editor().lineIds();
    m_model->setMarkedRows(ProgramListModel::LineMark::Breakpoint, m_breakpoints.rows(ids));
    const int current = m_currentId == 0 ? -1 : m_doc.editor().indexOfLineId(m_currentId);
    m_model->setMarkedRows(ProgramListModel::LineMark::Current,
                           current < 0 ? QSet<int>() : QSet<int>{current});
}

void SimulationLink::showCurrentLine(int line) {
    const int row = line - 1;
    m_currentId = row >= 0 && row < m_doc.lines().size() ? m_doc.editor().lineId(row) : 0;
    showMarks();
    if (m_currentId != 0)
        m_list->scrollTo(m_model->index(row));
}

} // namespace korven
