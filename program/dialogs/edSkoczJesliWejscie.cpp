#include "edSkoczJesliWejscie.h"

#include "RangeSpinBox.h"

#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QRadioButton>

namespace korven {

TedSkoczJWejForm::TedSkoczJWejForm(QWidget *parent) : ui::DialogBase(parent) {
    setWindowTitle(QStringLiteral("Wprowadź"));
    edNrLinii = new ui::RangeSpinBox(this);
    edNrLinii->setRange(0, 0);
    lblZakres = new QLabel(this);
    lblZakres->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    lblZakres->hide();
    edNrLinii->setRangeLabel(lblZakres);
    cbNrLinii = new QComboBox(this);
    for (int i = 1; i <= 8; ++i)
        cbNrLinii->addItem(QStringLiteral("IN %1").arg(i));
    QHBoxLayout *states = onOffButtons(&rbOn, &rbOff);
    auto *form = new QFormLayout;
    form->addRow(QStringLiteral("Nr linii:"), edNrLinii);
    form->addRow(lblZakres);
    form->addRow(QStringLiteral("Wejście:"), cbNrLinii);
    form->addRow(states);
    content()->addLayout(form);
    // The line is what the user changes most often.
    edNrLinii->setFocus();
}

void TedSkoczJWejForm::bbtnOKClick() {
    if (edNrLinii->confirm())
        accept();
}

} // namespace korven
