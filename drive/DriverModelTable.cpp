#include "DriverModelTable.h"

#include "Numbers.h"

namespace korven {

const QList<DriverModel> &driverModels() {
    static const QList<DriverModel> models = {
        {QStringLiteral("TRV20"), {"1", "2", "4", "8", "16"}, 5, 2047},
        {QStringLiteral("TRV10"), {"1", "2", "4", "8", "16", "32"}, 5, 2047},
        {QStringLiteral("TRV30"), {"1", "2"}, 5, 2047},
        {QStringLiteral("TRV31"), {"1", "2", "4", "8"}, 3, 1965},
        {QStringLiteral("TRV32"), {"1", "2"}, 5, 2047},
        {QStringLiteral("TRV33"), {"1", "2", "4", "8"}, 5, 1550},
        {QStringLiteral("TRV40"), {"1", "2", "4", "8"}, 5, 1315},
        {QStringLiteral("TRV50"),
         {"2", "4", "8", "16", "32", "64", "128", "256", "5", "10", "25", "50", "125", "250"},
         1,
         2047},
        {QStringLiteral("TRV60"), {"1", "2", "4", "8", "16", "2/5", "5", "10"}, 3, 1635},
        {QStringLiteral("TRF70"), {"1", "2", "4", "8"}, 5, 1550},
    };
    return models;
}

bool depthValue(const QString &entry, long double *value) {
    QString text = entry;
    const qsizetype slash = text.indexOf(QLatin1Char('/'));
    if (slash >= 0)
        text[slash] = QLatin1Char(',');
    bool ok = false;
    const long double v = parseDecimal(text, &ok);
    if (ok)
        *value = v;
    return ok;
}

} // namespace korven
