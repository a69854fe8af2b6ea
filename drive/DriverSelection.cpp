#include "DriverSelection.h"

#include "DriverModelTable.h"
#include "Numbers.h"
#include "ProfileFile.h"

namespace korven {
namespace {
const QString kSection = QStringLiteral("Opcje");
const QString kModelKey = QStringLiteral("Sterownik");
const QString kDepthKey = QStringLiteral("GlPodzialu");
} // namespace

DriverSelection::DriverSelection() {
    setModelIndex(1);
    cbSterownikChange();
}

QStringList DriverSelection::modelNames() const {
    QStringList names;
    for (const DriverModel &m : driverModels())
        names.append(m.name);
    return names;
}

void DriverSelection::setModelIndex(int index) {
    m_model = (index >= 0 && index < driverModels().size()) ? index : -1;
}

void DriverSelection::setDepthIndex(int index) {
    m_depth = (index >= 0 && index < m_depths.size()) ? index : -1;
}

void DriverSelection::cbSterownikChange() {
    m_depths.clear();
    m_depth = -1;
    if (m_model < 0)
        return;
    const DriverModel &model = driverModels()[m_model];
    m_depths = model.depths;
    m_depth = 0;
    m_pulsDiv = model.pulsDiv;
    m_vmax = model.vmax;
    cbGlPodKrokChange();
}

void DriverSelection::cbGlPodKrokChange() {
    if (m_depth < 0)
        return;
    long double value = 0;
    if (depthValue(m_depths[m_depth], &value))
        m_glPodz = value;
}

void DriverSelection::applyIndexes(int modelIndex, int depthIndex) {
    setModelIndex(modelIndex);
    cbSterownikChange();
    setDepthIndex(depthIndex);
    cbGlPodKrokChange();
}

void DriverSelection::OdczytajUstawienia(const QString &iniPath) {
    ProfileFile ini;
    ini.load(iniPath);
    applyIndexes(ini.wholeIntValue(kSection, kModelKey, 0),
                 ini.wholeIntValue(kSection, kDepthKey, 0));
}

bool DriverSelection::ZapiszUstawienia(const QString &iniPath) const {
    ProfileFile ini;
    if (!ini.load(iniPath))
        return false;
    ini.setValue(kSection, kModelKey, QString::number(m_model));
    ini.setValue(kSection, kDepthKey, QString::number(m_depth));
    return ini.save(iniPath);
}

QString DriverSelection::modelText() const {
    return m_model >= 0 ? driverModels()[m_model].name : QString();
}

QString DriverSelection::depthText() const { return m_depth >= 0 ? m_depths[m_depth] : QString(); }

QString DriverSelection::statusText() const {
    return QStringLiteral("Sterownik: %1 Głębokość podziału mikrokrokowego: %2")
        .arg(modelText(), depthText());
}

DriveSettings DriverSelection::settings() const {
    return {m_model, m_depth, m_pulsDiv, m_vmax, m_glPodz};
}

QString DriverSelection::parameterText() const {
    return QStringLiteral("Vmax = %1\rGlPodz = %2\rPulsDiv = %3")
        .arg(m_vmax)
        .arg(formatFixed(m_glPodz, 2))
        .arg(m_pulsDiv);
}

} // namespace korven
