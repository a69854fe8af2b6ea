#include "ProgramFile.h"

#include "Cp1250.h"
#include "SystemReason.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace korven {
namespace {

std::optional<int> indexLine(const QString &line) {
    bool ok = false;
    const int value = line.trimmed().toInt(&ok);
    if (!ok)
        return std::nullopt;
    return value;
}

QStringList splitLines(const QString &text) {
    QStringList lines;
    qsizetype start = 0;
    const qsizetype n = text.size();
    for (qsizetype i = 0; i < n; ++i) {
        const QChar c = text[i];
        if (c != QLatin1Char('\r') && c != QLatin1Char('\n'))
            continue;
        lines.append(text.mid(start, i - start));
        if (c == QLatin1Char('\r') && i + 1 < n && text[i + 1] == QLatin1Char('\n'))
            ++i;
        start = i + 1;
    }
    if (start < n)
        lines.append(text.mid(start));
    return lines;
}

} // namespace

QString SaveProgramToFile(const QString &path, const QStringList &lines, int modelIndex,
                          int depthIndex) {
    QString text = QStringLiteral("1.0\r\n%1\r\n%2\r\n").arg(modelIndex).arg(depthIndex);
    for (const QString &line : lines)
        text += line + QStringLiteral("\r\n");
    const QByteArray bytes = encodeCp1250(text);

    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit()) {
        return QStringLiteral("Nie można zapisać pliku %1: %2")
            .arg(QFileInfo(path).fileName(), polishSystemReason(file.errorString()));
    }
    return {};
}

LoadedProgram parseProgramText(const QString &text) {
    LoadedProgram result;
    if (!text.startsWith(QLatin1String("1.0"))) {
        result.status = LoadedProgram::Status::WrongVersion;
        result.message = QStringLiteral("Niepoprawna wersja pliku !");
        return result;
    }
    QStringList lines = splitLines(text);
    lines.removeFirst(); // version
    if (!lines.isEmpty()) {
        result.modelIndex = indexLine(lines.first());
        lines.removeFirst();
    }
    if (!lines.isEmpty())
        result.depthIndex = indexLine(lines.first());
    // Drop what follows the last "Koniec"; the depth line (index 0) is not examined.
    qsizetype keep = lines.size();
    while (keep >= 2 && !lines[keep - 1].contains(QLatin1String("Koniec")))
        --keep;
    lines.resize(keep);
    if (!lines.isEmpty())
        lines.removeFirst(); // depth
    result.lines = lines;
    return result;
}

LoadedProgram LoadProgramFromFile(const QString &path) {
    LoadedProgram result;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        result.status = LoadedProgram::Status::ReadError;
        result.message =
            QStringLiteral("Nie można otworzyć pliku %1: %2")
                .arg(QFileInfo(path).fileName(), polishSystemReason(file.errorString()));
        return result;
    }
    const QByteArray bytes = file.read(kMaxProgramFileSize + 1);
    if (bytes.size() > kMaxProgramFileSize) {
        result.status = LoadedProgram::Status::TooLarge;
        result.message = QStringLiteral("Plik %1 jest za duży na program (ponad 1 MiB).")
                             .arg(QFileInfo(path).fileName());
        return result;
    }
    if (file.error() != QFileDevice::NoError) {
        result.status = LoadedProgram::Status::ReadError;
        result.message =
            QStringLiteral("Błąd odczytu pliku %1: %2")
                .arg(QFileInfo(path).fileName(), polishSystemReason(file.errorString()));
        return result;
    }
    return parseProgramText(decodeCp1250(bytes));
}

} // namespace korven
