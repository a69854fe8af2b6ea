#pragma once

#include "DialogBase.h"
#include "RangeSpinBox.h"

class QComboBox;
class QLabel;
class QRadioButton;

namespace korven {

// Jump to a line when an input has the awaited state.
class TedSkoczJWejForm : public ui::DialogBase {
    Q_OBJECT
public:
    explicit TedSkoczJWejForm(QWidget *parent = nullptr);

    ui::RangeSpinBox *edNrLinii;
    QComboBox *cbNrLinii;
    QRadioButton *rbOn;
    QRadioButton *rbOff;
    // The line range, shown when a typed line was beyond it.
    QLabel *lblZakres;

protected:
    void bbtnOKClick() override;
};

} // namespace korven
