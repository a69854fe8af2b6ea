#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>

namespace korven::sim {

struct WindowPlacement {
    QRect window;       // the new window's frame
    QPoint mainTopLeft; // where the main window's frame goes (moved only when needed)
};

// Where a new window of the wanted size goes beside the main window, not over keepVisible
// (the main window's program list); all rectangles are frames in screen coordinates. It
// goes to the right or the left of the main window, whichever has room; with no room on
// either side the main window moves right as far as needed and possible, and the new
// window takes the room on its left, reaching over the main window up to keepVisible at
// most (over the command buttons, not the list).
WindowPlacement placeBeside(const QRect &main, const QRect &keepVisible, const QRect &screen,
                            const QSize &wanted, int minimumWidth);

} // namespace korven::sim
