#include "eda.h"

#include "Acceleration.h"
#include "DeviceValues.h"
#include "Numbers.h"
#include "SpeedUnits.h"

#include <QComboBox>
#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>

namespace korven {

TedaForm::TedaForm(int pulsDiv, long double glPodz, QWidget *parent)
    : ui::DialogBase(parent), m_pulsDiv(pulsDiv) {
    setWindowTitle(QStringLiteral("Przyspieszenie"));
    const long double unit = accel::AccelUnit(pulsDiv);
    const long double perRevolution = speed::stepsPerRevolution(glPodz);
    const long double revUnit = perRevolution != 0 ? unit / perRevolution : 0;
    cbKroki = new QComboBox(this);
    cbObroty = new QComboBox(this);
    cbKroki->addItems(accel::listTexts(unit));
    cbObroty->addItems(accel::listTexts(revUnit));
    cbKroki->setMaxVisibleItems(20);
    cbObroty->setMaxVisibleItems(20);
    lblZakresKrokow = new QLabel(accel::rangeText(unit), this);
    lblZakresObrotow = new QLabel(accel::rangeText(revUnit), this);
    edPrzyspieszenie = new QLineEdit(this);
    edPrzyspieszenie->setPlaceholderText(QStringLiteral("wpisz wartość"));
    edPrzyspieszenie->setToolTip(
        QStringLiteral("Wpisana wartość wybiera najbliższą wartość listy sterownika"));
    lblNajblizsza = new QLabel(this);
    auto *grid = new QGridLayout;
    grid->addWidget(edPrzyspieszenie, 0, 0);
    grid->addWidget(new QLabel(QStringLiteral("kroków/s<sup>2</sup>"), this), 0, 1);
    grid->addWidget(lblNajblizsza, 1, 0, 1, 2);
    grid->addWidget(cbKroki, 2, 0);
    grid->addWidget(new QLabel(QStringLiteral("kroków/s<sup>2</sup>"), this), 2, 1);
    grid->addWidget(lblZakresKrokow, 3, 0, 1, 2);
    grid->addWidget(cbObroty, 4, 0);
    grid->addWidget(new QLabel(QStringLiteral("obrotów/s<sup>2</sup>"), this), 4, 1);
    grid->addWidget(lblZakresObrotow, 5, 0, 1, 2);
    content()->addLayout(grid);
    connect(edPrzyspieszenie, &QLineEdit::textEdited, this, &TedaForm::edPrzyspieszenieChange);
    // A value chosen from the lists replaces a typed one.
    for (QComboBox *list : {cbKroki, cbObroty})
        connect(list, &QComboBox::activated, this, [this] {
            edPrzyspieszenie->clear();
            lblNajblizsza->clear();
        });
    select(-1);
    connect(cbKroki, &QComboBox::currentIndexChanged, cbObroty, &QComboBox::setCurrentIndex);
    connect(cbObroty, &QComboBox::currentIndexChanged, cbKroki, &QComboBox::setCurrentIndex);
    cbKroki->installEventFilter(this);
    cbObroty->installEventFilter(this);
    edPrzyspieszenie->setFocus();
}

void TedaForm::select(qint64 position) {
    const int p = (position >= 0 && position < accel::kEntries) ? int(position) : -1;
    cbKroki->setCurrentIndex(p);
    cbObroty->setCurrentIndex(p);
}

void TedaForm::edPrzyspieszenieChange(const QString &text) {
    bool ok = false;
    const long double typed = parseDecimal(text, &ok);
    if (!ok) {
        lblNajblizsza->setText(text.trimmed().isEmpty() ? QString()
                                                        : QStringLiteral("To nie jest liczba."));
        return;
    }
    const int aMax = accel::nearestEntry(typed, m_pulsDiv);
    select(aMax - 1);
    lblNajblizsza->setText(QStringLiteral("Najbliższa wartość listy: %1 kroków/s²")
                               .arg(groupedValue(aMax * accel::AccelUnit(m_pulsDiv))));
}

qint64 TedaForm::positionOf(long double stepsPerSecondSquared, int pulsDiv) {
    return accel::aMaxFromValue(stepsPerSecondSquared, pulsDiv) - 1;
}

bool TedaForm::eventFilter(QObject *watched, QEvent *event) {
    // The lists take no typing, so a value can only be chosen.
    if (event->type() == QEvent::KeyPress) {
        const auto *key = static_cast<QKeyEvent *>(event);
        if (!key->text().isEmpty() && key->key() != Qt::Key_Return && key->key() != Qt::Key_Enter &&
            key->key() != Qt::Key_Tab && key->key() != Qt::Key_Escape)
            return true;
    }
    return ui::DialogBase::eventFilter(watched, event);
}

void TedaForm::bbtnOKClick() {
    const int aMax = cbKroki->currentIndex() + 1;
    if (accel::FindPMulPDiv(aMax, m_pulsDiv + 1, m_pulsDiv, accel::kReduction).found())
        accept();
}

} // namespace korven
