#pragma once

#include <QList>
#include <QProcess>
#include <QRegularExpression>
#include <QSizeF>
#include <QStandardPaths>
#include <QString>
#include <QStringList>

#include "WineHost.h"

// Reads a PDF back through poppler-utils (pdftotext, pdffonts, pdfinfo); under Wine the
// Linux ones.
namespace pdf {

constexpr double kPointsPerMillimetre = 72 / 25.4;

inline bool toolsInstalled() {
    if (runningUnderWine())
        return runHostCommand({QStringLiteral("sh"), QStringLiteral("-c"),
                               QStringLiteral("command -v pdftotext && command -v pdffonts && "
                                              "command -v pdfinfo")})
                   .exitCode == 0;
    for (const char *tool : {"pdftotext", "pdffonts", "pdfinfo"})
        if (QStandardPaths::findExecutable(QString::fromLatin1(tool)).isEmpty())
            return false;
    return true;
}

// The tool's output for the PDF file at path.
inline QString run(const QString &tool, QStringList arguments, const QString &path) {
    if (runningUnderWine()) {
        arguments.replaceInStrings(QStringLiteral("{}"), hostPath(path));
        return QString::fromUtf8(runHostCommand(QStringList{tool} + arguments).output);
    }
    arguments.replaceInStrings(QStringLiteral("{}"), path);
    QProcess process;
    process.start(tool, arguments);
    if (!process.waitForFinished(30000))
        process.kill();
    return QString::fromUtf8(process.readAllStandardOutput());
}

// The text of each page, laid out as on paper.
inline QStringList pages(const QString &path) {
    return run(QStringLiteral("pdftotext"),
               {QStringLiteral("-layout"), QStringLiteral("{}"), QStringLiteral("-")}, path)
        .split(QLatin1Char('\f'), Qt::SkipEmptyParts);
}

// The non-blank lines of a page, without their leading and trailing blanks.
inline QStringList lines(const QString &page) {
    QStringList result;
    for (const QString &line : page.split(QLatin1Char('\n')))
        if (!line.trimmed().isEmpty())
            result.append(line.trimmed());
    return result;
}

// A word and its box in points from the top left corner of its page (1-based).
struct Word {
    int page;
    double xMin, yMin, xMax, yMax;
    QString text;
};

inline QList<Word> words(const QString &path) {
    static const QRegularExpression pageTag(QStringLiteral("<page "));
    static const QRegularExpression wordTag(
        QStringLiteral("<word xMin=\"([\\d.]+)\" yMin=\"([\\d.]+)\" xMax=\"([\\d.]+)\" "
                       "yMax=\"([\\d.]+)\">([^<]*)</word>"));
    QList<Word> result;
    int page = 0;
    for (const QString &line :
         run(QStringLiteral("pdftotext"),
             {QStringLiteral("-bbox"), QStringLiteral("{}"), QStringLiteral("-")}, path)
             .split(QLatin1Char('\n'))) {
        if (line.contains(pageTag))
            ++page;
        const QRegularExpressionMatch m = wordTag.match(line);
        if (m.hasMatch())
            result.append({page, m.captured(1).toDouble(), m.captured(2).toDouble(),
                           m.captured(3).toDouble(), m.captured(4).toDouble(),
                           m.captured(5)
                               .replace(QLatin1String("&lt;"), QLatin1String("<"))
                               .replace(QLatin1String("&gt;"), QLatin1String(">"))
                               .replace(QLatin1String("&quot;"), QLatin1String("\""))
                               .replace(QLatin1String("&amp;"), QLatin1String("&"))});
    }
    return result;
}

// The names of the fonts the file uses, without their subset prefix.
inline QStringList fonts(const QString &path) {
    QStringList names;
    const QStringList rows =
        run(QStringLiteral("pdffonts"), {QStringLiteral("{}")}, path).split(QLatin1Char('\n'));
    for (qsizetype i = 2; i < rows.size(); ++i) {
        const QString name = rows[i].section(QLatin1Char(' '), 0, 0);
        if (!name.isEmpty())
            names.append(name.section(QLatin1Char('+'), -1));
    }
    return names;
}

// Page count and the size of the first page in points.
inline int pageCount(const QString &path) {
    static const QRegularExpression count(QStringLiteral("Pages:\\s+(\\d+)"));
    return count.match(run(QStringLiteral("pdfinfo"), {QStringLiteral("{}")}, path))
        .captured(1)
        .toInt();
}
inline QSizeF pageSize(const QString &path) {
    static const QRegularExpression size(QStringLiteral("Page size:\\s+([\\d.]+) x ([\\d.]+)"));
    const QRegularExpressionMatch m =
        size.match(run(QStringLiteral("pdfinfo"), {QStringLiteral("{}")}, path));
    return QSizeF(m.captured(1).toDouble(), m.captured(2).toDouble());
}

} // namespace pdf
