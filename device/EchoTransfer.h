#pragma once

#include <QByteArray>
#include <QString>

#include <functional>
#include <optional>

namespace korven {

class ComPort;

// The value of a two-character hexadecimal text: other characters count as 0,
// only the first two characters count.
int HexToInt(const QString &text);

// The bytes of one program image line: a pair at every third position, whatever
// separates them; a last character without its partner is dropped.
QByteArray imageLineBytes(const QString &line);

// One byte sent and what came back within the read time-out.
struct ByteExchange {
    quint8 sent = 0;
    std::optional<quint8> echo; // nothing within the time-out
    qint64 milliseconds = 0;
    bool matches() const { return echo && *echo == sent; }
    // "Wysyłam -> 04 Odebrałem <- 04 Czas = 1"; a missing echo shows "--".
    QString logLine() const;
};

// Image bytes in a row that got no answer at all. A wrong echo is a transfer error of
// its line; silence three times over (about 1.5 s) means the device is gone, and the
// stream is given up rather than spending half a second on every byte left.
class SilenceWatch {
public:
    static constexpr int kGiveUpAfter = 3;
    void record(bool answered) { m_inRow = answered ? 0 : m_inRow + 1; }
    bool deviceGone() const { return m_inRow >= kGiveUpAfter; }

private:
    int m_inRow = 0;
};

// Sends one image line byte by byte, each checked against its echo (500 ms read
// time-out). A wrong or missing echo does not stop the line; a silence watch, when
// given, stops it once the device is gone. The port must be open.
// observe, when set, sees every exchange (the test-mode log).
bool sendWithEcho(ComPort &port, const QString &line,
                  const std::function<void(const ByteExchange &)> &observe = {},
                  SilenceWatch *silence = nullptr);

} // namespace korven
