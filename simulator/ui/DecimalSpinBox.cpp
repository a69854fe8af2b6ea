#include "DecimalSpinBox.h"

#include <QRegularExpression>

namespace korven::sim {

DecimalSpinBox::DecimalSpinBox(QWidget *parent) : QDoubleSpinBox(parent) {
    QLocale polish(QLocale::Polish, QLocale::Poland);
    polish.setNumberOptions(QLocale::OmitGroupSeparator);
    setLocale(polish);
}

QString DecimalSpinBox::bare(const QString &text) const {
    QString t = text;
    if (!prefix().isEmpty() && t.startsWith(prefix()))
        t.remove(0, prefix().size());
    if (!suffix().isEmpty() && t.endsWith(suffix()))
        t.chop(suffix().size());
    return t.trimmed();
}

QValidator::State DecimalSpinBox::validate(QString &input, int &) const {
    const QString t = bare(input);
    static const QRegularExpression form(QStringLiteral("^-?([0-9]*)(?:[.,]([0-9]*))?$"));
    const QRegularExpressionMatch m = form.match(t);
    if (!m.hasMatch() || m.captured(2).size() > decimals() || (t.startsWith('-') && minimum() >= 0))
        return QValidator::Invalid;
    if (m.captured(1).isEmpty() && m.captured(2).isEmpty())
        return QValidator::Intermediate;
    const double v = valueFromText(t);
    return v >= minimum() && v <= maximum() ? QValidator::Acceptable : QValidator::Intermediate;
}

double DecimalSpinBox::valueFromText(const QString &text) const {
    return bare(text).replace(QLatin1Char(','), QLatin1Char('.')).toDouble();
}

QString DecimalSpinBox::textFromValue(double value) const {
    return QString::number(value, 'f', decimals()).replace(QLatin1Char('.'), QLatin1Char(','));
}

} // namespace korven::sim
