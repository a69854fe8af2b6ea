#pragma once

#include "DialogBase.h"
#include "DriveSettings.h"
#include "SpeedEntry.h"

#include <memory>

class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;

namespace korven {

// The speed dialog: steps/s and revolutions/s, with the homing precision when asked.
class TedVForm : public ui::DialogBase {
    Q_OBJECT
public:
    explicit TedVForm(QWidget *parent = nullptr);

    QLineEdit *edIlKrokow;
    QLabel *lblZakresKrokow;
    QLineEdit *edIlObrotow;
    QLabel *lblZakresObrotow;
    // The speed the device will really run, as the user types.
    QLabel *lblWMikroindekserze;
    QComboBox *cbPredkoscPrec;

    // Must run before the dialog is shown.
    void Ustaw(bool isSigned, bool withPrecision, const DriveSettings &drive);

    void edIlKrokowExit();
    void edIlObrotowExit();

protected:
    void bbtnOKClick() override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void apply(const SpeedEntry::Result &r);

    std::unique_ptr<SpeedEntry> m_entry;
    QWidget *m_precision;
};

} // namespace korven
