#pragma once

#include "PortError.h"
#include "PortSettings.h"

#include <QObject>
#include <QSerialPort>

#include <functional>

namespace korven {

// The serial port as the program uses it: forced line settings, whole writes, reads
// bounded by one total time-out, and a receive notification on the UI thread that
// consumes nothing. Failures throw PortError.
class ComPort : public QObject {
    Q_OBJECT
public:
    explicit ComPort(QObject *parent = nullptr);
    ~ComPort() override;

    PortSettings settings;

    bool Connected() const { return m_port.isOpen(); }
    // No effect when open; otherwise opens Port exclusively with the settings.
    void OpenPort();
    void ClosePort();

    // All bytes at once; returns the count written.
    qint64 WriteText(const QByteArray &bytes);
    // Up to count bytes: with a read time-out of 0 those already queued, otherwise
    // as soon as count bytes are there or when the time-out has run out.
    QByteArray ReadText(int count);

    int ReadTotalConstant() const { return m_readTotalConstant; }
    void setReadTotalConstant(int milliseconds) { m_readTotalConstant = milliseconds; }

    // The receive handler slot: called with the number of queued bytes when bytes
    // arrive while it holds a handler; an empty slot drops the notification.
    using RxHandler = std::function<void(int count)>;
    void setOnRxChar(RxHandler handler) { m_onRxChar = std::move(handler); }
    const RxHandler &onRxChar() const { return m_onRxChar; }
    // Hands bytes that arrived while the slot was empty to the handler now.
    void redeliver();

    // Throw "Failed to load settings" / "Failed to store settings".
    void LoadPortSettings(const QString &iniPath);
    void StorePortSettings(const QString &iniPath) const;

signals:
    // The port failed while no exchange was reading it (a vanished adapter) and was closed.
    void portLost(const QString &message);

private:
    void onError(QSerialPort::SerialPortError error);
    void onReadyRead();
    [[noreturn]] void fail(const char *what);
    void noteFailure(bool portWasOpen);
    void pullQueued();
    void closeFailedPort();

    QSerialPort m_port;
    int m_readTotalConstant = 0;
    RxHandler m_onRxChar;
    PortReason m_lastReason;
    int m_exchangeDepth = 0;
    int m_deliveryDepth = 0;   // inside Qt's announcement of arrived bytes
    bool m_portFailed = false; // reported failed, to be closed
};

// Empties the receive handler slot for the life of an exchange and puts the handler
// back on every way out.
class DetachedHandler {
public:
    explicit DetachedHandler(ComPort &port) : m_port(port), m_saved(port.onRxChar()) {
        port.setOnRxChar({});
    }
    ~DetachedHandler() { m_port.setOnRxChar(m_saved); }
    DetachedHandler(const DetachedHandler &) = delete;
    DetachedHandler &operator=(const DetachedHandler &) = delete;

private:
    ComPort &m_port;
    ComPort::RxHandler m_saved;
};

} // namespace korven
