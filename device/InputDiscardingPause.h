#pragma once

#include <QObject>

namespace korven {

// A pause during which the window keeps painting and the serial port and timers are
// served, while user input is thrown away: keys, clicks and shortcuts made during the
// pause never act, neither now nor once it is over.
class InputDiscardingPause : public QObject {
public:
    static void wait(int milliseconds);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
};

} // namespace korven
