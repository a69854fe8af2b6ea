#include "SimulationWindow.h"

#include "DecimalSpinBox.h"
#include "ExecutedCommandsModel.h"
#include "InputScheduleTable.h"
#include "LineStatsModel.h"
#include "SharedTimeAxis.h"
#include "SimulationCharts.h"
#include "SimulationText.h"
#include "SteppingSession.h"
#include "TracePlot.h"
#include "WatchPanel.h"
#include "WindowPlacement.h"

#include <QAbstractItemView>
#include <QAction>
#include <QChartView>
#include <QEvent>
#include <QFormLayout>
#include <QGroupBox>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QSpinBox>
#include <QSplitter>
#include <QTabWidget>
#include <QTableView>
#include <QTimer>
#include <QVBoxLayout>

namespace korven::sim {
namespace {

// Commands and motion corners kept for showing; the summary covers the whole run.
constexpr int kShownTrace = 20000;

QTableView *table(QWidget *parent, const QString &name, QAbstractItemModel *model) {
    auto *view = new QTableView(parent);
    view->setObjectName(name);
    view->setModel(model);
    view->setSelectionBehavior(QAbstractItemView::SelectRows);
    view->setSelectionMode(QAbstractItemView::SingleSelection);
    view->verticalHeader()->hide();
    view->horizontalHeader()->setStretchLastSection(true);
    view->verticalHeader()->setDefaultSectionSize(20);
    return view;
}

QPushButton *button(QWidget *parent, const QString &name, const QString &caption,
                    const QString &tip) {
    auto *b = new QPushButton(caption, parent);
    b->setObjectName(name);
    b->setToolTip(tip);
    b->setFocusPolicy(Qt::NoFocus); // the keys stay with what the user works in
    return b;
}

} // namespace

SimulationWindow::SimulationWindow(ProgramView program, QWidget *parent)
    : QWidget(parent, Qt::Window), m_program(std::move(program)) {
    setObjectName(QStringLiteral("SimulationWindow"));
    setWindowTitle(QStringLiteral("Symulacja"));
    resize(1150, 980);
    m_rerunTimer = new QTimer(this);
    m_rerunTimer->setSingleShot(true);
    m_rerunTimer->setInterval(50);
    connect(m_rerunTimer, &QTimer::timeout, this, &SimulationWindow::rerun);

    m_note = new QLabel(
        QStringLiteral("To jest szacunek: ruchy z idealnymi rampami według wartości rejestrów "
                       "z kodu programu, bez czasu wykonania poleceń przez mikroindekser, bez "
                       "poślizgu silnika i opóźnień czujników."),
        this);
    m_note->setObjectName(QStringLiteral("lblSzacunek"));
    m_note->setWordWrap(true);
    m_summary = new QLabel(this);
    m_summary->setObjectName(QStringLiteral("lblPodsumowanie"));
    m_summary->setWordWrap(true);
    m_summary->setTextInteractionFlags(Qt::TextSelectableByMouse);
    QFont bold = m_summary->font();
    bold.setBold(true);
    m_summary->setFont(bold);

    m_position = curveChart(this, QStringLiteral("chartPolozenie"),
                            QStringLiteral("Położenie x(t)"), QStringLiteral("x [kroki]"));
    m_velocity = curveChart(this, QStringLiteral("chartPredkosc"), QStringLiteral("Prędkość v(t)"),
                            QStringLiteral("v [kroki/s]"));
    m_outputs = stepChart(this, QStringLiteral("chartWyjscia"), QStringLiteral("Wyjścia i Enable"));
    auto *timeBar = new QScrollBar(Qt::Horizontal, this);
    timeBar->setObjectName(QStringLiteral("sbCzas"));
    m_time = new SharedTimeAxis(timeBar, this);
    for (QChartView *view : {m_position, m_velocity, m_outputs})
        m_time->addChart(view);
    auto *whole = new QPushButton(QStringLiteral("Cały przebieg"), this);
    whole->setObjectName(QStringLiteral("btnCalyPrzebieg"));
    whole->setFocusPolicy(Qt::NoFocus);
    connect(whole, &QPushButton::clicked, m_time, &SharedTimeAxis::showAll);

    m_linesModel = new LineStatsModel(this);
    m_lines = table(this, QStringLiteral("tblWykonane"), m_linesModel);
    connect(m_lines, &QTableView::clicked, this, [this](const QModelIndex &index) {
        selectProgramLine(m_linesModel->lineAt(index.row()));
    });
    m_executedModel = new ExecutedCommandsModel(this);
    m_executed = table(this, QStringLiteral("tblPrzebieg"), m_executedModel);
    connect(m_executed, &QTableView::clicked, this, [this](const QModelIndex &index) {
        selectProgramLine(m_executedModel->lineAt(index.row()));
    });
    auto *tabs = new QTabWidget(this);
    tabs->setObjectName(QStringLiteral("tabTabele"));
    tabs->addTab(m_lines, QStringLiteral("Wykonane linie"));
    tabs->addTab(m_executed, QStringLiteral("Przebieg polecenie po poleceniu"));

    m_watch = new WatchPanel(this);
    m_watch->setObjectName(QStringLiteral("tblPodglad"));
    m_watch->setMinimumWidth(280);

    auto *plots = new QSplitter(Qt::Vertical, this);
    plots->setObjectName(QStringLiteral("splitter"));
    plots->addWidget(m_position);
    plots->addWidget(m_velocity);
    plots->addWidget(m_outputs);
    plots->setSizes({280, 240, 200});
    auto *timeRow = new QHBoxLayout;
    timeRow->addWidget(timeBar, 1);
    timeRow->addWidget(whole);
    auto *plotColumn = new QWidget(this);
    auto *plotLayout = new QVBoxLayout(plotColumn);
    plotLayout->setContentsMargins(0, 0, 0, 0);
    plotLayout->addWidget(plots, 1);
    plotLayout->addLayout(timeRow);
    auto *middle = new QSplitter(Qt::Horizontal, this);
    middle->addWidget(plotColumn);
    middle->addWidget(m_watch);
    middle->setStretchFactor(0, 1);
    middle->setSizes({830, 300});
    auto *body = new QSplitter(Qt::Vertical, this);
    body->addWidget(middle);
    body->addWidget(tabs);
    body->setSizes({720, 220});

    auto *top = new QHBoxLayout;
    top->addWidget(buildSettings());
    auto *texts = new QVBoxLayout;
    texts->addWidget(m_summary);
    texts->addWidget(m_note);
    texts->addWidget(buildStepping());
    texts->addStretch();
    top->addLayout(texts, 1);
    // On a small screen (1366x768 laptops on the shop floor) the window scrolls rather than
    // reaching beyond the screen.
    auto *content = new QWidget;
    auto *layout = new QVBoxLayout(content);
    layout->addLayout(top);
    layout->addWidget(body, 1);
    auto *scroll = new QScrollArea(this);
    scroll->setObjectName(QStringLiteral("scrollSymulacja"));
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->setWidgetResizable(true);
    scroll->setWidget(content);
    auto *outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->addWidget(scroll);

    if (QAbstractItemModel *model = m_program.list->model()) {
        const auto later = [this] { m_rerunTimer->start(); };
        connect(model, &QAbstractItemModel::modelReset, this, later);
        connect(model, &QAbstractItemModel::layoutChanged, this, later);
        connect(model, &QAbstractItemModel::rowsInserted, this, later);
        connect(model, &QAbstractItemModel::rowsRemoved, this, later);
        // Marks drawn beside the lines change no line.
        connect(model, &QAbstractItemModel::dataChanged, this,
                [later](const QModelIndex &, const QModelIndex &, const QList<int> &roles) {
                    if (roles.isEmpty() || roles.contains(Qt::DisplayRole))
                        later();
                });
    }
    rerun();
}

SimulationWindow::~SimulationWindow() = default;

SimulationWindow *SimulationWindow::showFor(const ProgramView &program, QWidget *parent) {
    auto *window = parent->findChild<SimulationWindow *>(QStringLiteral("SimulationWindow"),
                                                         Qt::FindDirectChildrenOnly);
    if (!window)
        window = new SimulationWindow(program, parent);
    else
        window->rerun();
    window->QWidget::show();
    window->raise();
    window->activateWindow();
    return window;
}

const SimulationResult &SimulationWindow::result() const { return m_session->wholeRun(); }

QWidget *SimulationWindow::buildSettings() {
    auto *box = new QGroupBox(QStringLiteral("Wejścia i położenie HOME"), this);
    box->setObjectName(QStringLiteral("grpUstawienia"));
    m_inputs = new InputScheduleTable(box);
    m_inputs->setObjectName(QStringLiteral("tblWejscia"));
    connect(m_inputs, &InputScheduleTable::changed, m_rerunTimer, qOverload<>(&QTimer::start));
    auto *add = new QPushButton(QStringLiteral("Dodaj zmianę wejścia"), box);
    add->setObjectName(QStringLiteral("btnDodajWejscie"));
    connect(add, &QPushButton::clicked, this, [this] { m_inputs->addChange(1, true, 0); });
    auto *remove = new QPushButton(QStringLiteral("Usuń zmianę"), box);
    remove->setObjectName(QStringLiteral("btnUsunWejscie"));
    connect(remove, &QPushButton::clicked, m_inputs, &InputScheduleTable::removeChange);
    m_home = new QSpinBox(box);
    m_home->setObjectName(QStringLiteral("edHome"));
    m_home->setRange(-8388607, 8388607);
    m_home->setSuffix(QStringLiteral(" kroków"));
    connect(m_home, &QSpinBox::valueChanged, m_rerunTimer, qOverload<>(&QTimer::start));
    m_maxTime = new DecimalSpinBox(box);
    m_maxTime->setObjectName(QStringLiteral("edLimitCzasu"));
    m_maxTime->setRange(0.001, 1e7);
    m_maxTime->setDecimals(3);
    m_maxTime->setValue(3600);
    m_maxTime->setSuffix(QStringLiteral(" s"));
    connect(m_maxTime, &QDoubleSpinBox::valueChanged, m_rerunTimer, qOverload<>(&QTimer::start));

    auto *buttons = new QHBoxLayout;
    buttons->addWidget(add);
    buttons->addWidget(remove);
    auto *form = new QFormLayout;
    form->addRow(QStringLiteral("Czujnik HOME w położeniu:"), m_home);
    form->addRow(QStringLiteral("Limit czasu symulacji:"), m_maxTime);
    auto *layout = new QVBoxLayout(box);
    layout->addWidget(
        new QLabel(QStringLiteral("Wszystkie wejścia są na początku wyłączone."), box));
    layout->addWidget(m_inputs);
    layout->addLayout(buttons);
    layout->addLayout(form);
    return box;
}

QWidget *SimulationWindow::buildStepping() {
    auto *box = new QGroupBox(QStringLiteral("Praca krokowa"), this);
    box->setObjectName(QStringLiteral("grpKrokowa"));
    m_restart = button(box, QStringLiteral("btnOdPoczatku"), QStringLiteral("Od początku"),
                       QStringLiteral("Zatrzymuje symulację przed pierwszym poleceniem "
                                      "(Ctrl+Shift+F5)"));
    m_step = button(box, QStringLiteral("btnKrok"), QStringLiteral("Krok"),
                    QStringLiteral("Wykonuje jedno polecenie (F10)"));
    m_toCursor = button(box, QStringLiteral("btnDoKursora"), QStringLiteral("Do kursora"),
                        QStringLiteral("Biegnie do linii zaznaczonej w liście programu albo do "
                                       "pułapki (Ctrl+F10)"));
    m_continue = button(box, QStringLiteral("btnDalej"), QStringLiteral("Dalej"),
                        QStringLiteral("Biegnie do następnej pułapki albo do końca (F5)"));
    auto *breakpoint =
        button(box, QStringLiteral("btnPulapka"), QStringLiteral("Pułapka"),
               QStringLiteral("Stawia albo zdejmuje pułapkę na linii zaznaczonej w liście "
                              "programu (F9)"));
    connect(m_restart, &QPushButton::clicked, this, &SimulationWindow::restart);
    connect(m_step, &QPushButton::clicked, this, &SimulationWindow::stepOnce);
    connect(m_toCursor, &QPushButton::clicked, this, &SimulationWindow::runToCursor);
    connect(m_continue, &QPushButton::clicked, this, &SimulationWindow::continueRun);
    connect(breakpoint, &QPushButton::clicked, this, [this] {
        if (m_program.toggleBreakpoint)
            m_program.toggleBreakpoint();
    });
    const auto key = [this](const QKeySequence &keys, auto slot) {
        auto *action = new QAction(this);
        action->setShortcut(keys);
        action->setShortcutContext(Qt::WindowShortcut);
        connect(action, &QAction::triggered, this, slot);
        addAction(action);
    };
    key(QKeySequence(Qt::Key_F10), &SimulationWindow::stepOnce);
    key(QKeySequence(Qt::CTRL | Qt::Key_F10), &SimulationWindow::runToCursor);
    key(QKeySequence(Qt::Key_F5), &SimulationWindow::continueRun);
    key(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_F5), &SimulationWindow::restart);
    key(QKeySequence(Qt::Key_F9), [this] {
        if (m_program.toggleBreakpoint)
            m_program.toggleBreakpoint();
    });

