#pragma once

#include <QLabel>

namespace korven {

// The outcome banner: its text centred in white on the shadow colour. A text wider than
// the strip is drawn in a smaller font, down to a floor, and then on two lines, so that an
// outcome is never cut off at the edges.
class BannerLabel : public QLabel {
    Q_OBJECT
public:
    explicit BannerLabel(QWidget *parent = nullptr);

    // The point size the text is drawn with in the present width.
    qreal fittedPointSize() const;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    bool fits(qreal pointSize, bool wrapped) const;
};

} // namespace korven
