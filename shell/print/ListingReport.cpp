#include "ListingReport.h"

#include <QFontMetricsF>
#include <QPageLayout>
#include <QPainter>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QRegularExpression>

namespace korven {
namespace {

// The template, in millimetres from the top left corner of the printable area.
constexpr double kPrintableWidth = 190;
constexpr double kPrintableHeight = 277;
constexpr double kBand = 6;
constexpr double kBoxHeight = 5;
constexpr double kTitleLeft = 75;
constexpr double kTitleWidth = 25;
constexpr double kRowLeft = 17.55;
constexpr double kRowMinWidth = 25;
constexpr double kFooterWidth = 20;

QPageLayout listingLayout() {
    return QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(10, 10, 10, 10),
                       QPageLayout::Millimeter);
}

QFont reportFont(bool bold) {
    QFont font(QStringLiteral("Arial"), 10);
    font.setStyleHint(QFont::SansSerif);
    font.setBold(bold);
    return font;
}

} // namespace

ListingReport::ListingReport(StringDS &dataSet, ValueCallback getValue)
    : m_dataSet(dataSet), m_getValue(std::move(getValue)) {}

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

void ListingReport::setUpPrinter(QPrinter &printer) { printer.setPageLayout(listingLayout()); }

int ListingReport::render(QPagedPaintDevice &device) {
    device.setPageLayout(listingLayout());
    QPainter painter(&device);
    const double unit = device.logicalDpiY() / 25.4; // device pixels per millimetre
    const auto box = [unit](double left, double top, double width) {
        return QRectF(left * unit, top * unit, width * unit, kBoxHeight * unit);
    };
    int page = 1;
    double y = 0;
    const auto footer = [&] {
        painter.setFont(reportFont(false));
        painter.drawText(
            box(kPrintableWidth - kFooterWidth, kPrintableHeight - kBand, kFooterWidth),
            Qt::AlignRight | Qt::AlignVCenter, expand(QStringLiteral("[Page#]"), page));
    };
    // Title band: first page only.
    painter.setFont(reportFont(true));
    painter.drawText(box(kTitleLeft, y, kTitleWidth), Qt::AlignCenter,
                     expand(QStringLiteral("[tytul_raportu]"), page));
    y += kBand;
    painter.setFont(reportFont(false));
    const QFontMetricsF metrics(reportFont(false), &device);
    for (m_dataSet.RecNo = 0; m_dataSet.RecNo < m_dataSet.RecordCount; ++m_dataSet.RecNo) {
        if (y + kBand > kPrintableHeight - kBand) {
            footer();
            device.newPage();
            ++page;
            y = 0;
            painter.setFont(reportFont(false));
        }
        const QString text = expand(QStringLiteral("[element]"), page);
        // The box widens to its text instead of cutting it.
        const double width = qMax(kRowMinWidth, metrics.horizontalAdvance(text) / unit + 1);
        painter.drawText(box(kRowLeft, y, width), Qt::AlignLeft | Qt::AlignVCenter, text);
        y += kBand;
    }
    footer();
    m_dataSet.RecNo = 0;
    return page;
}

void ListingReport::preview(QWidget *parent) {
    QPrinter printer(QPrinter::HighResolution);
    setUpPrinter(printer);
    QPrintPreviewDialog dialog(&printer, parent);
    QObject::connect(&dialog, &QPrintPreviewDialog::paintRequested, &dialog,
                     [this](QPrinter *target) { render(*target); });
    dialog.setWindowState(dialog.windowState() | Qt::WindowMaximized);
    if (auto *view = dialog.findChild<QPrintPreviewWidget *>()) {
        view->setZoomMode(QPrintPreviewWidget::CustomZoom);
        view->setZoomFactor(1.0);
    }
    dialog.exec();
}

} // namespace korven
