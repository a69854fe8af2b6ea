#include "wait.h"

#include <QFont>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>

namespace korven {

TWaitForm::TWaitForm(QWidget *parent)
    : QWidget(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint) {
    setWindowTitle(QStringLiteral("Czekaj"));
    setFixedSize(432, 481);
    lblInfo = new QLabel(this);
    lblInfo->move(8, 19);
    log = new QPlainTextEdit(this);
    log->setReadOnly(true);
    log->setGeometry(8, 92, 409, 310);
    QFont font(QStringLiteral("Courier New"), 8);
    font.setStyleHint(QFont::TypeWriter);
    log->setFont(font);
    log->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    btnBreak = new QPushButton(QStringLiteral("&Zamknij"), this);
    btnBreak->setGeometry(184, 416, 75, 25);
    connect(btnBreak, &QPushButton::clicked, this, &QWidget::hide);
}

void TWaitForm::showEvent(QShowEvent *event) {
    QWidget::showEvent(event);
    if (m_placed)
        return;
    m_placed = true;
    // 432 x 481 is the outer size, frame included; the frame is known once shown.
    const QSize outer(432, 481);
    const QSize frame = frameGeometry().size() - size();
    setFixedSize(outer - frame);
    if (const QScreen *s = screen()) {
        QRect placed(QPoint(), outer);
        placed.moveCenter(s->availableGeometry().center());
        move(placed.topLeft());
    }
}

} // namespace korven
