#pragma once

#include <QString>
#include <QStringList>

namespace korven {

struct DriverModel {
    QString name;
    QStringList depths; // microstep depths in list order; the first is the default
    int pulsDiv;        // pulse divisor exponent: the time base of speeds and accelerations
    int vmax;           // largest velocity register value for the model
};

// The ten driver models; stored indexes (mi.ini, program files) refer to this order.
const QList<DriverModel> &driverModels();

// The numeric value of a depth entry ("2/5" stands for 2.5); false when not a number.
bool depthValue(const QString &entry, long double *value);

} // namespace korven
