#include "edWyjscia.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QVBoxLayout>

namespace korven {

TedWyjsciaForm::TedWyjsciaForm(QWidget *parent) : ui::DialogBase(parent) {
    setWindowTitle(QStringLiteral("Wprowadź"));
    auto *group = new QGroupBox(QStringLiteral("Wyjścia On/Off"), this);
    auto *layout = new QVBoxLayout(group);
    const QStringList names = {"OUT 1", "OUT 2", "OUT 3", "OUT 4",
                               "OUT 5", "OUT 6", "PK 1",  "PK 2"};
    for (int i = 0; i < 8; ++i) {
        cb[i] = new QCheckBox(names[i], group);
        cb[i]->setObjectName(QStringLiteral("cb%1").arg(i));
        layout->addWidget(cb[i]);
    }
    content()->addWidget(group);
}

std::array<bool, 8> TedWyjsciaForm::states() const {
    std::array<bool, 8> s{};
    for (int i = 0; i < 8; ++i)
        s[i] = cb[i]->isChecked();
    return s;
}

void TedWyjsciaForm::setStates(const std::array<bool, 8> &states) {
    for (int i = 0; i < 8; ++i)
        cb[i]->setChecked(states[i]);
}

} // namespace korven
