#pragma once

#include <QString>

namespace korven {

// The checks and conversions behind the speed dialog: a speed in steps/s and the same
// speed in revolutions/s, each within the range the driver allows.
class SpeedEntry {
public:
    SpeedEntry(bool isSigned, int pulsDiv, int vmax, long double glPodz);

    QString stepsRangeText() const;
    QString revolutionsRangeText() const;

    struct Result {
        QString steps;       // the steps field as it is to be shown
        QString revolutions; // the revolutions field as it is to be shown
        QString message;     // for a message box, empty when none
    };

    // Leaving a field: rewrites it with two decimals and fills the other one.
    // An empty field changes nothing.
    Result leaveSteps(const QString &steps, const QString &revolutions) const;
    Result leaveRevolutions(const QString &steps, const QString &revolutions) const;

    // Accepting: only the steps field is validated; ok means the dialog may close.
    struct Acceptance {
        bool ok = false;
        QString steps;
        QString message;
    };
    Acceptance accept(const QString &steps) const;

    // What the device will really run for the speed typed so far, as the user types:
    // "≈ 396,73 kroków/s" (the register value converted back); empty while the text is no
    // number.
    QString deviceText(const QString &steps) const;
    QString deviceTextFromRevolutions(const QString &revolutions) const;

    static QString outOfRangeMessage() { return QStringLiteral("Prędkość z poza zakresu !"); }
    static QString invalidMessage() { return QStringLiteral("Nieprawidłowa prędkość !"); }

private:
    Result leave(const QString &text, bool fromSteps, const QString &steps,
                 const QString &revolutions) const;

    QString deviceTextOf(long double stepsPerSecond) const;

    bool m_signed;
    int m_pulsDiv;
    int m_vmax;
    long double m_min;
    long double m_max;
    long double m_perRevolution;
};

} // namespace korven
