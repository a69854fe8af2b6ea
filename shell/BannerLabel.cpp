#include "BannerLabel.h"

#include <QFontMetricsF>
#include <QPainter>

#include <cmath>

namespace korven {
namespace {

constexpr qreal kSmallestPointSize = 8;
constexpr int kFlags = Qt::AlignCenter;

} // namespace

BannerLabel::BannerLabel(QWidget *parent) : QLabel(parent) {
    setAlignment(Qt::AlignCenter);
    setAutoFillBackground(true);
    QPalette colours = palette();
    colours.setColor(QPalette::Window, colours.color(QPalette::Dark));
    colours.setColor(QPalette::WindowText, Qt::white);
    setPalette(colours);
    QFont bannerFont = font();
    bannerFont.setPointSize(12);
    setFont(bannerFont);
    QSizePolicy policy(QSizePolicy::Ignored, QSizePolicy::Fixed);
    policy.setHeightForWidth(true);
    setSizePolicy(policy);
}

QRectF BannerLabel::textArea(const QRectF &contents) { return contents.adjusted(2, 0, -2, 0); }

bool BannerLabel::fits(qreal pointSize, bool wrapped, const QRectF &area) const {
    QFont f = font();
    f.setPointSizeF(pointSize);
    const QFontMetricsF metrics(f);
    const int flags = kFlags | (wrapped ? Qt::TextWordWrap : 0);
    const QRectF needed = metrics.boundingRect(area, flags, text());
    return needed.width() <= area.width() && needed.height() <= area.height();
}

qreal BannerLabel::fittedPointSize(const QRectF &area) const {
    for (qreal size = font().pointSizeF(); size > kSmallestPointSize; size -= 0.5) {
        if (fits(size, false, area))
            return size;
    }
    return kSmallestPointSize;
}

qreal BannerLabel::fittedPointSize() const { return fittedPointSize(textArea(contentsRect())); }

bool BannerLabel::wrapped() const {
    const QRectF area = textArea(contentsRect());
    return !fits(fittedPointSize(area), false, area);
}

int BannerLabel::heightForWidth(int width) const {
    const QMargins m = contentsMargins();
    const QRectF area =
        textArea(QRectF(0, 0, width - m.left() - m.right(), kMinimumHeight - m.top() - m.bottom()));
    if (text().isEmpty() || fits(fittedPointSize(area), false, area))
        return kMinimumHeight;
    // Wrapped at the smallest size: as high as its lines need.
    QFont f = font();
    f.setPointSizeF(kSmallestPointSize);
    const QRectF needed = QFontMetricsF(f).boundingRect(QRectF(area.left(), 0, area.width(), 1e6),
                                                        kFlags | Qt::TextWordWrap, text());
    return qMax(kMinimumHeight, int(std::ceil(needed.height())) + 4 + m.top() + m.bottom());
}

// Only a height: the command area decides the width, whatever the text. The layout asks
// heightForWidth with the real width; this is for the design width.
QSize BannerLabel::sizeHint() const { return {0, heightForWidth(425)}; }

QSize BannerLabel::minimumSizeHint() const { return {0, kMinimumHeight}; }

void BannerLabel::paintEvent(QPaintEvent *) {
    QPainter painter(this);
    const QRectF area = textArea(contentsRect());
    QFont f = font();
    f.setPointSizeF(fittedPointSize(area));
    painter.setFont(f);
    painter.setPen(palette().color(QPalette::WindowText));
    const bool wrap = !fits(f.pointSizeF(), false, area);
    painter.drawText(area, kFlags | (wrap ? Qt::TextWordWrap : 0), text());
}

} // namespace korven
