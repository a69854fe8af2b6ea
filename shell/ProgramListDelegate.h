#pragma once

#include <QStyledItemDelegate>

namespace korven {

// Draws a program line with a gutter for its marks (breakpoint, the line about to run) and
// a tinted background for a line the device holds differently; a comment after the command
// ("  # ...") is drawn in a second colour.
class ProgramListDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    static constexpr int kGutterWidth = 16;
    // Where a line's comment starts in its text, -1 when it has none.
    static qsizetype commentStart(const QString &line);

    void paint(QPainter *painter, const QStyleOptionViewItem &option,
               const QModelIndex &index) const override;
    QSize sizeHint(const QStyleOptionViewItem &option, const QModelIndex &index) const override;
};

} // namespace korven
