#pragma once

#include <QDoubleSpinBox>

namespace korven::sim {

// A decimal field that shows the decimal comma and takes a comma or a point, whatever the
// system's locale: "3,5" and "3.5" are both three and a half, never 35.
class DecimalSpinBox : public QDoubleSpinBox {
    Q_OBJECT
public:
    explicit DecimalSpinBox(QWidget *parent = nullptr);

    QValidator::State validate(QString &input, int &pos) const override;
    double valueFromText(const QString &text) const override;
    QString textFromValue(double value) const override;

private:
    QString bare(const QString &text) const;
};

} // namespace korven::sim
