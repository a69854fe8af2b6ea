#include "ListingPainter.h"

#include "ListingFont.h"

#include <QFileInfo>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPdfWriter>
#include <QSaveFile>

namespace korven {

bool paintListing(const QList<ListingPage> &pages, const QPageLayout &layout,
                  QPagedPaintDevice &device) {
    device.setPageLayout(layout);
    QPainter painter;
    if (!painter.begin(&device))
        return false;
    const double xUnit = device.logicalDpiX() / 25.4; // device pixels per millimetre
    const double yUnit = device.logicalDpiY() / 25.4;
    const QFont regular = ListingFont::font(false);
    const QFont bold = ListingFont::font(true);
    for (qsizetype i = 0; i < pages.size(); ++i) {
        if (i > 0)
            device.newPage();
        for (const ListingText &text : pages[i]) {
            painter.setFont(text.bold ? bold : regular);
            const QRectF box(text.box.x() * xUnit, text.box.y() * yUnit, text.box.width() * xUnit,
                             text.box.height() * yUnit);
            painter.drawText(box, int(text.alignment) | Qt::TextSingleLine, text.text);
        }
    }
    return painter.end();
}

QString saveListingPdf(const QList<ListingPage> &pages, const QPageLayout &layout,
                       const QString &path) {
    QSaveFile file(path);
    bool written = file.open(QIODevice::WriteOnly);
    if (written) {
        QPdfWriter writer(&file);
        writer.setCreator(QStringLiteral("KORVEN"));
        writer.setTitle(QStringLiteral("Program"));
        written = paintListing(pages, layout, writer);
    }
    if (!written || !file.commit())
        return QStringLiteral("Nie można zapisać pliku %1: %2")
            .arg(QFileInfo(path).fileName(), file.errorString());
    return {};
}

} // namespace korven
