#include "SpeedEntry.h"

#include "DeviceValues.h"
#include "Numbers.h"
#include "SpeedUnits.h"

namespace korven {

SpeedEntry::SpeedEntry(bool isSigned, int pulsDiv, int vmax, long double glPodz)
    : m_signed(isSigned), m_pulsDiv(pulsDiv), m_vmax(vmax), m_min(speed::minimum(pulsDiv)),
      m_max(speed::maximum(pulsDiv, vmax)), m_perRevolution(speed::stepsPerRevolution(glPodz)) {}

QString SpeedEntry::stepsRangeText() const { return speed::rangeText(m_signed, m_min, m_max); }

QString SpeedEntry::revolutionsRangeText() const {
    if (m_perRevolution == 0)
        return speed::rangeText(m_signed, 0, 0);
    return speed::rangeText(m_signed, m_min / m_perRevolution, m_max / m_perRevolution);
}

SpeedEntry::Result SpeedEntry::leave(const QString &text, bool fromSteps, const QString &steps,
                                     const QString &revolutions) const {
    Result r{steps, revolutions, {}};
    if (text.isEmpty())
        return r;
    bool ok = false;
    const long double v = parseDecimal(text, &ok);
    if (!ok || (!fromSteps && m_perRevolution == 0)) {
        r.message = invalidMessage();
        return r;
    }
    const QString rewritten = speed::text(v);
    const long double shown = parseDecimal(rewritten, &ok);
    // The range is checked on the rewritten value of the field that was left.
    long double min = m_min, max = m_max;
    if (fromSteps) {
        r.steps = rewritten;
        r.revolutions = m_perRevolution == 0 ? QString() : speed::text(shown / m_perRevolution);
    } else {
        r.revolutions = rewritten;
        r.steps = speed::text(shown * m_perRevolution);
        min /= m_perRevolution;
        max /= m_perRevolution;
    }
    if (!speed::inRange(m_signed, shown, min, max))
        r.message = outOfRangeMessage();
    return r;
}

SpeedEntry::Result SpeedEntry::leaveSteps(const QString &steps, const QString &revolutions) const {
    return leave(steps, true, steps, revolutions);
}

SpeedEntry::Result SpeedEntry::leaveRevolutions(const QString &steps,
                                                const QString &revolutions) const {
    return leave(revolutions, false, steps, revolutions);
}

SpeedEntry::Acceptance SpeedEntry::accept(const QString &steps) const {
    Acceptance a;
    bool ok = false;
    const long double v = parseDecimal(steps, &ok);
    if (!ok) {
        a.steps = steps;
        a.message = invalidMessage();
        return a;
    }
    a.steps = speed::text(v);
    const long double shown = parseDecimal(a.steps, &ok);
    if (!speed::inRange(m_signed, shown, m_min, m_max)) {
        a.message = outOfRangeMessage();
        return a;
    }
    a.ok = true;
    return a;
}

QString SpeedEntry::deviceTextOf(long double stepsPerSecond) const {
    if (m_pulsDiv <= 0)
        return {};
    const DeviceValue device = deviceSpeed(stepsPerSecond, m_signed, m_pulsDiv, m_vmax);
    if (!device.fits)
        return QStringLiteral("poza zakresem sterownika");
    return QStringLiteral("≈ %1 kroków/s").arg(groupedValue(device.value));
}

QString SpeedEntry::deviceText(const QString &steps) const {
    bool ok = false;
    const long double v = parseDecimal(steps, &ok);
    return ok ? deviceTextOf(parseDecimal(speed::text(v), &ok)) : QString();
}

QString SpeedEntry::deviceTextFromRevolutions(const QString &revolutions) const {
    bool ok = false;
    const long double v = parseDecimal(revolutions, &ok);
    if (!ok || m_perRevolution == 0)
        return {};
    // As leaving the field will write it: two decimals, then converted into steps/s.
    const long double steps = parseDecimal(speed::text(v), &ok) * m_perRevolution;
    return deviceTextOf(parseDecimal(speed::text(steps), &ok));
}

} // namespace korven
