#include "ui/views/PanCursorSet.h"

namespace vx {

PanCursorSet::PanCursorSet() {
  const Qt::CursorShape shapes[] = {
      Qt::ArrowCursor,     Qt::OpenHandCursor, Qt::ClosedHandCursor, Qt::SizeAllCursor,
      Qt::SizeHorCursor,   Qt::SizeHorCursor,  Qt::SizeVerCursor,    Qt::SizeFDiagCursor,
      Qt::SizeBDiagCursor, Qt::SizeVerCursor,  Qt::SizeBDiagCursor,  Qt::SizeFDiagCursor,
  };
  static_assert(std::size(shapes) == static_cast<std::size_t>(ViewCursor::kCount));
  for (std::size_t i = 0; i < cursors_.size(); ++i) cursors_[i] = QCursor(shapes[i]);
}

}  // namespace vx
