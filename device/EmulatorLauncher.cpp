#include "EmulatorLauncher.h"

#include <QDir>
#include <QFileInfo>
#include <QProcess>

namespace korven {

EmulatorLauncher::EmulatorLauncher(QString programDir)
    : m_program(QDir(programDir).filePath(programName())) {}

EmulatorLauncher::~EmulatorLauncher() { stop(); }

QString EmulatorLauncher::programName() { return QStringLiteral("korven-emu"); }

bool EmulatorLauncher::available(const QString &programDir) {
#ifdef Q_OS_WIN
    Q_UNUSED(programDir);
    return false;
#else
    return QFileInfo(QDir(programDir).filePath(programName())).isExecutable();
#endif
}

bool EmulatorLauncher::running() const {
    return m_process && m_process->state() == QProcess::Running;
}

qint64 EmulatorLauncher::processId() const { return running() ? m_process->processId() : 0; }

QString EmulatorLauncher::start(int timeoutMs) {
    if (running() && !m_port.isEmpty())
        return m_port;
    stop();
    m_error.clear();
    m_process = std::make_unique<QProcess>();
    m_process->setProgram(m_program);
    // It ends when its input closes: with us, even when we crash.
    m_process->setArguments({QStringLiteral("--with-parent")});
    m_process->setProcessChannelMode(QProcess::SeparateChannels);
    m_process->start(QIODevice::ReadWrite);
    if (!m_process->waitForStarted(timeoutMs)) {
        m_error = m_process->errorString();
        stop();
        return {};
    }
    // The first line is the terminal's path.
    while (!m_process->canReadLine() && m_process->state() == QProcess::Running &&
           m_process->waitForReadyRead(timeoutMs)) {
    }
    const QString line = QString::fromLocal8Bit(m_process->readLine()).trimmed();
    if (line.isEmpty()) {
        const QString reason = QString::fromLocal8Bit(m_process->readAllStandardError()).trimmed();
        m_error = reason.isEmpty() ? QStringLiteral("brak odpowiedzi emulatora") : reason;
        stop();
        return {};
    }
    m_port = line;
    QObject::connect(m_process.get(), &QProcess::finished, m_process.get(), [this] {
        if (m_onEnded)
            m_onEnded();
    });
    return m_port;
}

void EmulatorLauncher::stop() {
    m_port.clear();
    if (!m_process)
        return;
    m_process->disconnect();
    if (m_process->state() != QProcess::NotRunning) {
        m_process->terminate();
        if (!m_process->waitForFinished(2000)) {
            m_process->kill();
            m_process->waitForFinished(2000);
        }
    }
    m_process.reset();
}

} // namespace korven
