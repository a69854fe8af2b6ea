#include "PodgladProg.h"

#include <QFontDatabase>
#include <QPlainTextEdit>
#include <QVBoxLayout>

namespace korven {

TProgForm::TProgForm(QWidget *parent) : QWidget(parent, Qt::Window) {
    setWindowTitle(QStringLiteral("Podgląd programu"));
    prg = new QPlainTextEdit(this);
    prg->setReadOnly(true);
    prg->setLineWrapMode(QPlainTextEdit::NoWrap);
    prg->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    prg->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(prg);
    resize(420, 480);
}

void TProgForm::setImage(const QStringList &image) {
    prg->setPlainText(image.join(QLatin1Char('\n')));
}

} // namespace korven
