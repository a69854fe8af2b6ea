#include "InputDiscardingPause.h"

#include <QCoreApplication>
#include <QEvent>
#include <QEventLoop>
#include <QTimer>

namespace korven {

void InputDiscardingPause::wait(int milliseconds) {
    InputDiscardingPause filter;
    QCoreApplication::instance()->installEventFilter(&filter);
    QEventLoop loop;
    QTimer::singleShot(milliseconds, Qt::PreciseTimer, &loop, &QEventLoop::quit);
    loop.exec();
    QCoreApplication::instance()->removeEventFilter(&filter);
}

bool InputDiscardingPause::eventFilter(QObject *, QEvent *event) {
    switch (event->type()) {
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
    case QEvent::ShortcutOverride:
    case QEvent::Shortcut:
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::Wheel:
    case QEvent::TouchBegin:
    case QEvent::TouchUpdate:
    case QEvent::TouchEnd:
    case QEvent::ContextMenu: return true;
    // The window's close button: the close would pull the port from under the pause.
    case QEvent::Close: return event->spontaneous();
    default: return false;
    }
}

} // namespace korven
