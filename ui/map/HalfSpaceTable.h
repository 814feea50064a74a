// Where the two halves of a desk lie on the hall map. A desk is W x H map pixels; its layout code
// 1..4 says how it is split between half a (space half 0) and half b (1):
//   1: a left, b right    2: a bottom, b top    3: a right, b left    4: a top, b bottom
// (W/2 and H/2 by integer division). Any other layout code means the space is not on the map.
#pragma once

#include <QPoint>
#include <QRect>

#include <array>

namespace vx {

class HalfSpaceTable {
 public:
  HalfSpaceTable() = default;
  HalfSpaceTable(int deskWidth, int deskHeight);

  // Relative to the desk's top left corner; null for a layout code outside 1..4 or a half other
  // than 0 and 1.
  QRect Half(int layout, int half) const;
  // The half on the map for a desk whose top left corner is `desk`; null as above.
  QRect HalfAt(QPoint desk, int layout, int half) const;

 private:
  std::array<QRect, 10> rects_{};  // by layout * 2 + half; entries 2..9 used
};

}  // namespace vx
