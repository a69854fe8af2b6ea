#pragma once

#include "DialogBase.h"

#include <optional>

class QComboBox;

namespace korven {

// The port-selection dialog: the serial ports this machine has, and the current one.
class TComSettingsFrm : public ui::DialogBase {
    Q_OBJECT
public:
    TComSettingsFrm(const QString &currentPort, const QStringList &ports,
                    QWidget *parent = nullptr);

    QComboBox *Combo1;

    // The port chosen, or nothing when the dialog was cancelled or nothing was chosen.
    static std::optional<QString> choose(const QString &currentPort, QWidget *parent);
    // The names of the ports present, sorted without regard to case.
    static QStringList availablePorts();
};

} // namespace korven