    m_status = new QLabel(box);
    m_status->setObjectName(QStringLiteral("lblStan"));
    m_status->setWordWrap(true);
    m_status->setTextInteractionFlags(Qt::TextSelectableByMouse);
    auto *buttons = new QHBoxLayout;
    for (QPushButton *b : {m_restart, m_step, m_toCursor, m_continue, breakpoint})
        buttons->addWidget(b);
    buttons->addStretch();
    auto *layout = new QVBoxLayout(box);
    layout->addLayout(buttons);
    layout->addWidget(m_status);
    return box;
}

SimulationOptions SimulationWindow::options() const {
    SimulationOptions o;
    o.traceLimit = kShownTrace;
    o.homeAt = m_home->value();
    o.maxTimeS = m_maxTime->value();
    o.inputs = m_inputs->changes();
    return o;
}

QStringList SimulationWindow::programLines() const {
    QStringList lines;
    if (const QAbstractItemModel *model = m_program.list->model()) {
        for (int row = 0; row < model->rowCount(); ++row)
            lines.append(model->index(row, 0).data().toString());
    }
    return lines;
}

void SimulationWindow::rerun() {
    m_rerunTimer->stop();
    const QStringList lines = programLines();
    const DriveSettings drive = m_program.drive();
    const SimulationOptions o = options();
    // Activating the window or a mark in the list changes nothing: the paused run stays.
    QString key = lines.join(QLatin1Char('\n'));
    key += QStringLiteral("|%1 %2 %3 %4 %5|%6 %7|")
               .arg(drive.ModelIndex)
               .arg(drive.DepthIndex)
               .arg(drive.PulsDiv)
               .arg(drive.Vmax)
               .arg(double(drive.GlPodz), 0, 'g', 17)
               .arg(o.homeAt, 0, 'g', 17)
               .arg(o.maxTimeS, 0, 'g', 17);
    for (const InputChange &c : o.inputs)
        key += QStringLiteral("%1=%2@%3;").arg(c.input).arg(int(c.state)).arg(c.timeS, 0, 'g', 17);
    if (m_session && key == m_runKey)
        return;
    m_runKey = key;
    m_runLines = lines;
    m_session = std::make_unique<SteppingSession>(lines, drive, o);
    showRun(lines);
    showStepping();
}

