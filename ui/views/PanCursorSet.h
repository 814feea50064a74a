// The cursors of the picture views, taken once from the program's pictures: arrow, open and closed
// hand for panning, and the centre mark with eight directions of the middle-button auto-scroll.
#pragma once

#include <QCursor>

#include <array>
#include <cstddef>

namespace vx {

// The auto-scroll cursors follow the direction index: centre 0, left 1, right 2, up 3, up-left 4,
// up-right 5, down 6, down-left 7, down-right 8 (the horizontal part plus the vertical part).
enum class ViewCursor {
  kArrow,
  kHand,
  kGrabbing,
  kScrollCentre,
  kScrollLeft,
  kScrollRight,
  kScrollUp,
  kScrollUpLeft,
  kScrollUpRight,
  kScrollDown,
  kScrollDownLeft,
  kScrollDownRight,
  kCount
};

constexpr ViewCursor AutoScrollCursor(int direction) {
  return static_cast<ViewCursor>(static_cast<int>(ViewCursor::kScrollCentre) + direction);
}

// The program cursor (IDCUR_) of a view cursor; 0 for the arrow.
int ProgramCursorId(ViewCursor which);

class PanCursorSet {
 public:
  PanCursorSet();

  const QCursor& Get(ViewCursor which) const { return cursors_[static_cast<std::size_t>(which)]; }

 private:
  std::array<QCursor, static_cast<std::size_t>(ViewCursor::kCount)> cursors_;
};

}  // namespace vx
