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

    bool operator==(const ListingText &other) const {
        return box == other.box && text == other.text && bold == other.bold &&
               alignment == other.alignment;
    }
};

using ListingPage = QList<ListingText>;

} // namespace korven
