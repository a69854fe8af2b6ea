#pragma once

#include <QProcess>
#include <QString>
#include <QStringList>

// korven-emu started for one test: its pseudo-terminal path is the port to open.
class EmulatorProcess {
public:
    explicit EmulatorProcess(const QStringList &faults = {}) {
        m_process.setProgram(QStringLiteral(KORVEN_EMU));
        m_process.setArguments(faults);
        m_process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        m_process.start();
        if (m_process.waitForReadyRead(10000))
            m_path = QString::fromLocal8Bit(m_process.readLine()).trimmed();
    }
    ~EmulatorProcess() {
        m_process.kill();
        m_process.waitForFinished(5000);
    }
    const QString &path() const { return m_path; }
    QProcess &process() { return m_process; }

private:
    QProcess m_process;
    QString m_path;
};
