// Draws the program's pictures: the splash picture, the small button pictures and the icons.
// Run once after changing a drawing: make-art OUTPUT_DIR

#include <QBuffer>
#include <QDataStream>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QtMath>

namespace {

// A stepper motor seen from the shaft: stator teeth around a toothed rotor; at scale 1
// the stator is 78 pixels in radius.
void drawMotor(QPainter &p, const QPointF &c, double scale) {
    p.save();
    p.translate(c);
    p.scale(scale, scale);
    p.setPen(QPen(QColor(120, 170, 230), 2));
    p.setBrush(QColor(40, 70, 120));
    p.drawEllipse(QPointF(0, 0), 78, 78);
    p.setBrush(QColor(24, 46, 86));
    for (int i = 0; i < 8; ++i) {
        p.save();
        p.rotate(i * 45);
        p.drawRect(QRectF(-9, -74, 18, 28));
        p.restore();
    }
    QPainterPath rotor;
    for (int i = 0; i <= 50; ++i) {
        const double a = i * 2 * M_PI / 50;
        const double r = (i % 2 == 0) ? 40 : 34;
        const QPointF pt(r * qCos(a), r * qSin(a));
        i == 0 ? rotor.moveTo(pt) : rotor.lineTo(pt);
    }
    p.setBrush(QColor(200, 215, 235));
    p.setPen(QPen(QColor(90, 110, 140), 1));
    p.drawPath(rotor);
    p.setBrush(QColor(60, 70, 90));
    p.drawEllipse(QPointF(0, 0), 9, 9);
    p.restore();
}

void drawSplash(const QString &path) {
    QImage image(305, 257, QImage::Format_RGB32);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient sky(0, 0, 0, 257);
    sky.setColorAt(0, QColor(18, 44, 84));
    sky.setColorAt(1, QColor(6, 16, 34));
    p.fillRect(image.rect(), sky);
    drawMotor(p, QPointF(152, 112), 1.0);
    // Step pulses under the motor.
    p.setPen(QPen(QColor(250, 190, 60), 2));
    QPainterPath pulses;
    pulses.moveTo(30, 232);
    for (int x = 30; x < 275; x += 20) {
        pulses.lineTo(x, 214);
        pulses.lineTo(x + 10, 214);
        pulses.lineTo(x + 10, 232);
        pulses.lineTo(x + 20, 232);
    }
    p.setBrush(Qt::NoBrush);
    p.drawPath(pulses);
    QFont font(QStringLiteral("DejaVu Sans"), 20, QFont::Bold);
    p.setFont(font);
    p.setPen(Qt::white);
    p.drawText(QRectF(0, 2, 305, 30), Qt::AlignCenter, QStringLiteral("KORVEN"));
    p.end();
    image.save(path, "JPEG", 90);
}

QImage icon() {
    QImage image(16, 16, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    return image;
}

void drawIcons(const QString &dir) {
    {
        QImage image = icon();
        QPainter p(&image);
        p.setRenderHint(QPainter::Antialiasing);
        p.setPen(QPen(QColor(20, 90, 180), 2));
        p.drawLine(2, 8, 13, 8);
        p.drawLine(9, 4, 13, 8);
        p.drawLine(9, 12, 13, 8);
        p.setPen(QPen(QColor(20, 90, 180), 1));
        p.drawLine(1, 4, 5, 4);
        p.drawLine(1, 12, 5, 12);
        p.end();
        image.save(dir + QStringLiteral("/speed.png"));
    }
    {
        QImage image = icon();
        QPainter p(&image);
        p.setRenderHint(QPainter::Antialiasing);
        p.setPen(QPen(QColor(190, 90, 20), 2));
        p.drawLine(2, 14, 8, 14);
        p.drawLine(8, 14, 13, 3);
        p.end();
        image.save(dir + QStringLiteral("/accel.png"));
    }
    {
        QImage image = icon();
        QPainter p(&image);
        p.setRenderHint(QPainter::Antialiasing);
        p.setPen(QPen(QColor(30, 130, 60), 2));
        p.drawEllipse(QPointF(8, 8), 5, 5);
        p.drawLine(8, 0, 8, 16);
        p.drawLine(0, 8, 16, 8);
        p.end();
        image.save(dir + QStringLiteral("/position.png"));
    }
    {
        QImage image = icon();
        QPainter p(&image);
        p.setRenderHint(QPainter::Antialiasing);
        p.setPen(QPen(QColor(90, 60, 30), 1.5));
        p.setBrush(QColor(230, 200, 150));
        QPolygonF house({{2, 8}, {8, 2}, {14, 8}, {12, 8}, {12, 14}, {4, 14}, {4, 8}});
        p.drawPolygon(house);
        p.end();
        image.save(dir + QStringLiteral("/home.png"));
    }
    {
        QImage image = icon();
        QPainter p(&image);
        p.setRenderHint(QPainter::Antialiasing);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(200, 30, 30));
        QPolygonF octagon;
        for (int i = 0; i < 8; ++i) {
            const double a = (i + 0.5) * M_PI / 4;
            octagon << QPointF(8 + 7 * qCos(a), 8 + 7 * qSin(a));
        }
        p.drawPolygon(octagon);
        p.setPen(QPen(Qt::white, 2));
        p.drawLine(4, 8, 12, 8);
        p.end();
        image.save(dir + QStringLiteral("/stop.png"));
    }
}

// A Windows icon file holding the images as PNG (read by Windows Vista and later): the
// executables' icon resource.
void writeIco(const QString &path, const QList<QImage> &images) {
    QByteArray header, data;
    QDataStream head(&header, QIODevice::WriteOnly);
    head.setByteOrder(QDataStream::LittleEndian);
    head << quint16(0) << quint16(1) << quint16(images.size());
    qint64 offset = 6 + 16 * images.size();
    for (const QImage &image : images) {
        QByteArray png;
        QBuffer buffer(&png);
        buffer.open(QIODevice::WriteOnly);
        image.save(&buffer, "PNG");
        // 256 pixels are written as 0.
        head << quint8(image.width() & 0xff) << quint8(image.height() & 0xff) << quint8(0)
             << quint8(0) << quint16(1) << quint16(32) << quint32(png.size()) << quint32(offset);
        offset += png.size();
        data += png;
    }
    QFile file(path);
    if (file.open(QIODevice::WriteOnly))
        file.write(header + data);
}

// The application icon: the splash's motor on a dark blue tile, in the usual sizes, and
// the same as one Windows icon.
void drawAppIcons(const QString &dir) {
    QList<QImage> windowsSizes;
    for (const int size : {16, 22, 24, 32, 48, 64, 128, 256}) {
        QImage image(size, size, QImage::Format_ARGB32);
        image.fill(Qt::transparent);
        QPainter p(&image);
        p.setRenderHint(QPainter::Antialiasing);
        p.setPen(Qt::NoPen);
        QLinearGradient sky(0, 0, 0, size);
        sky.setColorAt(0, QColor(18, 44, 84));
        sky.setColorAt(1, QColor(6, 16, 34));
        p.setBrush(sky);
        p.drawRoundedRect(QRectF(0, 0, size, size), size * 0.18, size * 0.18);
        drawMotor(p, QPointF(size / 2.0, size / 2.0), size * 0.45 / 80.0);
        p.end();
        image.save(dir + QStringLiteral("/korven-%1.png").arg(size));
        if (size != 22 && size != 128)
            windowsSizes.append(image);
    }
    writeIco(dir + QStringLiteral("/korven.ico"), windowsSizes);
}

} // namespace

int main(int argc, char *argv[]) {
    QGuiApplication app(argc, argv);
    const QString dir = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral(".");
    drawSplash(dir + QStringLiteral("/logo.jpg"));
    drawIcons(dir);
    QDir().mkpath(dir + QStringLiteral("/icons"));
    drawAppIcons(dir + QStringLiteral("/icons"));
    return 0;
}
