#include "ui/map/HalfSpaceTable.h"

namespace vx {

namespace {

QRect FromEdges(int left, int top, int right, int bottom) {
  return QRect(QPoint(left, top), QSize(right - left, bottom - top));
}

}  // namespace

HalfSpaceTable::HalfSpaceTable(int w, int h) {
  const QRect left = FromEdges(0, 0, w / 2, h);
  const QRect right = FromEdges(w / 2, 0, w, h);
  const QRect top = FromEdges(0, 0, w, h / 2);
  const QRect bottom = FromEdges(0, h / 2, w, h);
  const QRect halves[4][2] = {{left, right}, {bottom, top}, {right, left}, {top, bottom}};
  for (int layout = 1; layout <= 4; ++layout) {
    for (int half = 0; half < 2; ++half) rects_[layout * 2 + half] = halves[layout - 1][half];
  }
}

QRect HalfSpaceTable::Half(int layout, int half) const {
  if (layout < 1 || layout > 4 || half < 0 || half > 1) return QRect();
  return rects_[static_cast<std::size_t>(layout * 2 + half)];
}

QRect HalfSpaceTable::HalfAt(QPoint desk, int layout, int half) const {
  const QRect r = Half(layout, half);
  return r.isNull() ? r : r.translated(desk);
}

}  // namespace vx
