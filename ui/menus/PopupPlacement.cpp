#include "ui/menus/PopupPlacement.h"

#include <algorithm>

namespace vx {

namespace {

int ClampInto(int start, int length, int low, int high) {
  return std::max(low, std::min(start, high - length + 1));
}

}  // namespace

QPoint PopupPositionClearOf(const QPoint& wanted, const QSize& size, const QRect& keepClear,
                            const QRect& screen) {
  const int x = ClampInto(wanted.x(), size.width(), screen.left(), screen.right());
  const auto fits = [&](int y) {
    const QRect placed(QPoint(x, y), size);
    return screen.contains(placed) && !placed.intersects(keepClear);
  };
  if (fits(wanted.y())) return {x, wanted.y()};
  const int below = keepClear.bottom() + 1;
  if (fits(below)) return {x, below};
  const int above = keepClear.top() - size.height();
  if (fits(above)) return {x, above};
  // Taller than the room on either side: the larger side, kept on the screen.
  const bool belowIsLarger = screen.bottom() - keepClear.bottom() >= keepClear.top() - screen.top();
  return {x,
          ClampInto(belowIsLarger ? below : above, size.height(), screen.top(), screen.bottom())};
}

}  // namespace vx
