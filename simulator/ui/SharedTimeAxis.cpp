#include "SharedTimeAxis.h"

#include "SimulationCharts.h"

#include <QCategoryAxis>
#include <QChart>
#include <QChartView>
#include <QFontMetrics>
#include <QLocale>
#include <QMouseEvent>
#include <QScrollBar>
#include <QValueAxis>
#include <QWheelEvent>

#include <algorithm>
#include <cmath>

namespace korven::sim {
namespace {

constexpr int kBarSteps = 10000;
constexpr int kLeftMargin = 4; // as the charts are made

QValueAxis *timeAxis(QChartView *view) {
    return qobject_cast<QValueAxis *>(view->chart()->axes(Qt::Horizontal).value(0));
}

} // namespace

SharedTimeAxis::SharedTimeAxis(QScrollBar *bar, QObject *parent) : QObject(parent), m_bar(bar) {
    m_bar->setRange(0, 0);
    connect(m_bar, &QScrollBar::valueChanged, this, &SharedTimeAxis::scrolled);
}

void SharedTimeAxis::addChart(QChartView *view) {
    m_views.append(view);
    view->viewport()->installEventFilter(this);
    // Labels as dense as the chart's size allows without overlapping.
    connect(view->chart(), &QChart::plotAreaChanged, this, [this, view] {
        if (!m_applying) {
            fitLabels(view);
            alignPlots();
        }
    });
    view->setToolTip(QStringLiteral("Kółko myszy: powiększenie osi czasu; Shift + kółko, "
                                    "przeciąganie lub pasek pod wykresami: przesuwanie; "
                                    "dwuklik: cały przebieg."));
    apply();
}

void SharedTimeAxis::setLength(double seconds) {
    const double length = seconds > 0 ? seconds : 1;
    if (length == m_length) {
        apply();
        return;
    }
    m_length = length;
    showAll();
}

void SharedTimeAxis::showAll() { setVisible(0, m_length); }

void SharedTimeAxis::setVisible(double from, double to) {
    // Down to a millionth of the run, never beyond it.
    const double span = std::clamp(to - from, m_length * 1e-6, m_length);
    from = std::clamp(from, 0.0, m_length - span);
    m_from = from;
    m_to = from + span;
    apply();
}

void SharedTimeAxis::reveal(double seconds) {
    if (seconds >= m_from && seconds <= m_to)
        return;
    const double span = m_to - m_from;
    setVisible(seconds - span / 2, seconds + span / 2);
}

void SharedTimeAxis::fitLabels(QChartView *view) {
    const bool nested = m_applying;
    m_applying = true;
    const QRectF plot = view->chart()->plotArea();
    if (QValueAxis *axis = timeAxis(view)) {
        const double labels = plot.width() > 0 ? std::max(2.0, plot.width() / 80) : 6;
        const double step = roundStep((m_to - m_from) / labels);
        if (axis->tickInterval() != step)
            labelAtRoundSteps(axis, step);
    }
    auto *values = qobject_cast<QValueAxis *>(view->chart()->axes(Qt::Vertical).value(0));
    if (values && !values->inherits("QCategoryAxis")) {
        const double labels = plot.height() > 0 ? std::max(1.0, plot.height() / 30) : 4;
        const double step = roundStep((values->max() - values->min()) / labels);
        if (values->tickInterval() != step)
            labelAtRoundSteps(values, step);
    }
    m_applying = nested;
}

int SharedTimeAxis::valueLabelsWidth(QChartView *view) const {
    auto *axis = qobject_cast<QValueAxis *>(view->chart()->axes(Qt::Vertical).value(0));
    if (!axis)
        return 0;
    const QFontMetrics metrics(axis->labelsFont());
    int widest = 0;
    if (auto *categories = qobject_cast<QCategoryAxis *>(axis)) {
        for (const QString &label : categories->categoriesLabels())
            widest = std::max(widest, metrics.horizontalAdvance(label));
        return widest;
    }
    const double step = axis->tickInterval();
    if (!(step > 0))
        return 0;
    const int decimals = std::max(0, int(-std::floor(std::log10(step) + 1e-9)));
    const double first = std::ceil(axis->min() / step - 1e-9);
    for (int k = 0; k < 100 && (first + k) * step <= axis->max() + step * 1e-9; ++k) {
        const double value = (first + k) * step;
        const QString label =
            view->chart()->locale().toString(value == 0 ? 0.0 : value, 'f', decimals);
        widest = std::max(widest, metrics.horizontalAdvance(label));
    }
    return widest;
}

void SharedTimeAxis::alignPlots() {
    // The plots start at one x, however wide each chart's value labels are, so that one
    // moment stands at one place in all of them.
    QList<int> widths;
    int widest = 0;
    for (QChartView *view : m_views) {
        widths.append(valueLabelsWidth(view));
        widest = std::max(widest, widths.last());
    }
    for (int k = 0; k < m_views.size(); ++k) {
        QChart *chart = m_views[k]->chart();
        QMargins margins = chart->margins();
        const int left = kLeftMargin + widest - widths[k];
        if (margins.left() != left) {
            margins.setLeft(left);
            chart->setMargins(margins);
        }
    }
}

void SharedTimeAxis::apply() {
    m_applying = true;
    const double span = m_to - m_from;
    for (QChartView *view : m_views) {
        if (QValueAxis *axis = timeAxis(view))
            axis->setRange(m_from, m_to);
        fitLabels(view);
    }
    alignPlots();
    const bool all = span >= m_length * (1 - 1e-9);
    m_bar->setRange(0, all ? 0 : kBarSteps);
    m_bar->setPageStep(all ? 1 : std::max(1, int(kBarSteps * span / m_length)));
    m_bar->setSingleStep(std::max(1, m_bar->pageStep() / 10));
    if (!all)
        m_bar->setValue(int(std::lround(kBarSteps * m_from / (m_length - span))));
    m_bar->setEnabled(!all);
    m_applying = false;
}

void SharedTimeAxis::scrolled(int value) {
    if (m_applying)
        return;
    const double span = m_to - m_from;
    const double from = (m_length - span) * value / kBarSteps;
    setVisible(from, from + span);
}

QChartView *SharedTimeAxis::viewOf(QObject *viewport) const {
    for (QChartView *view : m_views) {
        if (view->viewport() == viewport)
            return view;
    }
    return nullptr;
}

double SharedTimeAxis::timeAt(QChartView *view, const QPoint &pos) const {
    const QRectF plot = view->chart()->plotArea();
    const QPointF at = view->chart()->mapFromScene(view->mapToScene(pos));
    const double share = plot.width() > 0 ? (at.x() - plot.left()) / plot.width() : 0.5;
    return m_from + std::clamp(share, 0.0, 1.0) * (m_to - m_from);
}

bool SharedTimeAxis::eventFilter(QObject *watched, QEvent *event) {
    QChartView *view = viewOf(watched);
    if (!view)
        return QObject::eventFilter(watched, event);
    switch (event->type()) {
    case QEvent::Wheel: {
        auto *wheel = static_cast<QWheelEvent *>(event);
        const QPoint delta = wheel->angleDelta();
        const double span = m_to - m_from;
        if ((wheel->modifiers() & Qt::ShiftModifier) || delta.y() == 0) {
            const double notches = (delta.y() != 0 ? delta.y() : delta.x()) / 120.0;
            setVisible(m_from - notches * span / 10, m_to - notches * span / 10);
        } else {
            const double t = timeAt(view, wheel->position().toPoint());
            const double factor = std::pow(0.8, delta.y() / 120.0);
            setVisible(t - (t - m_from) * factor, t + (m_to - t) * factor);
        }
        return true;
    }
    case QEvent::MouseButtonPress: {
        auto *mouse = static_cast<QMouseEvent *>(event);
        if (mouse->button() != Qt::LeftButton)
            break;
        m_dragView = view;
        m_dragTime = timeAt(view, mouse->position().toPoint());
        view->viewport()->setCursor(Qt::ClosedHandCursor);
        return true;
    }
    case QEvent::MouseMove: {
        auto *mouse = static_cast<QMouseEvent *>(event);
        if (m_dragView != view)
            break;
        // The time grabbed stays under the pointer.
        const QRectF plot = view->chart()->plotArea();
        const QPointF at =
            view->chart()->mapFromScene(view->mapToScene(mouse->position().toPoint()));
        const double span = m_to - m_from;
        const double share = plot.width() > 0 ? (at.x() - plot.left()) / plot.width() : 0.5;
        const double from = m_dragTime - share * span;
        setVisible(from, from + span);
        return true;
    }
    case QEvent::MouseButtonRelease:
        if (m_dragView == view) {
            m_dragView = nullptr;
            view->viewport()->unsetCursor();
            return true;
        }
        break;
    case QEvent::MouseButtonDblClick: showAll(); return true;
    default: break;
    }
    return QObject::eventFilter(watched, event);
}

} // namespace korven::sim
