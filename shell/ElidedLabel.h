#pragma once

#include <QLabel>

namespace korven {

// A one-row label that asks for the width of its text but takes whatever width it is given,
// ending a text too long for it with "…". setFullText also makes the whole text its tooltip.
class ElidedLabel : public QLabel {
    Q_OBJECT
public:
    explicit ElidedLabel(QWidget *parent = nullptr);

    void setFullText(const QString &text);
    QString fullText() const { return text(); }

    QSize minimumSizeHint() const override;
    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;
};

} // namespace korven
