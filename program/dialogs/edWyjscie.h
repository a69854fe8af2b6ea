#pragma once

#include "DialogBase.h"

class QComboBox;
class QRadioButton;

namespace korven {

// Switch one output on or off.
class TedWyjscieForm : public ui::DialogBase {
    Q_OBJECT
public:
    explicit TedWyjscieForm(QWidget *parent = nullptr);

    QComboBox *cbNrLinii;
    QRadioButton *rbOn;
    QRadioButton *rbOff;
};

} // namespace korven
