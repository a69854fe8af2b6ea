#include "ListingFont.h"

#include <QFontDatabase>

namespace korven {
namespace {

constexpr double kReferenceDpi = 1200;
constexpr double kMillimetresPerInch = 25.4;

QImage referenceDevice() {
    QImage image(1, 1, QImage::Format_Mono);
    const int dotsPerMetre = qRound(kReferenceDpi * 1000 / kMillimetresPerInch);
    image.setDotsPerMeterX(dotsPerMetre);
    image.setDotsPerMeterY(dotsPerMetre);
    return image;
}

} // namespace

ListingFont::ListingFont(bool bold)
    : m_reference(referenceDevice()), m_metrics(font(bold), &m_reference) {}

QString ListingFont::family() {
    for (const QString &family : {QStringLiteral("Arial"), QStringLiteral("Liberation Sans")})
        if (QFontDatabase::hasFamily(family))
            return family;
    return QStringLiteral("Arial"); // the system's own substitute
}

QFont ListingFont::font(bool bold) {
    QFont font(family(), 10);
    font.setStyleHint(QFont::SansSerif);
    font.setHintingPreference(QFont::PreferNoHinting);
    font.setBold(bold);
    return font;
}

double ListingFont::width(const QString &text) const {
    return m_metrics.horizontalAdvance(text) * kMillimetresPerInch / m_reference.logicalDpiX();
}

} // namespace korven
