#include "IntelHex.h"

#include "SystemReason.h"

#include <QFile>
#include <QFileInfo>
#include <QList>

#include <cctype>

namespace korven {
namespace {

IntelHexCheck failed(const QString &error) {
    IntelHexCheck check;
    check.error = error;
    return check;
}

// A firmware image for an ATmega is tens of kilobytes of text; this is plenty.
constexpr qint64 kLargestFile = 8 * 1024 * 1024;

} // namespace

IntelHexCheck IntelHexCheck::ofFile(const QString &path, qint64 memoryBytes) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return failed(QStringLiteral("nie można otworzyć pliku %1: %2")
                          .arg(QFileInfo(path).fileName(), polishSystemReason(file.errorString())));
    const QByteArray text = file.read(kLargestFile + 1);
    if (text.size() > kLargestFile)
        return failed(QStringLiteral("plik jest za duży na obraz pamięci"));
    return ofText(text, memoryBytes);
}

IntelHexCheck IntelHexCheck::ofText(const QByteArray &text, qint64 memoryBytes) {
    IntelHexCheck check;
    qint64 base = 0;
    bool endRecord = false;
    const QList<QByteArray> lines = text.split('\n');
    for (qsizetype n = 0; n < lines.size() && !endRecord; ++n) {
        const QByteArray line = lines[n].trimmed();
        if (line.isEmpty())
            continue;
        const QString where = QStringLiteral("linia %1: ").arg(n + 1);
        // ":" count(1) address(2) type(1) data(count) checksum(1), all as hex digits.
        bool hex = line.startsWith(':') && line.size() >= 11 && (line.size() - 1) % 2 == 0;
        const QByteArray bytes = hex ? QByteArray::fromHex(line.mid(1)) : QByteArray();
        for (qsizetype i = 1; hex && i < line.size(); ++i)
            hex = std::isxdigit(quint8(line[i]));
        if (!hex || bytes.size() != quint8(bytes[0]) + 5)
            return failed(where + QStringLiteral("to nie jest zapis Intel HEX"));
        quint8 sum = 0;
        for (const char b : bytes)
            sum = quint8(sum + quint8(b));
        if (sum != 0)
            return failed(where + QStringLiteral("błędna suma kontrolna"));
        const int count = quint8(bytes[0]);
        const int address = quint8(bytes[1]) * 256 + quint8(bytes[2]);
        const auto word = [&] { return quint8(bytes[4]) * 256 + quint8(bytes[5]); };
        switch (quint8(bytes[3])) {
        case 0x00: {
            const qint64 end = base + address + count;
            if (end > memoryBytes)
                return failed(where +
                              QStringLiteral("dane sięgają adresu %1, a pamięć ma %2 bajtów")
                                  .arg(end)
                                  .arg(memoryBytes));
            check.dataBytes += count;
            check.end = qMax(check.end, end);
            break;
        }
        case 0x01: endRecord = true; break;
        case 0x02:
            if (count != 2)
                return failed(where + QStringLiteral("to nie jest zapis Intel HEX"));
            base = qint64(word()) * 16;
            break;
        case 0x04:
            if (count != 2)
                return failed(where + QStringLiteral("to nie jest zapis Intel HEX"));
            base = qint64(word()) << 16;
            break;
        case 0x03:
        case 0x05: break; // start addresses: nothing to write
        default: return failed(where + QStringLiteral("nieznany typ zapisu Intel HEX"));
        }
    }
    // A file cut short would program half a firmware.
    if (!endRecord)
        return failed(QStringLiteral("brak zapisu końca pliku (plik niepełny?)"));
    if (check.dataBytes == 0)
        return failed(QStringLiteral("plik nie zawiera danych"));
    check.ok = true;
    return check;
}

} // namespace korven
