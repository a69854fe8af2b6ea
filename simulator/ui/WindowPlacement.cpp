#include "WindowPlacement.h"

#include <algorithm>

namespace korven::sim {

WindowPlacement placeBeside(const QRect &main, const QRect &keepVisible, const QRect &screen,
                            const QSize &wanted, int minimumWidth) {
    const int height = std::min(wanted.height(), screen.height());
    const int top = std::clamp(main.top(), screen.top(), screen.bottom() + 1 - height);
    const int right = screen.right() - main.right();
    const int left = main.left() - screen.left();
    const auto beside = [&](int room, bool onTheRight) {
        const int width = std::min(wanted.width(), room);
        const int x = onTheRight ? main.right() + 1 : main.left() - width;
        return WindowPlacement{QRect(x, top, width, height), main.topLeft()};
    };
    if (right >= wanted.width())
        return beside(right, true);
    if (left >= wanted.width())
        return beside(left, false);
    if (std::max(left, right) >= minimumWidth)
        return beside(std::max(left, right), right >= left);
    QRect moved = main;
    moved.moveRight(screen.right());
    if (moved.left() < screen.left())
        moved.moveLeft(screen.left());
    const int room = keepVisible.translated(moved.left() - main.left(), 0).left() - screen.left();
    const int width =
        std::min(wanted.width(), std::max(room, std::min(minimumWidth, screen.width())));
    return {QRect(screen.left(), top, width, height), moved.topLeft()};
}

} // namespace korven::sim
