#include "ui/views/PanCursorSet.h"

#include "res/Pictures.h"
#include "res/ResourceIds.h"

namespace vx {

int ProgramCursorId(ViewCursor which) {
  static constexpr int kIds[] = {
      0,
      IDCUR_HAND,
      IDCUR_GRABBING,
      IDCUR_SCROLL_CENTER,
      IDCUR_SCROLL_LEFT,
      IDCUR_SCROLL_RIGHT,
      IDCUR_SCROLL_UP,
      IDCUR_SCROLL_UP_LEFT,
      IDCUR_SCROLL_UP_RIGHT,
      IDCUR_SCROLL_DOWN,
      IDCUR_SCROLL_DOWN_LEFT,
      IDCUR_SCROLL_DOWN_RIGHT,
  };
  static_assert(std::size(kIds) == static_cast<std::size_t>(ViewCursor::kCount));
  return kIds[static_cast<std::size_t>(which)];
}

PanCursorSet::PanCursorSet() {
  for (std::size_t i = 0; i < cursors_.size(); ++i) {
    cursors_[i] = ProgramCursor(ProgramCursorId(static_cast<ViewCursor>(i)));
  }
}

}  // namespace vx
