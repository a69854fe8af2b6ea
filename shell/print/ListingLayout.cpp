#include "ListingLayout.h"

#include "ListingRows.h"

#include <QRegularExpression>

namespace korven {
namespace {

// The template, in millimetres from the top left corner of the printable area.
constexpr double kBand = 6;
constexpr double kBoxHeight = 5;
constexpr double kTitleLeft = 75;
constexpr double kTitleWidth = 25;
constexpr double kRowLeft = 17.55;
constexpr double kRowMinWidth = 25;
constexpr double kFooterWidth = 20;

// "061: " of a program line: its continuation rows start under the text after it.
qsizetype numberPrefixLength(const QString &text) {
    static const QRegularExpression prefix(QStringLiteral("^\\s*\\d+:\\s+"));
    const QRegularExpressionMatch m = prefix.match(text);
    return m.hasMatch() ? m.capturedLength() : 0;
}

} // namespace

ListingLayout::ListingLayout(const QPageLayout &page)
    : m_width(page.paintRect(QPageLayout::Millimeter).width()),
      m_height(page.paintRect(QPageLayout::Millimeter).height()) {
    startPage();
}

void ListingLayout::startPage() {
    m_pages.append(ListingPage());
    m_y = 0;
    m_rowsOnPage = 0;
}

bool ListingLayout::rowsFit(qsizetype rows) const {
    return m_y + double(rows) * kBand <= m_height - kBand;
}

void ListingLayout::addTitle(const QString &text) {
    m_pages.last().append(
        {QRectF(kTitleLeft, m_y, kTitleWidth, kBoxHeight), text, true, Qt::AlignCenter});
    m_y += kBand;
}

void ListingLayout::addHeading(const QString &text) {
    const QStringList rows = text.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    for (const QString &row : rows)
        addRecord(row);
    if (!rows.isEmpty() && rowsFit(1))
        m_y += kBand;
}

void ListingLayout::addRecord(const QString &text) {
    const double room = m_width - kRowLeft;
    double indent = m_regular.width(text.left(numberPrefixLength(text)));
    if (indent > room / 2)
        indent = 0;
    const QStringList rows = splitIntoRows(text, room, room - indent,
                                           [this](const QString &t) { return m_regular.width(t); });
    // A record moves to the next page whole; only one longer than a page is split.
    if (m_rowsOnPage > 0 && !rowsFit(rows.size()))
        startPage();
    for (qsizetype i = 0; i < rows.size(); ++i) {
        if (m_rowsOnPage > 0 && !rowsFit(1))
            startPage();
        const double left = kRowLeft + (i == 0 ? 0 : indent);
        // The box widens to its text.
        const double width = qMax(kRowMinWidth, m_regular.width(rows[i]));
        m_pages.last().append({QRectF(left, m_y, width, kBoxHeight), rows[i]});
        m_y += kBand;
        ++m_rowsOnPage;
    }
}

QList<ListingPage> ListingLayout::finish(const std::function<QString(int page)> &footerText) {
    for (int i = 0; i < m_pages.size(); ++i)
        m_pages[i].append(
            {QRectF(m_width - kFooterWidth, m_height - kBand, kFooterWidth, kBoxHeight),
             footerText(i + 1), false, Qt::AlignRight | Qt::AlignVCenter});
    return m_pages;
}

} // namespace korven
