#include "wait.h"

#include <QFont>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>

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

} // namespace korven
