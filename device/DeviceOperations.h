#pragma once

#include "EchoTransfer.h"

#include <QList>
#include <QStringList>

#include <functional>
#include <optional>

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

// A program line whose image bytes the device answered differently: what was sent and
// what came back (nothing for a byte without answer).
struct LineDifference {
    int line = 0; // 0-based, as the program list counts
    QByteArray expected;
    QList<std::optional<quint8>> received;
    // "Linia 12: oczekiwano 07 00 0A, odebrano 07 00 0B"; a missing answer is "--".
    QString text() const;
};

// The final word of a program or verify command, for the banner; a verify also says
// where the device differs.
struct Verdict {
    bool ok = false;
    QString text;
    QList<LineDifference> differences;
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
    // One attempt of the program command and the verdict it leaves; the command's one
    // retry belongs to its job (ExchangeJob), which lets the line calm down first.
    Verdict programAttempt(const QStringList &image);
    // Whether a failed attempt is worth another: not after STOP, and not when nothing on
    // the wire could change the outcome (a refusal stays the verdict).
    bool worthRetrying() const { return !m_stopRequested && m_refusal.isEmpty(); }
    // The verify command, once, with the lines the device answered differently.
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
    // Whether the last program or verify exchange sent its command letter: from then on
    // a failed programming leaves the device with part of a program.
    bool streamStarted() const { return m_streamStarted; }
    // The lines of the last program or verify exchange that the device answered wrongly.
    const QList<LineDifference> &differences() const { return m_differences; }

    // The meaning of a batch of status characters: only the last one counts.
    static StatusAction statusAction(const QByteArray &batch);

private:
    bool transferImage(const QStringList &image, char letter, const QString &lengthError,
                       bool showStart);
    // The line just sent came back wrong: what it sent and what came back.
    void noteDifference(int index, const QString &line);

    ComPort &m_port;
    DeviceHost m_host;
    int m_exchangeDepth = 0;
    bool m_stopRequested = false;
    bool m_streamStarted = false;
    QString m_refusal;
    SilenceWatch m_silence;
    QList<ByteExchange> m_lineExchanges;
    QList<LineDifference> m_differences;
};

} // namespace korven