void SimulationWindow::showRun(const QStringList &lines) {
    const SimulationResult &run = m_session->wholeRun();
    QString summary = summaryText(run);
    if (run.trace.commandsLeftOut > 0)
        summary += QStringLiteral("\nTabela przebiegu i wykresy obejmują pierwsze %1 wykonanych "
                                  "poleceń.")
                       .arg(run.trace.commands.size());
    m_summary->setText(summary);
    const double end =
        std::max(run.timeS, run.trace.motion.empty() ? 0.0 : run.trace.motion.back().timeS);
    showCurve(m_position, positionCurve(run), end);
    showCurve(m_velocity, velocityCurve(run), end);
    showStepTraces(m_outputs, run);
    m_time->setLength(end);
    m_time->apply();
    m_linesModel->setRun(run.lineStats, lines);
    m_lines->resizeColumnsToContents();
    // Room for the mark of the line about to run.
    m_lines->setColumnWidth(
        0, m_lines->fontMetrics().horizontalAdvance(QStringLiteral("\u25B6 0000")) + 16);
    m_executedModel->setRun(run.trace.commands, lines);
    m_executed->resizeColumnsToContents();
}

void SimulationWindow::showStepping() {
    const SteppingSession &s = *m_session;
    using State = SteppingSession::State;
    using Stop = SteppingSession::Stop;
    const bool active = s.state() != State::Idle;
    m_restart->setEnabled(s.canStart());
    for (QPushButton *b : {m_step, m_toCursor, m_continue})
        b->setEnabled(s.canGoOn());
    const int line = s.currentLine();
    m_linesModel->setCurrentLine(line);
    if (line > 0)
        m_lines->scrollTo(m_linesModel->index(line - 1, 0));
    if (isVisible() && m_program.showCurrentLine)
        m_program.showCurrentLine(line);
    if (active) {
        m_watch->setValues(s.watch());
        m_time->reveal(s.time());
    } else {
        m_watch->clearValues();
    }
    const std::optional<double> cursor = active ? std::optional<double>(s.time()) : std::nullopt;
    for (QChartView *view : {m_position, m_velocity, m_outputs})
        showTimeCursor(view, cursor);

    QString status;
    if (!s.canStart()) {
        status = QStringLiteral("Praca krokowa jest niemożliwa: program zawiera błąd.");
    } else if (!active) {
        status = QStringLiteral("„Krok” (F10) zatrzymuje symulację przed pierwszym poleceniem, "
                                "„Dalej” (F5) biegnie do pułapki albo do końca. Pułapkę na "
                                "linii zaznaczonej w liście programu stawia F9.");
    } else if (s.state() == State::Ended) {
        status = QStringLiteral("Przebieg zakończony.\n") + summaryText(s.result());
    } else {
        QString why;
        switch (s.lastStop()) {
        case Stop::Breakpoint: why = QStringLiteral(" (pułapka)"); break;
        case Stop::Cursor: why = QStringLiteral(" (kursor)"); break;
        case Stop::Start: why = QStringLiteral(" (początek)"); break;
        default: break;
        }
        status = QStringLiteral("Wstrzymano przed linią %1: %2, czas %3 s%4.")
                     .arg(line, 3, 10, QLatin1Char('0'))
                     .arg(lineBody(m_runLines, line), decimal(s.time(), 6), why);
        if (s.lastStop() == Stop::Repeat)
            status += QStringLiteral("\n") + summaryText(s.result());
    }
    m_status->setText(status);
}

