#include "ProgramFile.h"

#include "Cp1250.h"
#include "NonCommandLines.h"
#include "ProgramLine.h"
#include "SystemReason.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStringDecoder>

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

QString fileName(const QString &path) { return QFileInfo(path).fileName(); }

QString notARegularFile(const QString &path) {
    return QStringLiteral("„%1” nie jest zwykłym plikiem (to katalog, potok lub urządzenie).")
        .arg(fileName(path));
}

bool isBlank(const QString &line) { return line.trimmed().isEmpty(); }

// "1 linię", "2 linie", "5 linii"
QString linesCount(int n) {
    const int tens = n % 100, ones = n % 10;
    if (n == 1)
        return QStringLiteral("1 linię");
    if (ones >= 2 && ones <= 4 && (tens < 12 || tens > 14))
        return QStringLiteral("%1 linie").arg(n);
    return QStringLiteral("%1 linii").arg(n);
}

} // namespace

QString SaveProgramToFile(const QString &path, const QStringList &lines, int modelIndex,
                          int depthIndex, DiskFlush flush) {
    QString text = QStringLiteral("1.0\r\n%1\r\n%2\r\n").arg(modelIndex).arg(depthIndex);
    for (int i = 0; i < lines.size(); ++i) {
        bool mapped = true;
        encodeCp1250(lines[i], &mapped);
        if (!mapped) {
            return QStringLiteral("Nie zapisano pliku %1: linia %2 zawiera znak, którego nie "
                                  "można zapisać w kodzie Windows-1250.")
                .arg(fileName(path))
                .arg(i + 1);
        }
        text += lines[i] + QStringLiteral("\r\n");
    }
    const QByteArray bytes = encodeCp1250(text);

    const QFileInfo info(path);
    if (info.exists() && !info.isFile())
        return QStringLiteral("Nie zapisano: ") + notARegularFile(path);
    QSaveFile file(path);
    const auto failed = [&](const QString &reason) {
        file.cancelWriting();
        return QStringLiteral("Nie można zapisać pliku %1: %2").arg(fileName(path), reason);
    };
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        return failed(polishSystemReason(file.errorString()));
    // The old file is replaced only once the new content is on the disk.
    if (const QString reason = flush(file); !reason.isEmpty())
        return failed(polishSystemReason(reason) +
                      (info.exists()
                           ? QStringLiteral(". Poprzednia wersja pliku została zachowana.")
                           : QString()));
    if (!file.commit())
        return failed(polishSystemReason(file.errorString()));
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
    if (keep >= 2) {
        for (qsizetype i = keep; i < lines.size(); ++i)
            result.droppedAfterEnd += isBlank(lines[i]) ? 0 : 1;
        lines.resize(keep);
    } else {
        // Program lines without any "Koniec" are kept and ended, not thrown away: a save
        // over the file would destroy them.
        keep = lines.size();
        while (keep >= 2 && isBlank(lines[keep - 1]))
            --keep;
        lines.resize(keep);
        if (keep >= 2) {
            lines.append(formatLine(int(keep), commandName(Command::End)));
            result.endAdded = true;
        }
    }
    if (!lines.isEmpty())
        lines.removeFirst(); // depth
    result.lines = lines;
    result.firstNonCommand = firstNonCommandLine(lines);
    return result;
}

QString decodeProgramBytes(const QByteArray &bytes) {
    bool high = false;
    for (const char c : bytes)
        high = high || (static_cast<unsigned char>(c) & 0x80);
    if (high) {
        QStringDecoder utf8(QStringDecoder::Utf8);
        QString text = utf8(bytes); // an initial byte order mark is dropped
        if (!utf8.hasError())
            return text;
    }
    return decodeCp1250(bytes);
}

LoadedProgram parseProgramBytes(const QByteArray &bytes) {
    return parseProgramText(decodeProgramBytes(bytes));
}

QStringList loadNotices(const LoadedProgram &program) {
    QStringList notices;
    if (program.endAdded)
        notices.append(QStringLiteral("W pliku brakowało polecenia „Koniec”; zostało dodane na "
                                      "końcu programu."));
    if (program.droppedAfterEnd > 0)
        notices.append(QStringLiteral("Pominięto %1 po ostatnim poleceniu „Koniec”. Zapisanie "
                                      "programu w tym samym pliku usunie je z niego.")
                           .arg(linesCount(program.droppedAfterEnd)));
    if (program.firstNonCommand >= 0)
        notices.append(nonCommandText(program.lines, program.firstNonCommand) +
                       QStringLiteral(". Takiej linii nie da się wykonać: „Programuj” i "
                                      "„Weryfikuj” odmówią, dopóki jest w programie."));
    return notices;
}

LoadedProgram LoadProgramFromFile(const QString &path) {
    LoadedProgram result;
    // A named pipe or a device would block the read for ever.
    const QFileInfo info(path);
    if (info.exists() && !info.isFile()) {
        result.status = LoadedProgram::Status::NotAFile;
        result.message = QStringLiteral("Nie można otworzyć: ") + notARegularFile(path);
        return result;
    }
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
    return parseProgramBytes(bytes);
}

} // namespace korven
