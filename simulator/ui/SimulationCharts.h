#pragma once

#include "SimulationTypes.h"

#include <QList>
#include <QPointF>

#include <optional>

class QChartView;
class QValueAxis;
class QWidget;

namespace korven::sim {

// A chart of one curve over time (its series is named after the view, plus "Seria").
QChartView *curveChart(QWidget *parent, const QString &objectName, const QString &title,
                       const QString &axis);
// Puts points into a curve chart and fits its axes; the time axis runs to endTime.
void showCurve(QChartView *view, const QList<QPointF> &points, double endTime);

// An empty chart for the step traces of the outputs.
QChartView *stepChart(QWidget *parent, const QString &objectName, const QString &title);
// Enable at the bottom, then every output that is ever switched on, one step trace each
// ("seriesEnable", "seriesOutput0".."seriesOutput7" by device bit).
void showStepTraces(QChartView *view, const SimulationResult &result);

// The smallest round step (1, 2 or 5 times a power of ten) not below span.
double roundStep(double span);
// Labels at the multiples of step, counted from 0, with as many decimals as step needs.
void labelAtRoundSteps(QValueAxis *axis, double step);
// A vertical line at the time across the chart (its series is named after the view, plus
// "Kursor"); none without a time.
void showTimeCursor(QChartView *view, std::optional<double> timeS);

} // namespace korven::sim
