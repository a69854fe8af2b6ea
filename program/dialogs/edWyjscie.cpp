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
    QHBoxLayout *states = onOffButtons(&rbOn, &rbOff);
    auto *form = new QFormLayout;
    form->addRow(QStringLiteral("Wyjście:"), cbNrLinii);
    form->addRow(states);
    content()->addLayout(form);
}

} // namespace korven