void SimulationWindow::stepOnce() {
    rerun();
    m_session->step();
    showStepping();
}

void SimulationWindow::runToCursor() {
    rerun();
    const QSet<int> breakpoints =
        m_program.breakpointLines ? m_program.breakpointLines() : QSet<int>();
    const int cursor = m_program.selectedLine ? m_program.selectedLine() : 0;
    m_session->runTo(breakpoints, cursor);
    showStepping();
}

void SimulationWindow::continueRun() {
    rerun();
    m_session->runTo(m_program.breakpointLines ? m_program.breakpointLines() : QSet<int>());
    showStepping();
}

void SimulationWindow::restart() {
    rerun();
    m_session->restart();
    showStepping();
}

void SimulationWindow::selectProgramLine(int line) {
    QAbstractItemModel *model = m_program.list->model();
    if (line < 1 || !model || line > model->rowCount())
        return;
    const QModelIndex index = model->index(line - 1, 0);
    m_program.list->selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect);
    m_program.list->scrollTo(index);
}

void SimulationWindow::placeBesideParent() {
    QWidget *main = parentWidget() ? parentWidget()->window() : nullptr;
    QScreen *screen = main ? main->screen() : nullptr;
    if (!main || !screen || !main->isVisible())
        return;
    const QRect list(m_program.list->mapToGlobal(QPoint(0, 0)), m_program.list->size());
    // The frame is not known before the first show: the main window's frame margins stand in.
    const QMargins frame(main->geometry().left() - main->frameGeometry().left(),
                         main->geometry().top() - main->frameGeometry().top(),
                         main->frameGeometry().right() - main->geometry().right(),
                         main->frameGeometry().bottom() - main->geometry().bottom());
    const WindowPlacement place = placeBeside(
        main->frameGeometry(), list, screen->availableGeometry(), size().grownBy(frame), 640);
    if (place.mainTopLeft != main->frameGeometry().topLeft())
        main->move(place.mainTopLeft);
    move(place.window.topLeft());
    resize(place.window.size().shrunkBy(frame));
}

void SimulationWindow::changeEvent(QEvent *event) {
    // The driver may have changed while the window was in the background.
    if (event->type() == QEvent::ActivationChange && isActiveWindow())
        m_rerunTimer->start();
    QWidget::changeEvent(event);
}

void SimulationWindow::showEvent(QShowEvent *event) {
    if (!m_placed) {
        m_placed = true;
        placeBesideParent();
    }
    QWidget::showEvent(event);
    if (m_program.showCurrentLine)
        m_program.showCurrentLine(m_session->currentLine());
}

void SimulationWindow::hideEvent(QHideEvent *event) {
    // The mark in the program list belongs to the paused run on show.
    if (m_program.showCurrentLine)
        m_program.showCurrentLine(0);
    QWidget::hideEvent(event);
}

} // namespace korven::sim
