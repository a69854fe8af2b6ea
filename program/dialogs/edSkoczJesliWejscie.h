#pragma once

#include "DialogBase.h"

class QComboBox;
class QRadioButton;
class QSpinBox;

namespace korven {

// Jump to a line when an input has the awaited state.
class TedSkoczJWejForm : public ui::DialogBase {
    Q_OBJECT
public:
    explicit TedSkoczJWejForm(QWidget *parent = nullptr);

    QSpinBox *edNrLinii;
    QComboBox *cbNrLinii;
    QRadioButton *rbOn;
    QRadioButton *rbOff;
};

} // namespace korven
