#pragma once

#include <QLabel>

namespace korven {

// The outcome banner: its text centred in white on the shadow colour. A text wider than
// the strip is drawn in a smaller font, down to a floor, and then wrapped over as many
// lines as it needs, the strip growing in height for them; a text of several lines keeps
// its lines. The banner never asks for more width than the command area gives it, so an
// outcome never cuts anything off, neither itself nor the program list beside it.
class BannerLabel : public QLabel {
    Q_OBJECT
public:
    explicit BannerLabel(QWidget *parent = nullptr);

    static constexpr int kMinimumHeight = 38;

    // The point size the text is drawn with in the present size.
    qreal fittedPointSize() const;
    // Whether the text is drawn wrapped at the smallest size.
    bool wrapped() const;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;
    bool hasHeightForWidth() const override { return true; }
    int heightForWidth(int width) const override;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    // The drawing area of a banner this wide and high.
    static QRectF textArea(const QRectF &contents);
    bool fits(qreal pointSize, bool wrapped, const QRectF &area) const;
    qreal fittedPointSize(const QRectF &area) const;
};

} // namespace korven
