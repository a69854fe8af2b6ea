#include "ComPortSettings.h"

#include <QComboBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QSerialPortInfo>

namespace korven {

TComSettingsFrm::TComSettingsFrm(const QString &currentPort, const QStringList &ports,
                                 QWidget *parent)
    : ui::DialogBase(parent) {
    setWindowTitle(QStringLiteral("Wybór portu"));
    auto *group = new QGroupBox(QStringLiteral("Wybór portu"), this);
    Combo1 = new QComboBox(group);
    Combo1->addItems(ports);
    // A port the system does not list (a pseudo-terminal of the emulator) stays choosable.
    if (!currentPort.isEmpty() && Combo1->findText(currentPort, Qt::MatchFixedString) < 0)
        Combo1->addItem(currentPort);
    Combo1->setCurrentIndex(Combo1->findText(currentPort, Qt::MatchFixedString));
    auto *row = new QHBoxLayout(group);
    row->addWidget(new QLabel(QStringLiteral("Port"), group));
    row->addWidget(Combo1, 1);
    content()->addWidget(group);
    setMinimumWidth(231);
}

QStringList TComSettingsFrm::availablePorts() {
    QStringList names;
    for (const QSerialPortInfo &info : QSerialPortInfo::availablePorts())
        names.append(info.portName());
    std::sort(names.begin(), names.end(), [](const QString &a, const QString &b) {
        return a.compare(b, Qt::CaseInsensitive) < 0;
    });
    return names;
}

std::optional<QString> TComSettingsFrm::choose(const QString &currentPort, QWidget *parent) {
    TComSettingsFrm dialog(currentPort, availablePorts(), parent);
    if (dialog.exec() != QDialog::Accepted || dialog.Combo1->currentIndex() < 0)
        return std::nullopt;
    return dialog.Combo1->currentText();
}

} // namespace korven
