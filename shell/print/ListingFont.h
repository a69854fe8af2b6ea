#pragma once

#include <QFont>
#include <QFontMetricsF>
#include <QImage>
#include <QString>

namespace korven {

// The listing's font, Arial 10 pt, and its text widths in millimetres. Where Arial is
// not installed, Liberation Sans takes its place: it has Arial's metrics, so the listing
// keeps its proportions.
class ListingFont {
public:
    explicit ListingFont(bool bold);

    static QString family();
    static QFont font(bool bold);

    // Measured at a fixed fine resolution, so that every device gets the same layout.
    double width(const QString &text) const;

private:
    QImage m_reference;
    QFontMetricsF m_metrics;
};

} // namespace korven
