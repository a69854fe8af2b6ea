#pragma once

#include "DialogBase.h"
#include "RangeSpinBox.h"

class QLabel;

namespace korven {

// The value dialog: one integer with an optional range.
class TWForm : public ui::DialogBase {
    Q_OBJECT
public:
    explicit TWForm(QWidget *parent = nullptr);

    QLabel *lblWart;
    ui::RangeSpinBox *edWartosc;
    QLabel *lblJM;
    QLabel *lblZakres;

    // Equal bounds mean no range at all; a value already set is clamped into a range.
    void setRange(qint64 minimum, qint64 maximum);
    void setValue(qint64 value);
    int value() const;
    // "(%d .. %d)" of the current range.
    void showRangeText();

protected:
    // A typed value beyond the range is shown clamped and must be confirmed again.
    void bbtnOKClick() override;
};

} // namespace korven
