#include "PortSelection.h"

#include "ComPort.h"
#include "ComPortSettings.h"
#include "EmulatorLauncher.h"
#include "Messages.h"

#include <QApplication>

namespace korven {

PortSelection::PortSelection(QWidget *parent, ComPort &port, QString programDir,
                             std::function<void(const QString &)> banner)
    : m_parent(parent), m_port(port), m_programDir(std::move(programDir)),
      m_banner(std::move(banner)) {}

PortSelection::~PortSelection() = default;

bool PortSelection::emulatorInUse() const { return m_emulator && m_emulator->running(); }

qint64 PortSelection::emulatorProcessId() const { return m_emulator ? m_emulator->processId() : 0; }

bool PortSelection::emulatorEnded() const {
    return m_emulator && !m_emulator->port().isEmpty() && !m_emulator->running();
}

bool PortSelection::choose() {
    m_port.ClosePort();
    // An emulator that has ended is still the port in use: offered first, to start anew.
    const bool emulator = emulatorInUse() || emulatorEnded();
    TComSettingsFrm dialog(emulator ? m_portBeforeEmulator : m_port.settings.Port,
                           PortCatalog::present(), EmulatorLauncher::available(m_programDir),
                           emulator, m_port.settings, m_parent);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    const std::optional<PortChoice> choice = dialog.choice();
    if (!choice)
        return false;
    if (choice->emulator)
        return useEmulator();
    if (m_emulator)
        m_emulator->stop();
    if (emulator)
        m_banner(QString());
    m_port.settings.Port = choice->port;
    return true;
}

bool PortSelection::useEmulator() {
    if (emulatorInUse())
        return true;
    if (!m_emulator) {
        m_emulator = std::make_unique<EmulatorLauncher>(m_programDir);
        m_emulator->setOnEnded(
            [this] { m_banner(QStringLiteral("Emulator mikroindeksera zakończył pracę")); });
    }
    // An emulator that ended on its own leaves its terminal in the settings.
    if (m_emulator->port().isEmpty())
        m_portBeforeEmulator = m_port.settings.Port;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const QString port = m_emulator->start();
    QApplication::restoreOverrideCursor();
    if (port.isEmpty()) {
        ui::showMessage(m_parent, QStringLiteral("Nie można uruchomić emulatora mikroindeksera: %1")
                                      .arg(m_emulator->error()));
        return false;
    }
    m_port.settings.Port = port;
    m_banner(QStringLiteral("Emulator mikroindeksera w użyciu (bez urządzenia)"));
    return true;
}

void PortSelection::close() {
    if (!m_emulator)
        return;
    const bool wasRunning = !m_emulator->port().isEmpty();
    m_port.ClosePort();
    m_emulator->stop();
    if (wasRunning)
        m_port.settings.Port = m_portBeforeEmulator;
}

} // namespace korven
