#pragma once

#include "DialogBase.h"
#include "DriverSelection.h"

class QComboBox;

namespace korven {

// The driver dialog: model and microstep depth. OK stores the choice in mi.ini.
class TWybSterForm : public ui::DialogBase {
    Q_OBJECT
public:
    TWybSterForm(const QString &iniPath, QWidget *parent = nullptr);

    QComboBox *cbSterownik;
    QComboBox *cbGlPodKrok;

    // Reads mi.ini into the selection and shows it.
    void OdczytajUstawienia();
    // Shows a program's choice instead.
    void showIndexes(int modelIndex, int depthIndex);
    const DriverSelection &selection() const { return m_selection; }

protected:
    void bbtnOKClick() override;

private:
    void showSelection();
    void cbSterownikChange(int index);
    void cbGlPodKrokChange(int index);

    QString m_iniPath;
    DriverSelection m_selection;
    bool m_filling = false;
};

} // namespace korven
