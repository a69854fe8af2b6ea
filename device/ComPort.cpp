#include "ComPort.h"

#include "DepthScope.h"
#include "SerialPlatform.h"

#include <QElapsedTimer>

namespace korven {
namespace {

QSerialPort::StopBits stopBits(const QString &text) {
    if (text == QLatin1String("1.5"))
        return QSerialPort::OneAndHalfStop;
    if (text == QLatin1String("2"))
        return QSerialPort::TwoStop;
    return QSerialPort::OneStop;
}

QSerialPort::Parity parity(const QString &text) {
    if (text == QLatin1String("Odd"))
        return QSerialPort::OddParity;
    if (text == QLatin1String("Even"))
        return QSerialPort::EvenParity;
    if (text == QLatin1String("Mark"))
        return QSerialPort::MarkParity;
    if (text == QLatin1String("Space"))
        return QSerialPort::SpaceParity;
    return QSerialPort::NoParity;
}

} // namespace

ComPort::ComPort(QObject *parent) : QObject(parent) {
    platform::prepareSerialEvents();
    connect(&m_port, &QSerialPort::errorOccurred, this, &ComPort::onError);
    connect(&m_port, &QSerialPort::readyRead, this, &ComPort::onReadyRead);
}

ComPort::~ComPort() { m_port.close(); }

void ComPort::noteFailure(bool portWasOpen) {
    m_lastReason = PortReason::of(m_port.error(), m_port.errorString(),
                                  platform::deviceNode(settings.Port), portWasOpen);
}

void ComPort::fail(const char *what) {
    if (m_lastReason.text.isEmpty())
        noteFailure(true);
    throw PortError(QStringLiteral("%1 (%2)").arg(QString::fromLatin1(what), m_lastReason.text),
                    m_lastReason);
}

void ComPort::OpenPort() {
    if (m_portFailed)
        closeFailedPort();
    if (m_port.isOpen())
        return;
    m_lastReason = {};
    m_port.setPortName(settings.Port);
    if (!m_port.open(QIODevice::ReadWrite)) {
        noteFailure(false);
        fail("Unable to open com port");
    }
    const int baud = settings.BaudRate == QLatin1String("Custom") ? settings.CustomBaudRate
                                                                  : settings.BaudRate.toInt();
    QSerialPort::FlowControl flow = QSerialPort::NoFlowControl;
    if (settings.OutCTSFlow)
        flow = QSerialPort::HardwareControl;
    else if (settings.XonXoffIn || settings.XonXoffOut)
        flow = QSerialPort::SoftwareControl;
    if (!m_port.setBaudRate(baud) ||
        !m_port.setDataBits(QSerialPort::DataBits(settings.DataBits.toInt())) ||
        !m_port.setParity(parity(settings.Parity)) ||
        !m_port.setStopBits(stopBits(settings.StopBits)) || !m_port.setFlowControl(flow)) {
        noteFailure(false);
        m_port.close();
        fail("SetCommState function failed");
    }
    // Lines a pseudo-terminal or a three-wire adapter does not have are no failure.
    m_port.setDataTerminalReady(settings.ControlDTR == PortSettings::LineControl::Enable);
    if (settings.ControlRTS != PortSettings::LineControl::Handshake)
        m_port.setRequestToSend(settings.ControlRTS == PortSettings::LineControl::Enable);
    platform::requestLowLatency(m_port.handle());
    m_port.clearError();
    m_lastReason = {};
}

void ComPort::ClosePort() {
    m_portFailed = false;
    if (m_port.isOpen())
        m_port.close();
}

void ComPort::onError(QSerialPort::SerialPortError error) {
    switch (error) {
    case QSerialPort::NoError:
    case QSerialPort::TimeoutError:
    case QSerialPort::UnsupportedOperationError:
    case QSerialPort::OpenError:
    case QSerialPort::DeviceNotFoundError:
    case QSerialPort::PermissionError: return;
    default: break;
    }
    if (!m_port.isOpen() || m_portFailed)
        return;
    // A vanished device: Qt reports the same failure over and over while the port
    // stays open, so the first report closes it. The next command opens it again.
    // Not here, though: Qt reports from inside its own handling of the port (a wait of an
    // exchange, its notifier), which closing would pull out from under it (on Windows the
    // notifier goes with the port). An exchange closes it when Qt's wait returns; else it
    // is closed from the event loop.
    noteFailure(true);
    m_portFailed = true;
    if (m_exchangeDepth > 0)
        return;
    QMetaObject::invokeMethod(
        this,
        [this] {
            if (!m_portFailed)
                return;
            closeFailedPort();
            emit portLost(QStringLiteral("ReadFile function failed (%1)").arg(m_lastReason.text));
        },
        Qt::QueuedConnection);
}

void ComPort::closeFailedPort() {
    m_portFailed = false;
    m_port.close();
}

void ComPort::onReadyRead() {
    if (!m_onRxChar || !m_port.isOpen())
        return;
    const int count = int(m_port.bytesAvailable());
    if (count <= 0)
        return;
    // The handler reads from inside Qt's handling of the completed read; a wait on the port
    // there would run that handling again beneath itself (on Windows it reuses the pending
    // read's buffers), so reads in the handler take only what Qt already holds.
    const DepthScope delivery(m_deliveryDepth);
    m_onRxChar(count);
}

void ComPort::redeliver() {
    if (!m_onRxChar || !m_port.isOpen())
        return;
    pullQueued();
    if (m_portFailed) {
        closeFailedPort();
        emit portLost(QStringLiteral("ReadFile function failed (%1)").arg(m_lastReason.text));
        return;
    }
    onReadyRead();
}

qint64 ComPort::WriteText(const QByteArray &bytes) {
    if (bytes.isEmpty())
        return 0;
    if (!m_port.isOpen())
        fail("WriteFile function failed");
    ++m_exchangeDepth;
    const qint64 written = m_port.write(bytes);
    const int timeout = 1000 + 100 * int(bytes.size());
    bool ok = written == bytes.size();
    // Hand the bytes to the system now; wait only for what it could not take at once.
    if (ok)
        m_port.flush();
    if (ok && m_port.bytesToWrite() > 0)
        ok = platform::waitForBytesWritten(m_port, timeout) ||
             m_port.error() == QSerialPort::NoError || m_port.error() == QSerialPort::TimeoutError;
    --m_exchangeDepth;
    if (m_portFailed)
        closeFailedPort();
    if (!ok || !m_port.isOpen())
        fail("WriteFile function failed");
    return written;
}

void ComPort::pullQueued() {
    // Bytes the system holds but the port object has not fetched yet.
    if (m_deliveryDepth > 0)
        return;
    ++m_exchangeDepth;
    if (!platform::waitForReadyRead(m_port, 0) && m_port.error() == QSerialPort::TimeoutError)
        m_port.clearError();
    --m_exchangeDepth;
}

QByteArray ComPort::ReadText(int count) {
    if (!m_port.isOpen())
        fail("ReadFile function failed");
    ++m_exchangeDepth;
    if (m_readTotalConstant <= 0) {
        pullQueued();
    } else {
        QElapsedTimer clock;
        clock.start();
        while (m_deliveryDepth == 0 && m_port.isOpen() && !m_portFailed &&
               m_port.bytesAvailable() < count) {
            const qint64 left = m_readTotalConstant - clock.elapsed();
            if (left <= 0)
                break;
            if (!platform::waitForReadyRead(m_port, int(left))) {
                // Failed, or the time is up (a wait of ours on Windows sets no error).
                if (m_port.error() != QSerialPort::TimeoutError)
                    break;
                m_port.clearError();
            }
        }
    }
    --m_exchangeDepth;
    if (m_portFailed)
        closeFailedPort();
    if (!m_port.isOpen())
        fail("ReadFile function failed");
    return m_port.read(count);
}

void ComPort::LoadPortSettings(const QString &iniPath) {
    if (!settings.load(iniPath))
        throw PortError(QStringLiteral("Failed to load settings"));
}

void ComPort::StorePortSettings(const QString &iniPath) const {
    if (!settings.store(iniPath))
        throw PortError(QStringLiteral("Failed to store settings"));
}

} // namespace korven
