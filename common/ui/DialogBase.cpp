#include "DialogBase.h"

#include <QApplication>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QVBoxLayout>

namespace korven::ui {

DialogBase::DialogBase(QWidget *parent) : QDialog(parent) {
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
    auto *layout = new QVBoxLayout(this);
    m_content = new QVBoxLayout;
    layout->addLayout(m_content);
    auto *buttons = new QHBoxLayout;
    m_ok = new QPushButton(QStringLiteral("&OK"), this);
    m_cancel = new QPushButton(QStringLiteral("&Anuluj"), this);
    m_ok->setDefault(true);
    m_ok->setAutoDefault(false);
    m_cancel->setAutoDefault(false);
    buttons->addStretch();
    buttons->addWidget(m_ok);
    buttons->addWidget(m_cancel);
    layout->addLayout(buttons);
    connect(m_ok, &QPushButton::clicked, this, [this] { bbtnOKClick(); });
    connect(m_cancel, &QPushButton::clicked, this, &QDialog::reject);
}

void DialogBase::bbtnOKClick() { accept(); }

QHBoxLayout *DialogBase::onOffButtons(QRadioButton **on, QRadioButton **off) {
    *on = new QRadioButton(QStringLiteral("On"), this);
    *off = new QRadioButton(QStringLiteral("Off"), this);
    (*on)->setChecked(true);
    auto *row = new QHBoxLayout;
    row->addWidget(*on);
    row->addWidget(*off);
    return row;
}

void DialogBase::keyPressEvent(QKeyEvent *event) {
    // The dialog sees Enter before its controls: it always means OK.
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        bbtnOKClick();
        return;
    }
    QDialog::keyPressEvent(event);
}

int DialogBase::captionWidth(const QString &caption) {
    // Window managers draw captions bold in about the application's size; room for the
    // icon, the close button and the frame on top.
    QFont font = QApplication::font();
    font.setBold(true);
    return QFontMetrics(font).horizontalAdvance(caption) + 110;
}

void DialogBase::fitToCaption() {
    if (layout())
        layout()->activate();
    const QSize content = sizeHint().expandedTo(minimumSizeHint());
    setFixedSize(qMax(content.width(), captionWidth(windowTitle())), content.height());
}

void DialogBase::setVisible(bool visible) {
    if (visible)
        fitToCaption();
    QDialog::setVisible(visible);
}

void DialogBase::changeEvent(QEvent *event) {
    QDialog::changeEvent(event);
    if (event->type() == QEvent::WindowTitleChange && isVisible())
        fitToCaption();
}

void DialogBase::showEvent(QShowEvent *event) {
    QDialog::showEvent(event);
    if (const QScreen *screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
}

} // namespace korven::ui
