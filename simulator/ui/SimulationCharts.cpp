#include "SimulationCharts.h"

#include "TracePlot.h"

#include <QCategoryAxis>
#include <QChart>
#include <QChartView>
#include <QLineSeries>
#include <QLocale>
#include <QPen>
#include <QValueAxis>

#include <cmath>

namespace korven::sim {
namespace {

// The value axis from lo to hi, labelled at multiples of a round step counted from 0, so
// that 0 is a label whenever it is in range.
void setValueRange(QChartView *view, double lo, double hi) {
    auto *axis = qobject_cast<QValueAxis *>(view->chart()->axes(Qt::Vertical).value(0));
    if (!axis)
        return;
    if (hi <= lo) {
        lo -= 1;
        hi += 1;
    }
    labelAtRoundSteps(axis, roundStep((hi - lo) / 4));
    axis->setRange(lo, hi);
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
    QLocale polish(QLocale::Polish, QLocale::Poland);
    polish.setNumberOptions(QLocale::OmitGroupSeparator);
    chart->setLocale(polish);
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
    setValueRange(view, lo - margin, hi + margin);
    if (auto *time = qobject_cast<QValueAxis *>(view->chart()->axes(Qt::Horizontal).value(0)))
        time->setRange(0, endTime > 0 ? endTime : 1);
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
    // A title like the other charts' value axes: their plots then line up exactly.
    names->setTitleText(QStringLiteral("stan"));
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
    view->setMinimumHeight(int(90 + 28 * bits.size()));
}

double roundStep(double span) {
    if (!(span > 0) || !std::isfinite(span))
        return 1;
    const double power = std::pow(10.0, std::floor(std::log10(span)));
    const double f = span / power;
    return (f <= 1 ? 1 : f <= 2 ? 2 : f <= 5 ? 5 : 10) * power;
}

void labelAtRoundSteps(QValueAxis *axis, double step) {
    axis->setTickType(QValueAxis::TicksDynamic);
    axis->setTickAnchor(0);
    axis->setTickInterval(step);
    const int decimals = std::max(0, int(-std::floor(std::log10(step) + 1e-9)));
    axis->setLabelFormat(QStringLiteral("%.%1f").arg(decimals));
}

void showTimeCursor(QChartView *view, std::optional<double> timeS) {
    QChart *chart = view->chart();
    const QString name = view->objectName() + QStringLiteral("Kursor");
    QLineSeries *cursor = nullptr;
    for (QAbstractSeries *s : chart->series()) {
        if (s->objectName() == name)
            cursor = qobject_cast<QLineSeries *>(s);
    }
    auto *values = qobject_cast<QValueAxis *>(chart->axes(Qt::Vertical).value(0));
    QAbstractAxis *time = chart->axes(Qt::Horizontal).value(0);
    if (!timeS || !values || !time) {
        if (cursor)
            cursor->setVisible(false);
        return;
    }
    if (!cursor) {
        cursor = new QLineSeries(chart);
        cursor->setObjectName(name);
        QPen pen(QColor(200, 40, 40));
        pen.setWidth(1);
        pen.setStyle(Qt::DashLine);
        cursor->setPen(pen);
        chart->addSeries(cursor);
        cursor->attachAxis(time);
        cursor->attachAxis(values);
    }
    cursor->replace({QPointF(*timeS, values->min()), QPointF(*timeS, values->max())});
    cursor->setVisible(true);
}

} // namespace korven::sim
