#include "wartosc.h"

#include "RangeSpinBox.h"

#include <QGridLayout>
#include <QLabel>

#include <climits>

namespace korven {

TWForm::TWForm(QWidget *parent) : ui::DialogBase(parent) {
    setWindowTitle(QStringLiteral("Wprowadź"));
    lblWart = new QLabel(QStringLiteral("Wartość:"), this);
    lblWart->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    edWartosc = new ui::RangeSpinBox(this);
    edWartosc->setMinimumWidth(120);
    lblJM = new QLabel(this);
    lblZakres = new QLabel(this);
    lblZakres->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    edWartosc->setRangeLabel(lblZakres);
    auto *grid = new QGridLayout;
    grid->addWidget(lblWart, 0, 0);
    grid->addWidget(edWartosc, 0, 1);
    grid->addWidget(lblJM, 0, 2);
    grid->addWidget(lblZakres, 1, 0, 1, 2);
    content()->addLayout(grid);
    setRange(0, 0);
    edWartosc->setValue(0);
    edWartosc->setFocus();
}

void TWForm::setRange(qint64 minimum, qint64 maximum) {
    // A field without a range reads an empty text as 0, as the bounds it does not have.
    edWartosc->setBlankValue(minimum == maximum ? std::optional<int>(0) : std::nullopt);
    if (minimum == maximum) {
        edWartosc->setRange(INT_MIN + 1, INT_MAX);
        return;
    }
    edWartosc->setRange(int(qBound(qint64(INT_MIN + 1), minimum, qint64(INT_MAX))),
                        int(qBound(qint64(INT_MIN + 1), maximum, qint64(INT_MAX))));
}

void TWForm::setValue(qint64 value) {
    edWartosc->setValue(int(qBound(qint64(INT_MIN + 1), value, qint64(INT_MAX))));
}

int TWForm::value() const {
    edWartosc->interpretText();
    return edWartosc->value();
}

void TWForm::showRangeText() { lblZakres->setText(edWartosc->rangeText()); }

void TWForm::bbtnOKClick() {
    if (edWartosc->confirm())
        accept();
}

} // namespace korven
