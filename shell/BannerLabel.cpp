#include "BannerLabel.h"

#include <QFontMetricsF>
#include <QPainter>

namespace korven {
namespace {

constexpr qreal kSmallestPointSize = 8;

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
}

bool BannerLabel::fits(qreal pointSize, bool wrapped) const {
    QFont f = font();
    f.setPointSizeF(pointSize);
    const QFontMetricsF metrics(f);
    const QRectF area = contentsRect().adjusted(2, 0, -2, 0);
    const int flags = Qt::AlignCenter | (wrapped ? Qt::TextWordWrap : 0);
    const QRectF needed = metrics.boundingRect(area, flags, text());
    return needed.width() <= area.width() && needed.height() <= area.height();
}

qreal BannerLabel::fittedPointSize() const {
    for (qreal size = font().pointSizeF(); size > kSmallestPointSize; size -= 0.5) {
        if (fits(size, false))
            return size;
    }
    return kSmallestPointSize;
}

void BannerLabel::paintEvent(QPaintEvent *) {
    QPainter painter(this);
    QFont f = font();
    f.setPointSizeF(fittedPointSize());
    painter.setFont(f);
    painter.setPen(palette().color(QPalette::WindowText));
    const bool wrapped = !fits(f.pointSizeF(), false);
    painter.drawText(contentsRect().adjusted(2, 0, -2, 0),
                     Qt::AlignCenter | (wrapped ? Qt::TextWordWrap : 0), text());
}

} // namespace korven
