#pragma once

#include "DialogBase.h"

class QRadioButton;

namespace korven {

// The state of the Enable output.
class TedEnableForm : public ui::DialogBase {
    Q_OBJECT
public:
    explicit TedEnableForm(QWidget *parent = nullptr);

    QRadioButton *rbHight;
    QRadioButton *rbLow;
};

} // namespace korven
