#pragma once

#include "SteppingSession.h"

#include <QTableWidget>

namespace korven::sim {

// The machine at the current moment of a paused simulation, one quantity a row: time,
// position, velocity and its target, counter, outputs, Enable, inputs and the settings.
// A value that changed with the last step is shown in bold.
class WatchPanel : public QTableWidget {
    Q_OBJECT
public:
    explicit WatchPanel(QWidget *parent = nullptr);

    void setValues(const WatchValues &values);
    // Nothing paused: every value blank.
    void clearValues();
    // The shown value of the row with that name, empty when there is none.
    QString value(const QString &name) const;

private:
    void setRow(int row, const QString &text);
};

} // namespace korven::sim
