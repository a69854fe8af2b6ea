#include "ListingHeading.h"

#include "DriverSelection.h"

#include <QFileInfo>

namespace korven {

QString listingHeading(const QString &filePath, const QDateTime &printed,
                       const DriveSettings &drive) {
    const QString file =
        filePath.isEmpty() ? QStringLiteral("(nie zapisano)") : QFileInfo(filePath).fileName();
    QString heading = QStringLiteral("Plik: %1, wydrukowano %2\n")
                          .arg(file, printed.toString(QStringLiteral("dd.MM.yyyy HH:mm")));
    if (drive.PulsDiv <= 0)
        return heading + QStringLiteral("Sterownik: nie wybrano");
    DriverSelection selection;
    selection.applyIndexes(drive.ModelIndex, drive.DepthIndex);
    return heading + QStringLiteral("Sterownik: %1, głębokość podziału mikrokrokowego: %2")
                         .arg(selection.modelText(), selection.depthText());
}

} // namespace korven
