#pragma once

#include "DriveSettings.h"

#include <QString>
#include <QStringList>

namespace korven {

// The state behind the driver dialog: the selected model and depth and the values
// derived from them. Used shown (by the dialog) and hidden, as the calculator of the
// derived values from mi.ini or from a program file.
class DriverSelection {
public:
    // Selects "TRV10" as the dialog does on creation.
    DriverSelection();

    QStringList modelNames() const;
    const QStringList &depthEntries() const { return m_depths; }

    int modelIndex() const { return m_model; }
    int depthIndex() const { return m_depth; }
    // Selecting from code does not run the change handlers; -1 or out of range clears.
    void setModelIndex(int index);
    void setDepthIndex(int index);

    // Refills the depth list for the selected model, selects its first entry.
    void cbSterownikChange();
    // Takes GlPodz from the selected depth entry.
    void cbGlPodKrokChange();

    // Applies a stored pair as the loader and the settings reader do.
    void applyIndexes(int modelIndex, int depthIndex);
    void OdczytajUstawienia(const QString &iniPath);
    bool ZapiszUstawienia(const QString &iniPath) const;

    int PulsDiv() const { return m_pulsDiv; }
    int Vmax() const { return m_vmax; }
    long double GlPodz() const { return m_glPodz; }

    QString modelText() const;
    QString depthText() const;
    // "Sterownik: %s Głębokość podziału mikrokrokowego: %s"
    QString statusText() const;
    // The selection as the program's drive settings.
    DriveSettings settings() const;
    // "Vmax = %d\rGlPodz = %f\rPulsDiv = %d"
    QString parameterText() const;

private:
    int m_model = -1;
    int m_depth = -1;
    QStringList m_depths;
    int m_pulsDiv = 0;
    int m_vmax = 0;
    long double m_glPodz = 0;
};

} // namespace korven
