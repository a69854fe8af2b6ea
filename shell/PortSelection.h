#pragma once

#include <QString>

#include <functional>
#include <memory>

class QWidget;

namespace korven {

class ComPort;
class EmulatorLauncher;

// The port command behind "&Wybór portu szeregowego": the dialog, and korven-emu in the
// background when the user picks the emulator; it is stopped when another port is chosen
// or the program closes.
class PortSelection {
public:
    PortSelection(QWidget *parent, ComPort &port, QString programDir,
                  std::function<void(const QString &)> banner);
    ~PortSelection();

    // Shows the dialog; the port is left closed whatever the outcome. True when the user
    // chose a port (or the emulator) and the settings name it now.
    bool choose();
    bool emulatorInUse() const;
    // The emulator's process while it runs, else 0.
    qint64 emulatorProcessId() const;
    // Stops the emulator; the port then names what it named before the emulator, since
    // a pseudo-terminal of this run means nothing to the next one.
    void close();

private:
    bool useEmulator();
    // The emulator was the port in use and has ended on its own.
    bool emulatorEnded() const;

    QWidget *m_parent;
    ComPort &m_port;
    QString m_programDir;
    std::function<void(const QString &)> m_banner;
    std::unique_ptr<EmulatorLauncher> m_emulator;
    QString m_portBeforeEmulator;
};

} // namespace korven
