#include "PortWorker.h"

#include "ComPort.h"
#include "ExchangeJob.h"
#include "PortReason.h"

namespace korven {

PortWorker::PortWorker(Command command, QStringList image, QString port)
    : m_command(command), m_image(std::move(image)) {
    m_result.port = std::move(port);
}

PortWorker::~PortWorker() = default;

void PortWorker::run() {
    m_clock.start();
    m_port = std::make_unique<ComPort>();
    m_port->settings.Port = m_result.port;
    m_port->settings.forceDeviceLine();
    DeviceHost host;
    host.banner = [this](const QString &text) {
        // The start of programming is no outcome.
        if (text != QLatin1String("Programowanie mikroindeksera"))
            m_lastBanner = text;
        emit banner(text);
    };
    host.openPort = [this] {
        // Said once: the retry does not repeat it.
        if (m_result.unopenable)
            return false;
        try {
            m_port->OpenPort();
            return true;
        } catch (const PortError &e) {
            m_result.unopenable = true;
            m_result.openError = e.message();
            m_result.reason = QStringLiteral("Nie mogę otworzyć portu (%1)")
                                  .arg(e.reason().text.isEmpty() ? e.message() : e.reason().text);
            return false;
        }
    };
    const bool programming = m_command == Command::Program;
    m_job = std::make_unique<ExchangeJob>(
        *m_port, host, programming ? ExchangeJob::program(m_image) : ExchangeJob::verify(m_image),
        programming ? QStringLiteral("Błąd przy programowaniu mikroindeksera")
                    : QStringLiteral("Weryfikacja - brak zgodności"));
    connect(m_job.get(), &DeviceJob::portError, this, [this](const QString &message) {
        m_result.portFailed = true;
        if (m_result.reason.isEmpty())
            m_result.reason = message;
    });
    connect(m_job.get(), &DeviceJob::finished, this, &PortWorker::exchangeEnded);
    m_job->start();
}

void PortWorker::exchangeEnded() {
    const Verdict &verdict = m_job->verdict();
    m_result.ok = verdict.ok;
    m_result.verdict = verdict.text;
    m_result.differences = verdict.differences;
    if (verdict.ok)
        m_result.reason.clear();
    else if (m_result.reason.isEmpty() && m_lastBanner != verdict.text)
        m_result.reason = m_lastBanner;
    m_result.milliseconds = m_clock.elapsed();
    m_port->ClosePort();
    emit finished();
}

} // namespace korven
