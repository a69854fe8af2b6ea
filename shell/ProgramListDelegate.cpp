#include "ProgramListDelegate.h"

#include "LineComment.h"
#include "ProgramListModel.h"

#include <QApplication>
#include <QPainter>
#include <QPainterPath>

namespace korven {
namespace {

using LineMark = ProgramListModel::LineMark;

bool has(int marks, LineMark mark) { return (marks & int(mark)) != 0; }

void drawBreakpoint(QPainter *painter, const QRect &gutter) {
    const int d = qMin(gutter.width(), gutter.height()) - 4;
    const QRect dot(gutter.center().x() - d / 2, gutter.center().y() - d / 2, d, d);
    painter->setPen(QColor(120, 0, 0));
    painter->setBrush(QColor(210, 30, 30));
    painter->drawEllipse(dot);
}

void drawCurrentArrow(QPainter *painter, const QRect &gutter) {
    const int h = qMin(gutter.width(), gutter.height()) - 4;
    const QPointF tip(gutter.right() - 1, gutter.center().y() + 0.5);
    QPainterPath arrow;
    arrow.moveTo(tip);
    arrow.lineTo(tip.x() - h * 0.8, tip.y() - h / 2.0);
    arrow.lineTo(tip.x() - h * 0.8, tip.y() + h / 2.0);
    arrow.closeSubpath();
    painter->setPen(QColor(120, 90, 0));
    painter->setBrush(QColor(255, 200, 0));
    painter->drawPath(arrow);
}

// Beside the text, so that a selected line that differs still shows it.
void drawDifference(QPainter *painter, const QRect &gutter) {
    painter->fillRect(QRect(gutter.left() + 1, gutter.top() + 1, 3, gutter.height() - 2),
                      QColor(200, 20, 20));
}

} // namespace

qsizetype ProgramListDelegate::commentStart(const QString &line) {
    return korven::commentStart(line);
}

void ProgramListDelegate::paint(QPainter *painter, const QStyleOptionViewItem &option,
                                const QModelIndex &index) const {
    QStyleOptionViewItem opt = option;
    initStyleOption(&opt, index);
    const QString text = opt.text;
    const int marks = index.data(ProgramListModel::MarksRole).toInt();
    const bool selected = opt.state & QStyle::State_Selected;
    if (has(marks, LineMark::Difference) && !selected)
        opt.backgroundBrush = QColor(255, 205, 205);
    if (has(marks, LineMark::Current) && !selected)
        opt.backgroundBrush = QColor(255, 244, 190);
    opt.text.clear();
    const QWidget *widget = opt.widget;
    QStyle *style = widget ? widget->style() : QApplication::style();
    style->drawControl(QStyle::CE_ItemViewItem, &opt, painter, widget);

    painter->save();
    const QRect gutter(opt.rect.left(), opt.rect.top(), kGutterWidth, opt.rect.height());
    painter->setRenderHint(QPainter::Antialiasing, true);
    if (has(marks, LineMark::Difference))
        drawDifference(painter, gutter);
    if (has(marks, LineMark::Breakpoint))
        drawBreakpoint(painter, gutter);
    if (has(marks, LineMark::Current))
        drawCurrentArrow(painter, gutter);
    painter->setRenderHint(QPainter::Antialiasing, false);

    const QRect textRect = opt.rect.adjusted(kGutterWidth + 2, 0, 0, 0);
    const QPalette::ColorGroup group =
        (opt.state & QStyle::State_Enabled) ? QPalette::Normal : QPalette::Disabled;
    const QColor textColour =
        opt.palette.color(group, selected ? QPalette::HighlightedText : QPalette::Text);
    painter->setFont(opt.font);
    const qsizetype comment = commentStart(text);
    const QString command = comment < 0 ? text : text.left(comment);
    painter->setPen(textColour);
    painter->drawText(textRect, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, command);
    if (comment >= 0) {
        const int offset = opt.fontMetrics.horizontalAdvance(command);
        const QColor commentColour = selected ? textColour : QColor(40, 110, 60);
        painter->setPen(commentColour);
        painter->drawText(textRect.adjusted(offset, 0, 0, 0),
                          Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, text.mid(comment));
    }
    painter->restore();
}

QSize ProgramListDelegate::sizeHint(const QStyleOptionViewItem &option,
                                    const QModelIndex &index) const {
    QSize size = QStyledItemDelegate::sizeHint(option, index);
    size.rwidth() += kGutterWidth + 2;
    return size;
}

} // namespace korven
