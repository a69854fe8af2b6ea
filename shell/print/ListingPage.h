#pragma once

#include <QList>
#include <QRectF>
#include <QString>

namespace korven {

// One text box of a laid-out page; millimetres from the top left corner of the printable
// area.
struct ListingText {
    QRectF box;
    QString text;
    bool bold = false;
    Qt::Alignment alignment = Qt::AlignLeft | Qt::AlignVCenter;
};

using ListingPage = QList<ListingText>;

} // namespace korven
