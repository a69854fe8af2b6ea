#include "ListingReport.h"

#include "ListingLayout.h"
#include "ListingPainter.h"
#include "ListingPreview.h"

#include <QPrinter>
#include <QRegularExpression>

namespace korven {

ListingReport::ListingReport(StringDS &dataSet, ValueCallback getValue)
    : m_dataSet(dataSet), m_getValue(std::move(getValue)), m_pageLayout(templateLayout()) {}

QPageLayout ListingReport::templateLayout() {
    return QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(10, 10, 10, 10),
                       QPageLayout::Millimeter);
}

QString ListingReport::expand(const QString &text, int page) {
    static const QRegularExpression variable(QStringLiteral("\\[([^\\]]+)\\]"));
    QString result;
    qsizetype from = 0;
    auto it = variable.globalMatch(text);
    while (it.hasNext()) {
        const QRegularExpressionMatch m = it.next();
        result += text.mid(from, m.capturedStart() - from);
        QString value;
        if (m.captured(1) == QLatin1String("Page#"))
            value = QString::number(page);
        else
            m_getValue(m.captured(1), value);
        result += value;
        from = m.capturedEnd();
    }
    return result + text.mid(from);
}

QList<ListingPage> ListingReport::build(const QPageLayout &layout) {
    ListingLayout pages(layout);
    pages.addTitle(expand(QStringLiteral("[tytul_raportu]"), 1));
    pages.addHeading(expand(QStringLiteral("[naglowek]"), 1));
    for (m_dataSet.RecNo = 0; m_dataSet.RecNo < m_dataSet.RecordCount; ++m_dataSet.RecNo)
        pages.addRecord(expand(QStringLiteral("[element]"), 0));
    m_dataSet.RecNo = 0;
    return pages.finish([this](int page) { return expand(QStringLiteral("[Page#]"), page); });
}

int ListingReport::render(QPagedPaintDevice &device) {
    const QList<ListingPage> pages = build(m_pageLayout);
    paintListing(pages, m_pageLayout, device);
    return int(pages.size());
}

void ListingReport::preview(QWidget *parent) {
    QPrinter printer(QPrinter::HighResolution); // the system's default printer
    printer.setPageLayout(m_pageLayout);
    ListingPreview dialog(
        &printer, [this](const QPageLayout &layout) { return build(layout); }, m_lastPdfFile,
        parent);
    dialog.setWindowState(dialog.windowState() | Qt::WindowMaximized);
    dialog.exec();
    m_pageLayout = printer.pageLayout();
}

} // namespace korven
