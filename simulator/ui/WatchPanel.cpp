#include "WatchPanel.h"

#include "SimulationText.h"
#include "TracePlot.h"

#include <QHeaderView>

namespace korven::sim {
namespace {

// Device output bits in the order the program names the outputs: OUT 1..6, PK 1, PK 2.
constexpr int kOutputBits[8] = {0, 1, 2, 3, 4, 5, 7, 6};

enum Row {
    kTime,
    kPosition,
    kVelocity,
    kTarget,
    kCounter,
    kOutputs,
    kEnable = kOutputs + 8,
    kInputs,
    kVmin = kInputs + 8,
    kVmax,
    kAccel,
    kRows
};

QString names(int row) {
    switch (row) {
    case kTime: return QStringLiteral("Czas [s]");
    case kPosition: return QStringLiteral("Pozycja [kroki]");
    case kVelocity: return QStringLiteral("Prędkość [kroki/s]");
    case kTarget: return QStringLiteral("Prędkość docelowa [kroki/s]");
    case kCounter: return QStringLiteral("Licznik powtórzeń");
    case kEnable: return QStringLiteral("Enable");
    case kVmin: return QStringLiteral("Prędkość min [kroki/s]");
    case kVmax: return QStringLiteral("Prędkość max [kroki/s]");
    case kAccel: return QStringLiteral("Przysp. max [kroki/s²]");
    default: break;
    }
    if (row >= kOutputs && row < kOutputs + 8)
        return outputName(kOutputBits[row - kOutputs]);
    return QStringLiteral("IN %1").arg(row - kInputs + 1);
}

QString onOff(bool on) { return on ? QStringLiteral("On") : QStringLiteral("Off"); }

QString setting(const std::optional<WatchValues::Setting> &s) {
    if (!s)
        return QStringLiteral("nie ustawiono");
    return QStringLiteral("%1 (rej. %2)").arg(decimal(s->value, 2)).arg(s->reg);
}

} // namespace

WatchPanel::WatchPanel(QWidget *parent) : QTableWidget(kRows, 2, parent) {
    setHorizontalHeaderLabels({QStringLiteral("Wielkość"), QStringLiteral("Wartość")});
    verticalHeader()->hide();
    verticalHeader()->setDefaultSectionSize(20);
    horizontalHeader()->setStretchLastSection(true);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSelectionMode(QAbstractItemView::NoSelection);
    setFocusPolicy(Qt::NoFocus);
    for (int row = 0; row < kRows; ++row) {
        setItem(row, 0, new QTableWidgetItem(names(row)));
        auto *value = new QTableWidgetItem;
        value->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
        setItem(row, 1, value);
    }
    resizeColumnToContents(0);
    clearValues();
}

void WatchPanel::setRow(int row, const QString &text) {
    QTableWidgetItem *item = this->item(row, 1);
    QFont font = item->font();
    font.setBold(!item->text().isEmpty() && item->text() != QStringLiteral("–") &&
                 item->text() != text);
    item->setFont(font);
    item->setText(text);
}

void WatchPanel::setValues(const WatchValues &w) {
    setRow(kTime, decimal(w.timeS, 6));
    setRow(kPosition, decimal(w.position, 2));
    setRow(kVelocity, decimal(w.velocity, 2));
    setRow(kTarget, w.target ? decimal(*w.target, 2) : QStringLiteral("brak"));
    setRow(kCounter, QString::number(w.counter));
    for (int k = 0; k < 8; ++k)
        setRow(kOutputs + k, onOff((w.outputs >> kOutputBits[k]) & 1));
    setRow(kEnable, w.enable ? QStringLiteral("High") : QStringLiteral("Low"));
    for (int k = 0; k < 8; ++k)
        setRow(kInputs + k, onOff((w.inputs >> k) & 1));
    setRow(kVmin, setting(w.vmin));
    setRow(kVmax, setting(w.vmax));
    setRow(kAccel, setting(w.accel));
}

void WatchPanel::clearValues() {
    for (int row = 0; row < kRows; ++row) {
        QTableWidgetItem *item = this->item(row, 1);
        QFont font = item->font();
        font.setBold(false);
        item->setFont(font);
        item->setText(QStringLiteral("–"));
    }
}

QString WatchPanel::value(const QString &name) const {
    for (int row = 0; row < rowCount(); ++row) {
        if (item(row, 0)->text() == name)
            return item(row, 1)->text();
    }
    return {};
}

} // namespace korven::sim
