#include "SimulationWindow.h"

#include "ExecutedLinesModel.h"
#include "Simulation.h"
#include "SimulationText.h"
#include "TracePlot.h"

#include <QAbstractItemView>
#include <QCategoryAxis>
#include <QChart>
#include <QChartView>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QEvent>
#include <QFormLayout>
#include <QGroupBox>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLabel>
#include <QLineSeries>
#include <QPushButton>
#include <QSpinBox>
#include <QSplitter>
#include <QTableView>
#include <QTableWidget>
#include <QTimer>
#include <QVBoxLayout>
#include <QValueAxis>

namespace korven::sim {
namespace {

// Commands and motion corners kept for showing; the summary covers the whole run.
constexpr int kShownTrace = 20000;

QLineSeries *seriesOf(QChartView *view) {
    return qobject_cast<QLineSeries *>(view->chart()->series().value(0));
}

void setRange(QChartView *view, Qt::Orientation orientation, double min, double max) {
    const QList<QAbstractAxis *> axes = view->chart()->axes(orientation);
    if (axes.isEmpty())
        return;
    if (max <= min) {
        min -= 1;
        max += 1;
    }
    axes.first()->setRange(min, max);
    if (auto *value = qobject_cast<QValueAxis *>(axes.first()))
        value->applyNiceNumbers();
}

// Numbers on the axes with the decimal comma, as everywhere in the window.
void polish(QChart *chart) {
    chart->setLocalizeNumbers(true);
    chart->setLocale(QLocale(QLocale::Polish, QLocale::Poland));
    chart->setMargins(QMargins(4, 2, 4, 2));
}

void showCurve(QChartView *view, const QList<QPointF> &points, double endTime) {
    seriesOf(view)->replace(points);
    double lo = 0, hi = 0;
    for (const QPointF &p : points) {
        lo = std::min(lo, p.y());
        hi = std::max(hi, p.y());
    }
    const double margin = (hi - lo) * 0.05;
    setRange(view, Qt::Vertical, lo - margin, hi + margin);
    setRange(view, Qt::Horizontal, 0, endTime);
}

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

