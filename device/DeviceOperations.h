#pragma once

#include "EchoTransfer.h"

#include <QStringList>

#include <functional>

namespace korven {

class ComPort;

// What the device operations need from the front end that runs them.
struct DeviceHost {
    std::function<void(const QString &)> banner;
    // Opens the port when it is closed, tells the user when that fails; true when open.
    std::function<bool()> openPort;
    // Lets pending user input run between image lines (the STOP key).
    std::function<void()> processEvents;
    // Test mode: a line transfer starts, and every byte exchange of it.
    std::function<void()> transferStarted;
    std::function<void(const ByteExchange &)> exchanged;
    // Test mode: a wrong or missing echo, shown before the transfer goes on.
    std::function<void(const ByteExchange &)> mismatch;
    // Program and verify: bytes of the image sent so far, of the total.
    std::function<void(int done, int total)> progress;
    // The pause after a reset.
    std::function<void(int milliseconds)> pause;
};

// What a status character from the device means for the window.
struct StatusAction {
    QString banner;              // empty: nothing to show
    bool enableControls = false; // the device is idle again
};

// The final word of a program or verify command, for the banner.
struct Verdict {
    bool ok = false;
    QString text;
};

// The device commands: program, verify, run, link test, reset, stop. Each is one short
// exchange over the port with the receive handler detached; port failures throw PortError.
class DeviceOperations {
public:
    DeviceOperations(ComPort &port, DeviceHost host);

    // Sends one image line with echo checks; "Błędy w transmisji !" on any mismatch.
    bool WyslijPolecenie(const QString &line);
    bool Programuj(const QStringList &image);
    bool Weryfikuj(const QStringList &image);
    // The program and verify commands: Programuj with its one retry, Weryfikuj once.
    // A refusal before anything was sent is not retried and stays the verdict.
    Verdict program(const QStringList &image);
    Verdict verify(const QStringList &image);
    // Asks the device to run its program; true when it answered.
    bool run();
    void linkTest();
    void reset();
    // Sends the emergency stop at once, also in the middle of an exchange.
    void stop();

    // Whether a program or verify exchange is under way (the STOP key may interrupt it).
    bool exchangeRunning() const { return m_exchangeDepth > 0; }
    // Whether STOP was pressed during the exchange that is running or just ended.
    bool stopRequested() const { return m_stopRequested; }
    // Why the last program or verify exchange sent nothing (an image too long for the
    // device); empty when it went on the wire.
    const QString &refusal() const { return m_refusal; }

    // The meaning of a batch of status characters: only the last one counts.
    static StatusAction statusAction(const QByteArray &batch);

private:
    bool transferImage(const QStringList &image, char letter, const QString &lengthError,
                       bool showStart);

    ComPort &m_port;
    DeviceHost m_host;
    int m_exchangeDepth = 0;
    bool m_stopRequested = false;
    QString m_refusal;
    SilenceWatch m_silence;
};

} // namespace korven
