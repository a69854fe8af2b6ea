#include "Oprogramie.h"

#include "VersionText.h"

#include <QFrame>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace korven {

TAboutForm::TAboutForm(QWidget *parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("O programie"));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
    auto *panel = new QFrame(this);
    panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    auto *title = new QLabel(QStringLiteral("Program KORVEN"), panel);
    lblVersion = new QLabel(panel);
    title->setAlignment(Qt::AlignCenter);
    lblVersion->setAlignment(Qt::AlignCenter);
    auto *texts = new QVBoxLayout(panel);
    texts->addWidget(title);
    texts->addWidget(lblVersion);
    auto *ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(panel);
    layout->addWidget(ok, 0, Qt::AlignCenter);
    setFixedSize(QSize(225, 156).expandedTo(sizeHint()));
}

void TAboutForm::showEvent(QShowEvent *event) {
    QDialog::showEvent(event);
    lblVersion->setText(QStringLiteral("Wersja: ") + GetVersionText());
}

} // namespace korven
