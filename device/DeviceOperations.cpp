#include "DeviceOperations.h"

#include "ComPort.h"
#include "Compiler.h"
#include "Cp1250.h"
#include "DepthScope.h"

namespace korven {
namespace {

// Stale input from an earlier exchange goes before a command letter.
void drain(ComPort &port) {
    port.setReadTotalConstant(0);
    port.ReadText(255);
}

bool echoed(const QByteArray &answer, char letter) {
    return answer.size() == 1 && answer.toUpper()[0] == letter;
}

QString hexByte(quint8 value) {
    return QStringLiteral("%1").arg(value, 2, 16, QLatin1Char('0')).toUpper();
}

} // namespace

QString LineDifference::text() const {
    QStringList sent;
    QStringList answered;
    for (qsizetype i = 0; i < expected.size(); ++i) {
        sent.append(hexByte(quint8(expected[i])));
        const std::optional<quint8> answer = i < received.size() ? received[i] : std::nullopt;
        answered.append(answer ? hexByte(*answer) : QStringLiteral("--"));
    }
    return QStringLiteral("Linia %1: oczekiwano %2, odebrano %3")
        .arg(line + 1)
        .arg(sent.join(QLatin1Char(' ')), answered.join(QLatin1Char(' ')));
}

DeviceOperations::DeviceOperations(ComPort &port, DeviceHost host)
    : m_port(port), m_host(std::move(host)) {}

bool DeviceOperations::WyslijPolecenie(const QString &line) {
    m_lineExchanges.clear();
    if (!m_port.Connected() && !m_host.openPort())
        return false;
    if (m_exchangeDepth == 0)
        m_silence = SilenceWatch();
    if (m_host.transferStarted)
        m_host.transferStarted();
    const bool ok = sendWithEcho(
        m_port, line,
        [this](const ByteExchange &e) {
            m_lineExchanges.append(e);
            if (m_host.exchanged)
                m_host.exchanged(e);
            if (!e.matches() && m_host.mismatch)
                m_host.mismatch(e);
        },
        &m_silence);
    if (!ok)
        m_host.banner(QStringLiteral("Błędy w transmisji !"));
    return ok;
}

bool DeviceOperations::transferImage(const QStringList &image, char letter,
                                     const QString &lengthError, bool showStart) {
    DepthScope scope(m_exchangeDepth);
    DetachedHandler detached(m_port);
    m_refusal.clear();
    m_streamStarted = false;
    m_differences.clear();
    m_silence = SilenceWatch();
    const int length = ObliczDlProg(image);
    // The device holds 1000 bytes; a longer image is never sent, which also keeps
    // the length within its two bytes.
    if (length > kDeviceMemory) {
        m_refusal =
            QStringLiteral("Program nie mieści się w pamięci mikroindeksera (%1 z %2 bajtów)")
                .arg(length)
                .arg(kDeviceMemory);
        m_host.banner(m_refusal);
        return false;
    }
    if (!m_host.openPort())
        return false;
    if (showStart)
        m_host.banner(QStringLiteral("Programowanie mikroindeksera"));
    drain(m_port);
    // Told to stop while the line was emptied (events run there on some systems): the
    // transfer does not begin.
    if (m_stopRequested)
        return false;
    m_port.setReadTotalConstant(500);
    m_streamStarted = true;
    m_port.WriteText(QByteArray(1, letter));
    if (!echoed(m_port.ReadText(1), letter)) {
        m_host.banner(QStringLiteral("Mikroindekser nie odpowiada !"));
        return false;
    }
    QByteArray lengthBytes;
    lengthBytes.append(char(length >> 8)).append(char(length & 0xFF));
    m_port.WriteText(lengthBytes);
    if (m_port.ReadText(2) != lengthBytes) {
        m_host.banner(lengthError);
        return false;
    }
    bool ok = true;
    int sent = 0;
    for (int index = 0; index < image.size(); ++index) {
        const QString &line = image[index];
        const bool lineOk = WyslijPolecenie(line);
        ok = lineOk && ok;
        if (!lineOk)
            noteDifference(index, line);
        sent += int(imageLineBytes(line).size());
        if (m_host.progress)
            m_host.progress(sent, length);
        if (m_silence.deviceGone()) {
            m_host.banner(QStringLiteral("Mikroindekser nie odpowiada !"));
            return false;
        }
        if (m_host.processEvents)
            m_host.processEvents();
        // The device was told to stop: not one more image byte, and no closing "e"
        // to wait for.
        if (m_stopRequested)
            return false;
    }
    return m_port.ReadText(1) == QByteArray("e") && ok;
}

void DeviceOperations::noteDifference(int index, const QString &line) {
    LineDifference difference;
    difference.line = index;
    difference.expected = imageLineBytes(line);
    for (const ByteExchange &e : std::as_const(m_lineExchanges))
        difference.received.append(e.echo);
    m_differences.append(difference);
}

Verdict DeviceOperations::programAttempt(const QStringList &image) {
    const bool ok = Programuj(image);
    if (!m_refusal.isEmpty())
        return {false, m_refusal, {}};
    return {ok,
            ok ? QStringLiteral("Programowanie mikroindeksera zakończone pomyślnie")
               : QStringLiteral("Błąd przy programowaniu mikroindeksera"),
            {}};
}

Verdict DeviceOperations::verify(const QStringList &image) {
    const bool ok = Weryfikuj(image);
    if (!m_refusal.isEmpty())
        return {false, m_refusal, {}};
    return {ok,
            ok ? QStringLiteral("Weryfikacja OK") : QStringLiteral("Weryfikacja - brak zgodności"),
            m_differences};
}

bool DeviceOperations::Programuj(const QStringList &image) {
    if (m_exchangeDepth == 0)
        m_stopRequested = false;
    return transferImage(image, 'P', QStringLiteral("Błąd transmisji"), true);
}

bool DeviceOperations::Weryfikuj(const QStringList &image) {
    if (m_exchangeDepth == 0)
        m_stopRequested = false;
    return transferImage(image, 'W', QStringLiteral("Błąd 1020"), false);
}

bool DeviceOperations::run() {
    DetachedHandler detached(m_port);
    if (!m_host.openPort())
        return false;
    drain(m_port);
    m_port.setReadTotalConstant(1000);
    m_port.WriteText(QByteArrayLiteral("R"));
    const bool started = echoed(m_port.ReadText(1), 'R');
    m_host.banner(started ? QStringLiteral("Program uruchomiony")
                          : QStringLiteral("Mikroindekser nie odpowiada"));
    return started;
}

void DeviceOperations::linkTest() {
    DetachedHandler detached(m_port);
    if (!m_host.openPort())
        return;
    m_port.WriteText(QByteArrayLiteral("v"));
    m_port.setReadTotalConstant(500);
    const QString reply = decodeCp1250(m_port.ReadText(255));
    if (reply.contains(QLatin1String("Mikroindekser")))
        m_host.banner(QStringLiteral("Komunikacja OK ") + reply.mid(2, reply.size() - 4));
    else
        m_host.banner(QStringLiteral("Mikroindekser nie odpowiada"));
}

void DeviceOperations::reset() {
    if (m_host.openPort())
        m_port.WriteText(QByteArrayLiteral("t"));
    if (!m_host.pause)
        return;
    {
        // The device's "t" may come during the pause; it is shown once the pause is over.
        DetachedHandler detached(m_port);
        m_host.pause(2000);
    }
    m_port.redeliver();
}

void DeviceOperations::stop() {
    if (exchangeRunning())
        m_stopRequested = true;
    if (m_port.Connected() || m_host.openPort())
        m_port.WriteText(QByteArrayLiteral("s"));
}

StatusAction DeviceOperations::statusAction(const QByteArray &batch) {
    if (batch.isEmpty())
        return {};
    switch (QChar::toLower(char16_t(quint8(batch.back())))) {
    case 'r': return {QStringLiteral("Program uruchomiony"), false};
    case 'e': return {QStringLiteral("Wykonywanie programu zakończone pomyślnie"), true};
    case 's': return {QStringLiteral("Stop awaryjny"), true};
    case 't': return {QStringLiteral("Mikroindekser wystartował"), true};
    default: return {};
    }
}

} // namespace korven
