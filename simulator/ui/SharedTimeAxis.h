#pragma once

#include <QList>
#include <QObject>
#include <QPoint>

class QChartView;
class QScrollBar;

namespace korven::sim {

// One time axis for several charts: the mouse wheel zooms around the pointer, Shift with
// the wheel, dragging and the scroll bar move along the run, a double click shows the whole
// run; each of these moves every chart alike. Labels fall on round numbers counted from 0,
// as many as each chart's size holds.
class SharedTimeAxis : public QObject {
    Q_OBJECT
public:
    explicit SharedTimeAxis(QScrollBar *bar, QObject *parent = nullptr);

    void addChart(QChartView *view);
    // The whole run's length; a new length shows all of it.
    void setLength(double seconds);
    // Shows from..to, kept within the run.
    void setVisible(double from, double to);
    void showAll();
    // Brings a moment into view, keeping the zoom.
    void reveal(double seconds);
    // Puts the range on every chart again (after a chart rebuilt its axes).
    void apply();
    double from() const { return m_from; }
    double to() const { return m_to; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QChartView *viewOf(QObject *viewport) const;
    // The time under a point of the view's viewport, within the visible range.
    double timeAt(QChartView *view, const QPoint &pos) const;
    void scrolled(int value);
    // Round label steps on both axes, as many labels as the chart's size holds.
    void fitLabels(QChartView *view);
    // The widest label of the chart's value axis, in pixels.
    int valueLabelsWidth(QChartView *view) const;
    void alignPlots();

    QList<QChartView *> m_views;
    QScrollBar *m_bar;
    double m_length = 1;
    double m_from = 0, m_to = 1;
    QChartView *m_dragView = nullptr;
    double m_dragTime = 0;
    bool m_applying = false;
};

} // namespace korven::sim
