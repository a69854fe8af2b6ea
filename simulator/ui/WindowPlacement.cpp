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
    // The main window moves right as far as needed and possible; what room is still
    // missing comes from its command area, never from keepVisible.
    const int shift = std::min(std::max(0, right), std::max(0, wanted.width() - left));
    const int free = left + shift;
    const int cover = std::max(0, keepVisible.left() - main.left());
    const int width =
        std::max(std::min(wanted.width(), free + cover), std::min(minimumWidth, screen.width()));
    const int x = std::max(screen.left(), main.left() + shift - width);
    return {QRect(x, top, width, height), main.topLeft() + QPoint(shift, 0)};
}

} // namespace korven::sim