    m_position =
        buildChart("chartPolozenie", QStringLiteral("Położenie x(t)"), QStringLiteral("x [kroki]"));
    m_velocity =
        buildChart("chartPredkosc", QStringLiteral("Prędkość v(t)"), QStringLiteral("v [kroki/s]"));
    m_outputs = new QChartView(this);
    m_outputs->setObjectName(QStringLiteral("chartWyjscia"));
    m_outputs->setRenderHint(QPainter::Antialiasing);
    m_outputs->chart()->setTitle(QStringLiteral("Wyjścia i Enable"));
    m_outputs->chart()->legend()->hide();
    m_outputs->setMinimumHeight(150);
    polish(m_outputs->chart());

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
    m_inputs = new QTableWidget(0, 3, box);
    m_inputs->setObjectName(QStringLiteral("tblWejscia"));
    m_inputs->setHorizontalHeaderLabels(
        {QStringLiteral("Wejście"), QStringLiteral("Stan"), QStringLiteral("Od czasu [s]")});
    m_inputs->verticalHeader()->hide();
    m_inputs->horizontalHeader()->setStretchLastSection(true);
    m_inputs->setMinimumWidth(300);
    m_inputs->setMaximumHeight(130);
    auto *add = new QPushButton(QStringLiteral("Dodaj zmianę wejścia"), box);
    add->setObjectName(QStringLiteral("btnDodajWejscie"));
    connect(add, &QPushButton::clicked, this, [this] { addInputRow(1, true, 0); });
    auto *remove = new QPushButton(QStringLiteral("Usuń zmianę"), box);
    remove->setObjectName(QStringLiteral("btnUsunWejscie"));
    connect(remove, &QPushButton::clicked, this, [this] {
        const int row =
            m_inputs->currentRow() >= 0 ? m_inputs->currentRow() : m_inputs->rowCount() - 1;
        if (row >= 0) {
            m_inputs->removeRow(row);
            m_rerunTimer->start();
        }
    });
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

QChartView *SimulationWindow::buildChart(const char *name, const QString &title,
                                         const QString &axis) {
    auto *view = new QChartView(this);
    view->setObjectName(QString::fromLatin1(name));
    view->setRenderHint(QPainter::Antialiasing);
    QChart *chart = view->chart();
    chart->setTitle(title);
    chart->legend()->hide();
    polish(chart);
    view->setMinimumHeight(180);
    auto *series = new QLineSeries(chart);
    series->setObjectName(QString::fromLatin1(name) + QStringLiteral("Seria"));
    chart->addSeries(series);
    auto *time = new QValueAxis(chart);
    time->setTitleText(QStringLiteral("t [s]"));
    auto *value = new QValueAxis(chart);
    value->setTitleText(axis);
    chart->addAxis(time, Qt::AlignBottom);
    chart->addAxis(value, Qt::AlignLeft);
    series->attachAxis(time);
    series->attachAxis(value);
    return view;
}

void SimulationWindow::addInputRow(int input, bool state, double time) {
    const int row = m_inputs->rowCount();
    m_inputs->insertRow(row);
    auto *number = new QSpinBox(m_inputs);
    number->setObjectName(QStringLiteral("edWejscie%1").arg(row));
    number->setRange(1, 8);
    number->setPrefix(QStringLiteral("IN "));
    number->setValue(input);
    connect(number, &QSpinBox::valueChanged, m_rerunTimer, qOverload<>(&QTimer::start));
    auto *on = new QComboBox(m_inputs);
    on->setObjectName(QStringLiteral("cbStan%1").arg(row));
    on->addItems({QStringLiteral("Off"), QStringLiteral("On")});
    on->setCurrentIndex(state ? 1 : 0);
    connect(on, &QComboBox::currentIndexChanged, m_rerunTimer, qOverload<>(&QTimer::start));
    auto *at = new QDoubleSpinBox(m_inputs);
    at->setObjectName(QStringLiteral("edCzas%1").arg(row));
    at->setRange(0, 1e7);
    at->setDecimals(3);
    at->setValue(time);
    connect(at, &QDoubleSpinBox::valueChanged, m_rerunTimer, qOverload<>(&QTimer::start));
    m_inputs->setCellWidget(row, 0, number);
    m_inputs->setCellWidget(row, 1, on);
    m_inputs->setCellWidget(row, 2, at);
    m_rerunTimer->start();
}

SimulationOptions SimulationWindow::options() const {
    SimulationOptions o;
    o.traceLimit = kShownTrace;
    o.homeAt = m_home->value();
    o.maxTimeS = m_maxTime->value();
    for (int row = 0; row < m_inputs->rowCount(); ++row) {
        const auto *number = qobject_cast<QSpinBox *>(m_inputs->cellWidget(row, 0));
        const auto *on = qobject_cast<QComboBox *>(m_inputs->cellWidget(row, 1));
        const auto *at = qobject_cast<QDoubleSpinBox *>(m_inputs->cellWidget(row, 2));
        if (number && on && at)
            o.inputs.append({number->value(), on->currentIndex() == 1, at->value()});
    }
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
    showOutputs();
    m_executedModel->setRun(m_result.trace.commands, lines);
    m_executed->resizeColumnsToContents();
}

void SimulationWindow::showOutputs() {
    QChart *chart = m_outputs->chart();
    chart->removeAllSeries();
    for (QAbstractAxis *axis : chart->axes())
        chart->removeAxis(axis), delete axis;
    auto *time = new QValueAxis(chart);
    time->setTitleText(QStringLiteral("t [s]"));
    auto *names = new QCategoryAxis(chart);
    names->setLabelsPosition(QCategoryAxis::AxisLabelsPositionOnValue);
    chart->addAxis(time, Qt::AlignBottom);
    chart->addAxis(names, Qt::AlignLeft);
    // Enable at the bottom, then every output that is ever switched on.
    QList<int> bits{8};
    for (int bit = 0; bit < 8; ++bit) {
        if (everOn(m_result, bit))
            bits.append(bit);
    }
    double end = 0;
    for (int k = 0; k < bits.size(); ++k) {
        const double base = 1.5 * k;
        auto *series = new QLineSeries(chart);
        series->setObjectName(bits[k] == 8 ? QStringLiteral("seriesEnable")
                                           : QStringLiteral("seriesOutput%1").arg(bits[k]));
        series->setName(outputName(bits[k]));
        const QList<QPointF> points = stepTrace(m_result, bits[k], base);
        end = std::max(end, points.last().x());
        series->replace(points);
        chart->addSeries(series);
        series->attachAxis(time);
        series->attachAxis(names);
        names->append(outputName(bits[k]), base + 0.5);
    }
    names->setRange(-0.5, 1.5 * bits.size());
    time->setRange(0, end > 0 ? end : 1);
    time->applyNiceNumbers();
    m_outputs->setMinimumHeight(int(90 + 28 * bits.size()));
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
