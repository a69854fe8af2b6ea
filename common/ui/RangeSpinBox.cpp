#include "RangeSpinBox.h"

#include "TypedInteger.h"

#include <QLabel>
#include <QLineEdit>

namespace korven::ui {

RangeSpinBox::RangeSpinBox(QWidget *parent) : QSpinBox(parent) {
    connect(lineEdit(), &QLineEdit::textEdited, this, [this] { m_clamped = false; });
    connect(this, &RangeSpinBox::clamped, this, &RangeSpinBox::highlightRange);
}

void RangeSpinBox::highlightRange() {
    if (!m_rangeLabel)
        return;
    m_rangeLabel->setText(rangeText());
    m_rangeLabel->setStyleSheet(QStringLiteral("color: #c00000; font-weight: bold;"));
    m_rangeLabel->show();
}

bool RangeSpinBox::confirm() {
    interpretText();
    if (!takeClamped())
        return true;
    highlightRange();
    setFocus();
    selectAll();
    return false;
}

void RangeSpinBox::setTypedValue(qint64 value) {
    m_typed.clear();
    if (value >= minimum() && value <= maximum()) {
        setValue(int(value));
        return;
    }
    m_typed = QString::number(value);
    lineEdit()->setText(m_typed);
    m_clamped = false;
}

void RangeSpinBox::showEvent(QShowEvent *event) {
    QSpinBox::showEvent(event);
    if (!m_typed.isEmpty())
        lineEdit()->setText(m_typed);
    m_typed.clear();
}

bool RangeSpinBox::takeClamped() {
    const bool was = m_clamped;
    m_clamped = false;
    return was;
}

QString RangeSpinBox::rangeText() const {
    return QStringLiteral("(%1 .. %2)").arg(minimum()).arg(maximum());
}

QValidator::State RangeSpinBox::validate(QString &input, int &) const {
    switch (TypedInteger::classify(input, minimum(), maximum())) {
    case TypedInteger::State::InRange: return QValidator::Acceptable;
    case TypedInteger::State::Invalid: return QValidator::Invalid;
    default: return QValidator::Intermediate;
    }
}

qint64 RangeSpinBox::taken(const QString &text) const {
    const TypedInteger::State state = TypedInteger::classify(text, minimum(), maximum());
    if (state == TypedInteger::State::Partial || state == TypedInteger::State::Invalid)
        return m_blankValue ? *m_blankValue : minimum();
    return TypedInteger::clamped(text, minimum(), maximum());
}

void RangeSpinBox::fixup(QString &input) const {
    // Anything but an integer within the range is replaced; the user sees the
    // replacement before it counts.
    const bool replaced =
        TypedInteger::classify(input, minimum(), maximum()) != TypedInteger::State::InRange;
    input = QString::number(taken(input));
    if (replaced && !m_clamped) {
        m_clamped = true;
        emit const_cast<RangeSpinBox *>(this)->clamped();
    }
}

int RangeSpinBox::valueFromText(const QString &text) const { return int(taken(text)); }

} // namespace korven::ui
