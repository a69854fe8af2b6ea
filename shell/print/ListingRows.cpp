#include "ListingRows.h"

#include <QTextBoundaryFinder>

namespace korven {
namespace {

QString withoutTrailingBlanks(QString text) {
    qsizetype end = text.size();
    while (end > 0 && text.at(end - 1).isSpace())
        --end;
    text.truncate(end);
    return text;
}

} // namespace

QStringList splitIntoRows(const QString &text, double firstWidth, double nextWidth,
                          const TextWidth &width) {
    if (text.isEmpty())
        return {text};
    QStringList rows;
    QTextBoundaryFinder breaks(QTextBoundaryFinder::Line, text);
    QTextBoundaryFinder characters(QTextBoundaryFinder::Grapheme, text);
    qsizetype start = 0;
    while (start < text.size()) {
        const double room = rows.isEmpty() ? firstWidth : nextWidth;
        const auto fits = [&](qsizetype end) {
            return width(withoutTrailingBlanks(text.mid(start, end - start))) <= room;
        };
        if (fits(text.size())) {
            rows.append(text.mid(start));
            break;
        }
        qsizetype end = -1;
        qsizetype nextBreak = text.size();
        breaks.setPosition(int(start));
        for (qsizetype at = breaks.toNextBoundary(); at > 0 && at < text.size();
             at = breaks.toNextBoundary()) {
            if (!fits(at)) {
                nextBreak = at;
                break;
            }
            end = at;
        }
        // A word too wide even for a row of its own is cut anyway: it fills this row.
        if (end >= 0 && width(withoutTrailingBlanks(text.mid(end, nextBreak - end))) > nextWidth)
            end = -1;
        if (end < 0) {
            characters.setPosition(int(start));
            end = characters.toNextBoundary();
            for (qsizetype at = characters.toNextBoundary(); at > 0 && fits(at);
                 at = characters.toNextBoundary())
                end = at;
        }
        rows.append(text.mid(start, end - start));
        start = end;
    }
    return rows;
}

} // namespace korven
