#pragma once

#include "DialogBase.h"
#include "PortCatalog.h"
#include "PortSettings.h"

#include <optional>

class QComboBox;
class QLabel;
class QPushButton;

namespace korven {

// What the port dialog's OK chose.
struct PortChoice {
    QString port;          // the port's name; empty for the emulator
    bool emulator = false; // korven-emu in the background
};

// The port-selection dialog: the serial ports this machine has with what the system knows
// of them, the current one sorted in, the emulator where there is one, and a search for the
// port the mikroindekser answers on.
class TComSettingsFrm : public ui::DialogBase {
    Q_OBJECT
public:
    // line: the serial settings the search uses; emulatorCurrent: the emulator is in use or
    // was until it ended (it is then the entry pre-selected, currentPort the port used
    // before it). A current port the system no longer has is not pre-selected.
    TComSettingsFrm(const QString &currentPort, const QList<PortEntry> &ports, bool offerEmulator,
                    bool emulatorCurrent, const PortSettings &line, QWidget *parent = nullptr);

    QComboBox *Combo1;
    QPushButton *bbtnSzukaj;
    QLabel *lblWynik;

    static QString emulatorText() {
        return QStringLiteral("Emulator mikroindeksera (bez urządzenia)");
    }
    // The entry chosen now; nothing when none is.
    std::optional<PortChoice> choice() const;
    // "Szukaj mikroindeksera": the link test on each listed port in turn.
    void bbtnSzukajClick();

    void fitToCaption() override;

private:
    QStringList searchablePorts() const;

    PortSettings m_line;
};

} // namespace korven
