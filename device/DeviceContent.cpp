#include "DeviceContent.h"

#include "EchoTransfer.h"

#include <QFileInfo>

namespace korven {

void DeviceContent::confirm(const QByteArray &image, const QString &fileName, const QTime &time) {
    m_state = State::Known;
    m_bytes = image;
    m_name = fileName.isEmpty() ? QStringLiteral("bez nazwy") : QFileInfo(fileName).fileName();
    m_time = time;
    m_differing.clear();
}

void DeviceContent::interrupted() {
    forget();
    m_state = State::Incomplete;
}

void DeviceContent::verifyFailed(const QByteArray &image, const QList<LineDifference> &differences,
                                 const QStringList &lines) {
    if (m_state == State::Known && m_bytes == image)
        forget();
    m_differing.clear();
    for (const LineDifference &difference : differences)
        m_differing.append(difference.line);
    m_differingFor = lines;
}

void DeviceContent::forget() {
    m_state = State::Unknown;
    m_bytes.clear();
    m_name.clear();
    m_time = QTime();
    m_differing.clear();
}

void DeviceContent::setPort(const QString &port) {
    if (m_portSet && port != m_port)
        forget();
    m_port = port;
    m_portSet = true;
}

void DeviceContent::followProgram(const QStringList &lines) {
    if (lines != m_differingFor)
        m_differing.clear();
}

QList<int> DeviceContent::differingLines() const { return m_differing; }

bool DeviceContent::holdsOtherThan(const QByteArray &current) const {
    switch (m_state) {
    case State::Unknown: return false;
    case State::Incomplete: return true;
    case State::Known: return current.isEmpty() || m_bytes != current;
    }
    return false;
}

QString DeviceContent::described() const {
    switch (m_state) {
    case State::Unknown: return QStringLiteral("nieznany");
    case State::Incomplete: return QStringLiteral("niepełny (programowanie przerwane)");
    case State::Known:
        return QStringLiteral("%1 (%2)").arg(m_name, m_time.toString(QStringLiteral("HH:mm")));
    }
    return {};
}

QString DeviceContent::statusText(const QByteArray &current) const {
    QString text = QStringLiteral("W mikroindekserze: ") + described();
    if (m_state == State::Known)
        text += holdsOtherThan(current) ? QStringLiteral(", inny niż bieżący")
                                        : QStringLiteral(", zgodny z bieżącym");
    if (!m_differing.isEmpty())
        text += QStringLiteral("; pierwsza różnica: linia %1").arg(m_differing.first() + 1);
    return text;
}

QString DeviceContent::runQuestion(const QByteArray &current) const {
    if (!holdsOtherThan(current))
        return {};
    const QString what =
        m_state == State::Known
            ? QStringLiteral("%1, %2").arg(m_name, m_time.toString(QStringLiteral("HH:mm")))
            : QStringLiteral("niepełny – programowanie przerwane");
    return QStringLiteral("Mikroindekser zawiera inny program (%1) niż bieżący. "
                          "Uruchomić mimo to ?")
        .arg(what);
}

QByteArray DeviceContent::bytesOf(const QStringList &image) {
    QByteArray bytes;
    for (const QString &line : image)
        bytes += imageLineBytes(line);
    return bytes;
}

} // namespace korven
