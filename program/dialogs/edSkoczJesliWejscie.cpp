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
    QHBoxLayout *states = onOffButtons(&rbOn, &rbOff);
    auto *form = new QFormLayout;
    form->addRow(QStringLiteral("Nr linii:"), edNrLinii);
    form->addRow(QStringLiteral("Wejście:"), cbNrLinii);
    form->addRow(states);
    content()->addLayout(form);
}

} // namespace korven
