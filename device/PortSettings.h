#pragma once

#include <QString>

namespace korven {

// The serial settings as "rs232.ini" keeps them, section "ComPort1".
struct PortSettings {
    enum class LineControl { Disable, Enable, Handshake };

    QString Port = defaultPortName();
    QString BaudRate = QStringLiteral("9600"); // one of the vocabulary, "Custom" included
    int CustomBaudRate = 9600;
    QString StopBits = QStringLiteral("1");
    QString DataBits = QStringLiteral("8");
    QString Parity = QStringLiteral("None");
    LineControl ControlDTR = LineControl::Disable;
    LineControl ControlRTS = LineControl::Disable;
    bool OutCTSFlow = false;
    bool OutDSRFlow = false;
    bool XonXoffIn = false;
    bool XonXoffOut = false;

    // The platform's first serial port: "COM1" on Windows, "ttyS0" elsewhere.
    static QString defaultPortName();

    // The line the device needs: 38400 bit/s, 8 data bits, no parity, 1 stop bit,
    // DTR and RTS held inactive. Only Port and the flow switches survive.
    void forceDeviceLine();

    // "Hardware", "Software", "None" or "Custom", summarising the flow switches.
    QString flowControl() const;
    void applyFlowControl(const QString &text);

    // Read each key with the current value as its default; unknown texts fall back.
    // False when the file cannot be read.
    bool load(const QString &iniPath);
    // Other sections and keys of the file survive. False when the file cannot be written.
    bool store(const QString &iniPath) const;
};

} // namespace korven
