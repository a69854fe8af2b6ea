#include "TracePlot.h"

#include <algorithm>

namespace korven::sim {
namespace {

bool level(const OutputState &s, int bit) { return bit == 8 ? s.enable : (s.outputs >> bit) & 1; }

} // namespace

QList<QPointF> positionCurve(const SimulationResult &result, int pointsPerRamp) {
    QList<QPointF> points;
    const std::vector<MotionPoint> &m = result.trace.motion;
    for (size_t i = 0; i < m.size(); ++i) {
        if (i > 0) {
            const MotionPoint &a = m[i - 1], &b = m[i];
            const double span = b.timeS - a.timeS;
            if (span > 0 && a.velocity != b.velocity) {
                const double acc = (b.velocity - a.velocity) / span;
                for (int k = 1; k < pointsPerRamp; ++k) {
                    const double tau = span * k / pointsPerRamp;
                    points.append(
                        {a.timeS + tau, a.position + a.velocity * tau + acc * tau * tau / 2});
                }
            }
        }
        points.append({m[i].timeS, m[i].position});
    }
    if (points.isEmpty() || points.last().x() < result.timeS)
        points.append({result.timeS, result.position});
    return points;
}

QList<QPointF> velocityCurve(const SimulationResult &result) {
    QList<QPointF> points;
    for (const MotionPoint &p : result.trace.motion)
        points.append({p.timeS, p.velocity});
    if (points.isEmpty() || points.last().x() < result.timeS)
        points.append({result.timeS, result.velocity});
    return points;
}

QList<QPointF> stepTrace(const SimulationResult &result, int bit, double base) {
    QList<QPointF> points;
    bool on = false;
    points.append({0, base});
    for (const OutputState &s : result.trace.outputs) {
        const bool now = level(s, bit);
        if (now == on)
            continue;
        points.append({s.timeS, base + (on ? 1 : 0)});
        points.append({s.timeS, base + (now ? 1 : 0)});
        on = now;
    }
    const double end = std::max(result.timeS, points.last().x());
    points.append({end, base + (on ? 1 : 0)});
    return points;
}

bool everOn(const SimulationResult &result, int bit) {
    return std::any_of(result.trace.outputs.begin(), result.trace.outputs.end(),
                       [bit](const OutputState &s) { return level(s, bit); });
}

QString outputName(int bit) {
    if (bit < 6)
        return QStringLiteral("OUT %1").arg(bit + 1);
    if (bit == 6)
        return QStringLiteral("PK 2");
    if (bit == 7)
        return QStringLiteral("PK 1");
    return QStringLiteral("Enable");
}

} // namespace korven::sim
