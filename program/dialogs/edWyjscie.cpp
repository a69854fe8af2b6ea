#include "edWyjscie.h"

#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QRadioButton>

namespace korven {

TedWyjscieForm::TedWyjscieForm(QWidget *parent) : ui::DialogBase(parent) {
    setWindowTitle(QStringLiteral("Wprowadź"));
    cbNrLinii = new QComboBox(this);
    cbNrLinii->addItems({"OUT 1", "OUT 2", "OUT 3", "OUT 4", "OUT 5", "OUT 6", "PK 1", "PK 2"});
    rbOn = new QRadioButton(QStringLiteral("On"), this);
    rbOff = new QRadioButton(QStringLiteral("Off"), this);
    rbOn->setChecked(true);
    auto *states = new QHBoxLayout;
    states->addWidget(rbOn);
    states->addWidget(rbOff);
    auto *form = new QFormLayout;
    form->addRow(QStringLiteral("Wyjście:"), cbNrLinii);
    form->addRow(states);
    content()->addLayout(form);
}

} // namespace korven
