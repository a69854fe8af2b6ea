#pragma once

#include <QWidget>

class QLabel;
class QTimer;

namespace korven {

// The splash window shown while the program starts.
class TLogoForm : public QWidget {
    Q_OBJECT
public:
    explicit TLogoForm(QWidget *parent = nullptr);

    QLabel *picture;
    QLabel *ver;
    QTimer *timer;

    // Shows the splash and runs the event loop until its timer has closed it.
    void showUntilTimerEnds();

protected:
    void showEvent(QShowEvent *event) override;

private:
    void fitVersionLine();
};

} // namespace korven
