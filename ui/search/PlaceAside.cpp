#include "ui/search/PlaceAside.h"

#include <algorithm>

namespace vx {

namespace {

int Clamp(int start, int length, int areaStart, int areaLength) {
  return std::max(areaStart, std::min(start, areaStart + areaLength - length));
}

long long Covered(const QRect& frame, const QRect& other) {
  const QRect common = frame.intersected(other);
  return static_cast<long long>(common.width()) * common.height();
}

}  // namespace

QPoint PlaceAside(const QRect& frame, const QRect& keepInSight, const QRect& area) {
  if (!frame.intersects(keepInSight)) return frame.topLeft();
  const int lefts[] = {frame.left(), keepInSight.right() + 1, keepInSight.left() - frame.width()};
  const int tops[] = {frame.top(), keepInSight.bottom() + 1, keepInSight.top() - frame.height()};
  QPoint best = frame.topLeft();
  long long bestCover = Covered(frame, keepInSight);
  int bestDistance = 0;
  for (const int left : lefts) {
    for (const int top : tops) {
      const QPoint place(Clamp(left, frame.width(), area.left(), area.width()),
                         Clamp(top, frame.height(), area.top(), area.height()));
      const long long cover = Covered(QRect(place, frame.size()), keepInSight);
      const int distance = (place - frame.topLeft()).manhattanLength();
      if (cover < bestCover || (cover == bestCover && distance < bestDistance)) {
        best = place;
        bestCover = cover;
        bestDistance = distance;
      }
    }
  }
  return best;
}

}  // namespace vx
