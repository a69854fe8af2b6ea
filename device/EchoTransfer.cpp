#include "EchoTransfer.h"

#include "ComPort.h"

#include <QElapsedTimer>

namespace korven {
namespace {

int digit(QChar c) {
    const char16_t u = c.toUpper().unicode();
    if (u >= '0' && u <= '9')
        return u - '0';
    if (u >= 'A' && u <= 'F')
        return u - 'A' + 10;
    return 0;
}

QString hexByte(int value) {
    return QStringLiteral("%1").arg(value, 2, 16, QLatin1Char('0')).toUpper();
}

} // namespace

int HexToInt(const QString &text) {
    const int high = text.size() > 0 ? digit(text[0]) : 0;
    const int low = text.size() > 1 ? digit(text[1]) : 0;
    return high * 16 + low;
}

QByteArray imageLineBytes(const QString &line) {
    QByteArray bytes;
    for (qsizetype p = 0; p + 1 < line.size(); p += 3)
        bytes.append(char(HexToInt(line.mid(p, 2))));
    return bytes;
}

QString ByteExchange::logLine() const {
    return QStringLiteral("Wysyłam -> %1 Odebrałem <- %2 Czas = %3")
        .arg(hexByte(sent), echo ? hexByte(*echo) : QStringLiteral("--"))
        .arg(milliseconds);
}

bool sendWithEcho(ComPort &port, const QString &line,
                  const std::function<void(const ByteExchange &)> &observe, SilenceWatch *silence) {
    port.setReadTotalConstant(500);
    bool allEqual = true;
    QElapsedTimer clock;
    for (const char b : imageLineBytes(line)) {
        if (silence && silence->deviceGone())
            return false;
        ByteExchange exchange;
        exchange.sent = quint8(b);
        clock.start();
        port.WriteText(QByteArray(1, b));
        const QByteArray echo = port.ReadText(1);
        exchange.milliseconds = clock.elapsed();
        if (!echo.isEmpty())
            exchange.echo = quint8(echo[0]);
        allEqual = allEqual && exchange.matches();
        if (silence)
            silence->record(exchange.echo.has_value());
        if (observe)
            observe(exchange);
    }
    return allEqual;
}

} // namespace korven
