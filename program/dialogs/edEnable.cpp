#include "edEnable.h"

#include <QGroupBox>
#include <QRadioButton>
#include <QVBoxLayout>

namespace korven {

TedEnableForm::TedEnableForm(QWidget *parent) : ui::DialogBase(parent) {
    setWindowTitle(QStringLiteral("Enable"));
    auto *group = new QGroupBox(QStringLiteral("Stan wyjścia Enable/Disable"), this);
    rbHight = new QRadioButton(QStringLiteral("HIGH"), group);
    rbLow = new QRadioButton(QStringLiteral("LOW"), group);
    auto *layout = new QVBoxLayout(group);
    layout->addWidget(rbHight);
    layout->addWidget(rbLow);
    rbHight->setChecked(true);
    rbHight->setFocus();
    content()->addWidget(group);
}

} // namespace korven
