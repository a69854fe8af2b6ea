#include "SimulationCharts.h"

#include "TracePlot.h"

#include <QCategoryAxis>
#include <QChart>
#include <QChartView>
#include <QLineSeries>
#include <QLocale>
#include <QValueAxis>

namespace korven::sim {
namespace {

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

QChartView *chartView(QWidget *parent, const QString &objectName, const QString &title) {
    auto *view = new QChartView(parent);
    view->setObjectName(objectName);
    view->setRenderHint(QPainter::Antialiasing);
    QChart *chart = view->chart();
    chart->setTitle(title);
    chart->legend()->hide();
    // Numbers on the axes with the decimal comma, as everywhere in the program.
    chart->setLocalizeNumbers(true);
    chart->setLocale(QLocale(QLocale::Polish, QLocale::Poland));
    chart->setMargins(QMargins(4, 2, 4, 2));
    return view;
}

QValueAxis *timeAxis(QChart *chart) {
    auto *time = new QValueAxis(chart);
    time->setTitleText(QStringLiteral("t [s]"));
    chart->addAxis(time, Qt::AlignBottom);
    return time;
}

} // namespace

QChartView *curveChart(QWidget *parent, const QString &objectName, const QString &title,
                       const QString &axis) {
    QChartView *view = chartView(parent, objectName, title);
    view->setMinimumHeight(180);
    QChart *chart = view->chart();
    auto *series = new QLineSeries(chart);
    series->setObjectName(objectName + QStringLiteral("Seria"));
    chart->addSeries(series);
    QValueAxis *time = timeAxis(chart);
    auto *value = new QValueAxis(chart);
    value->setTitleText(axis);
    chart->addAxis(value, Qt::AlignLeft);
    series->attachAxis(time);
    series->attachAxis(value);
    return view;
}

void showCurve(QChartView *view, const QList<QPointF> &points, double endTime) {
    qobject_cast<QLineSeries *>(view->chart()->series().value(0))->replace(points);
    double lo = 0, hi = 0;
    for (const QPointF &p : points) {
        lo = std::min(lo, p.y());
        hi = std::max(hi, p.y());
    }
    const double margin = (hi - lo) * 0.05;
    setRange(view, Qt::Vertical, lo - margin, hi + margin);
    setRange(view, Qt::Horizontal, 0, endTime);
}

QChartView *stepChart(QWidget *parent, const QString &objectName, const QString &title) {
    QChartView *view = chartView(parent, objectName, title);
    view->setMinimumHeight(150);
    return view;
}

void showStepTraces(QChartView *view, const SimulationResult &result) {
    QChart *chart = view->chart();
    chart->removeAllSeries();
    for (QAbstractAxis *axis : chart->axes()) {
        chart->removeAxis(axis);
        delete axis;
    }
    QValueAxis *time = timeAxis(chart);
    auto *names = new QCategoryAxis(chart);
    names->setLabelsPosition(QCategoryAxis::AxisLabelsPositionOnValue);
    chart->addAxis(names, Qt::AlignLeft);
    QList<int> bits{8};
    for (int bit = 0; bit < 8; ++bit) {
        if (everOn(result, bit))
            bits.append(bit);
    }
    double end = 0;
    for (int k = 0; k < bits.size(); ++k) {
        const double base = 1.5 * k;
        auto *series = new QLineSeries(chart);
        series->setObjectName(bits[k] == 8 ? QStringLiteral("seriesEnable")
                                           : QStringLiteral("seriesOutput%1").arg(bits[k]));
        series->setName(outputName(bits[k]));
        const QList<QPointF> points = stepTrace(result, bits[k], base);
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
    view->setMinimumHeight(int(90 + 28 * bits.size()));
}

} // namespace korven::sim
