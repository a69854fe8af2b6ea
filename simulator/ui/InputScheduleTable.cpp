#include "InputScheduleTable.h"

#include "DecimalSpinBox.h"

#include <QComboBox>
#include <QDoubleSpinBox>
#include <QHeaderView>
#include <QSpinBox>

namespace korven::sim {

InputScheduleTable::InputScheduleTable(QWidget *parent) : QTableWidget(0, 3, parent) {
    setHorizontalHeaderLabels(
        {QStringLiteral("Wejście"), QStringLiteral("Stan"), QStringLiteral("Od czasu [s]")});
    verticalHeader()->hide();
    horizontalHeader()->setStretchLastSection(true);
    setMinimumWidth(300);
    setMaximumHeight(130);
}

void InputScheduleTable::addChange(int input, bool state, double timeS) {
    const int row = rowCount();
    const int id = m_added++;
    insertRow(row);
    // Spin boxes and a list: an entry can only ever be a valid input, state and time.
    auto *number = new QSpinBox(this);
    number->setObjectName(QStringLiteral("edWejscie%1").arg(id));
    number->setRange(1, 8);
    number->setPrefix(QStringLiteral("IN "));
    number->setValue(input);
    connect(number, &QSpinBox::valueChanged, this, &InputScheduleTable::changed);
    auto *on = new QComboBox(this);
    on->setObjectName(QStringLiteral("cbStan%1").arg(id));
    on->addItems({QStringLiteral("Off"), QStringLiteral("On")});
    on->setCurrentIndex(state ? 1 : 0);
    connect(on, &QComboBox::currentIndexChanged, this, &InputScheduleTable::changed);
    auto *at = new DecimalSpinBox(this);
    at->setObjectName(QStringLiteral("edCzas%1").arg(id));
    at->setRange(0, 1e7);
    at->setDecimals(3);
    at->setValue(timeS);
    connect(at, &QDoubleSpinBox::valueChanged, this, &InputScheduleTable::changed);
    setCellWidget(row, 0, number);
    setCellWidget(row, 1, on);
    setCellWidget(row, 2, at);
    emit changed();
}

void InputScheduleTable::removeChange() {
    const int row = currentRow() >= 0 ? currentRow() : rowCount() - 1;
    if (row < 0)
        return;
    removeRow(row);
    emit changed();
}

QList<InputChange> InputScheduleTable::changes() const {
    QList<InputChange> list;
    for (int row = 0; row < rowCount(); ++row) {
        const auto *number = qobject_cast<QSpinBox *>(cellWidget(row, 0));
        const auto *on = qobject_cast<QComboBox *>(cellWidget(row, 1));
        const auto *at = qobject_cast<QDoubleSpinBox *>(cellWidget(row, 2));
        if (number && on && at)
            list.append({number->value(), on->currentIndex() == 1, at->value()});
    }
    return list;
}

} // namespace korven::sim
