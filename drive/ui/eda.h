#pragma once

#include "DialogBase.h"

class QComboBox;
class QLabel;
class QLineEdit;

namespace korven {

// The acceleration dialog: one of the 2047 exact values, in steps/s² or revolutions/s².
class TedaForm : public ui::DialogBase {
    Q_OBJECT
public:
    TedaForm(int pulsDiv, long double glPodz, QWidget *parent = nullptr);

    QComboBox *cbKroki;
    QComboBox *cbObroty;
    QLabel *lblZakresKrokow;
    QLabel *lblZakresObrotow;
    // A typed acceleration selects the nearest value of the lists, which it shows.
    QLineEdit *edPrzyspieszenie;
    QLabel *lblNajblizsza;

    // Position 0..2046 for aMax 1..2047; anything else clears both lists.
    void select(qint64 position);
    // The position whose text a stored acceleration stands for.
    static qint64 positionOf(long double stepsPerSecondSquared, int pulsDiv);

protected:
    void bbtnOKClick() override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void edPrzyspieszenieChange(const QString &text);

    int m_pulsDiv;
};

} // namespace korven
