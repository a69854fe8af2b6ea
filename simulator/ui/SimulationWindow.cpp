#include "SimulationWindow.h"

#include "ExecutedLinesModel.h"
#include "InputScheduleTable.h"
#include "Simulation.h"
#include "SimulationCharts.h"
#include "SimulationText.h"
#include "TracePlot.h"

#include <QAbstractItemView>
#include <QChartView>
#include <QDoubleSpinBox>
#include <QEvent>
#include <QFormLayout>
#include <QGroupBox>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <QSplitter>
#include <QTableView>
#include <QTimer>
#include <QVBoxLayout>

namespace korven::sim {
namespace {

// Commands and motion corners kept for showing; the summary covers the whole run.
constexpr int kShownTrace = 20000;

} // namespace

SimulationWindow::SimulationWindow(QAbstractItemView *programList,
                                   std::function<DriveSettings()> drive, QWidget *parent)
    : QWidget(parent, Qt::Window), m_programList(programList), m_drive(std::move(drive)) {
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

    m_executedModel = new ExecutedLinesModel(this);
    m_executed = new QTableView(this);
    m_executed->setObjectName(QStringLiteral("tblWykonane"));
    m_executed->setModel(m_executedModel);
    m_executed->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_executed->setSelectionMode(QAbstractItemView::SingleSelection);
    m_executed->verticalHeader()->hide();
    m_executed->horizontalHeader()->setStretchLastSection(true);
    m_executed->verticalHeader()->setDefaultSectionSize(20);
    connect(m_executed, &QTableView::clicked, this,
            [this](const QModelIndex &index) { selectProgramLine(index.row()); });

    auto *splitter = new QSplitter(Qt::Vertical, this);
    splitter->setObjectName(QStringLiteral("splitter"));
    splitter->addWidget(m_position);
    splitter->addWidget(m_velocity);
    splitter->addWidget(m_outputs);
    splitter->addWidget(m_executed);
    splitter->setSizes({280, 240, 200, 200});

    auto *top = new QHBoxLayout;
    top->addWidget(buildSettings());
    auto *texts = new QVBoxLayout;
    texts->addWidget(m_summary);
    texts->addWidget(m_note);
    texts->addStretch();
    top->addLayout(texts, 1);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(splitter, 1);

    if (QAbstractItemModel *model = m_programList->model()) {
        const auto later = [this] { m_rerunTimer->start(); };
        connect(model, &QAbstractItemModel::modelReset, this, later);
        connect(model, &QAbstractItemModel::layoutChanged, this, later);
        connect(model, &QAbstractItemModel::rowsInserted, this, later);
        connect(model, &QAbstractItemModel::rowsRemoved, this, later);
        connect(model, &QAbstractItemModel::dataChanged, this, later);
    }
    rerun();
}

SimulationWindow *SimulationWindow::showFor(QAbstractItemView *programList,
                                            std::function<DriveSettings()> drive, QWidget *parent) {
    auto *window = parent->findChild<SimulationWindow *>(QStringLiteral("SimulationWindow"),
                                                         Qt::FindDirectChildrenOnly);
    if (!window)
        window = new SimulationWindow(programList, std::move(drive), parent);
    else
        window->rerun();
    window->QWidget::show();
    window->raise();
    window->activateWindow();
    return window;
}

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
    m_maxTime = new QDoubleSpinBox(box);
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
    if (const QAbstractItemModel *model = m_programList->model()) {
        for (int row = 0; row < model->rowCount(); ++row)
            lines.append(model->index(row, 0).data().toString());
    }
    return lines;
}

void SimulationWindow::rerun() {
    m_rerunTimer->stop();
    const QStringList lines = programLines();
    m_result = simulateProgram(lines, m_drive(), options());
    show(lines);
}

void SimulationWindow::show(const QStringList &lines) {
    QString summary = summaryText(m_result);
    if (m_result.trace.commandsLeftOut > 0)
        summary += QStringLiteral("\nTabela i wykresy obejmują pierwsze %1 wykonanych poleceń.")
                       .arg(m_result.trace.commands.size());
    m_summary->setText(summary);
    const double end = std::max(
        m_result.timeS, m_result.trace.motion.empty() ? 0.0 : m_result.trace.motion.back().timeS);
    showCurve(m_position, positionCurve(m_result), end);
    showCurve(m_velocity, velocityCurve(m_result), end);
    showStepTraces(m_outputs, m_result);
    m_executedModel->setRun(m_result.trace.commands, lines);
    m_executed->resizeColumnsToContents();
}

void SimulationWindow::selectProgramLine(int row) {
    const int line = m_executedModel->lineAt(row);
    QAbstractItemModel *model = m_programList->model();
    if (line < 1 || !model || line > model->rowCount())
        return;
    const QModelIndex index = model->index(line - 1, 0);
    m_programList->selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect);
    m_programList->scrollTo(index);
}

void SimulationWindow::changeEvent(QEvent *event) {
    // The driver may have changed while the window was in the background.
    if (event->type() == QEvent::ActivationChange && isActiveWindow())
        m_rerunTimer->start();
    QWidget::changeEvent(event);
}

} // namespace korven::sim
