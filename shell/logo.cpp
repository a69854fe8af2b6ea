#include "logo.h"

#include "Art.h"

#include "VersionText.h"

#include <QEventLoop>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QLabel>
#include <QScreen>
#include <QTimer>
#include <QVBoxLayout>

namespace korven {

TLogoForm::TLogoForm(QWidget *parent)
    : QWidget(parent, Qt::SplashScreen | Qt::FramelessWindowHint) {
    initArtResources();
    setFixedSize(316, 351);
    picture = new QLabel(this);
    picture->setAlignment(Qt::AlignCenter);
    const QPixmap image(QStringLiteral(":/art/logo.jpg"));
    picture->setPixmap(image.scaled(305, 257, Qt::KeepAspectRatio, Qt::SmoothTransformation));
    QFont bold = font();
    bold.setPointSize(10);
    bold.setBold(true);
    ver = new QLabel(this);
    ver->setFont(bold);
    ver->setAlignment(Qt::AlignCenter);
    ver->setWordWrap(false);
    auto *starting = new QLabel(QStringLiteral("Trwa uruchamianie ..."), this);
    starting->setFont(bold);
    starting->setAlignment(Qt::AlignCenter);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(picture);
    layout->addWidget(ver);
    layout->addWidget(starting);
    timer = new QTimer(this);
    timer->setSingleShot(true);
    timer->setInterval(1500);
    connect(timer, &QTimer::timeout, this, &QWidget::hide);
    timer->start();
}

void TLogoForm::showEvent(QShowEvent *event) {
    QWidget::showEvent(event);
    ver->setText(QStringLiteral("Program KORVEN wersja ") + GetVersionText());
    fitVersionLine();
    if (const QScreen *screen = QGuiApplication::primaryScreen())
        move(screen->geometry().center() - rect().center());
}

void TLogoForm::fitVersionLine() {
    // One line across the splash: a smaller font rather than a broken line.
    const QMargins margins = layout()->contentsMargins();
    const int room = width() - margins.left() - margins.right();
    QFont font = ver->font();
    while (font.pointSize() > 6 && QFontMetrics(font).horizontalAdvance(ver->text()) > room)
        font.setPointSize(font.pointSize() - 1);
    ver->setFont(font);
}

void TLogoForm::showUntilTimerEnds() {
    show();
    repaint();
    if (!timer->isActive())
        return;
    QEventLoop loop;
    connect(timer, &QTimer::timeout, &loop, &QEventLoop::quit);
    loop.exec();
}

} // namespace korven
