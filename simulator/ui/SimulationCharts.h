#pragma once

#include "SimulationTypes.h"

#include <QList>
#include <QPointF>

class QChartView;
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

} // namespace korven::sim
