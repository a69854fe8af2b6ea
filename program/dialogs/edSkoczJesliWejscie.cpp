#include "edSkoczJesliWejscie.h"

#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QRadioButton>
#include <QSpinBox>

namespace korven {

TedSkoczJWejForm::TedSkoczJWejForm(QWidget *parent) : ui::DialogBase(parent) {
    setWindowTitle(QStringLiteral("Wprowadź"));
    edNrLinii = new QSpinBox(this);
    edNrLinii->setRange(0, 0);
    cbNrLinii = new QComboBox(this);
    for (int i = 1; i <= 8; ++i)
        cbNrLinii->addItem(QStringLiteral("IN %1").arg(i));
    rbOn = new QRadioButton(QStringLiteral("On"), this);
    rbOff = new QRadioButton(QStringLiteral("Off"), this);
    rbOn->setChecked(true);
    auto *states = new QHBoxLayout;
    states->addWidget(rbOn);
    states->addWidget(rbOff);
    auto *form = new QFormLayout;
    form->addRow(QStringLiteral("Nr linii:"), edNrLinii);
    form->addRow(QStringLiteral("Wejście:"), cbNrLinii);
    form->addRow(states);
    content()->addLayout(form);
}

} // namespace korven
