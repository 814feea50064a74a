// Keys, the mouse and the checklist menu of the hall map view.
#include <QKeyEvent>
#include <QMouseEvent>

#include "app/CatalogController.h"
#include "res/ResourceIds.h"
#include "ui/map/HallMapView.h"
#include "ui/menus/ColorMenu.h"

namespace vx {

void HallMapView::SetChecklistMenu(const ColorMenu* menu, CommandTarget* owner) {
  checklistMenu_ = menu;
  menuOwner_ = owner;
}

// The arrow keys scroll (the image view's own handling).
void HallMapView::keyPressEvent(QKeyEvent* event) {
  // The numeric pad counts as no modifier.
  const Qt::KeyboardModifiers modifiers =
      event->modifiers() & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier);
  bool handled = false;
  if (modifiers == Qt::NoModifier) {
    handled = circleCommands_.HandleColorKey(event->key());
  } else if ((modifiers & Qt::ControlModifier) && !(modifiers & Qt::AltModifier)) {
    static constexpr CircleCommands::ZoomKeys kZoomKeys{
        ID_MAP_FIT_WHOLE,      ID_MAP_ACTUAL_SIZE, ID_MAP_FIT_WIDTH_ONCE,
        ID_MAP_FOCUS_ZOOM_BOX, ID_MAP_ZOOM_IN,     ID_MAP_ZOOM_OUT};
    handled = circleCommands_.HandleCtrlKey(event->key(), kZoomKeys,
                                            [this](int id) { Q_EMIT frameCommand(id); });
  }
  ZoomableImageView::keyPressEvent(event);
  if (handled) event->accept();
}

void HallMapView::HitTest(QPoint viewPoint) {
  if (IsPanning()) return;
  lastHit_ = 0;
  if (mapsPerDay_ < 1) return;
  const QPoint map = ViewToImage(viewPoint);
  const int day = currentSlot_ / mapsPerDay_ + 1;
  const int mapId = currentSlot_ % mapsPerDay_ + 1;
  lastHit_ = controller_.GetCircleIdAtMapPoint(map.x(), map.y(), mapId, day);
  if (lastHit_ > 0) controller_.SelectCircle(lastHit_, true);
}

void HallMapView::mousePressEvent(QMouseEvent* event) {
  ZoomableImageView::mousePressEvent(event);
  const QPoint point = event->position().toPoint();
  if (event->button() == Qt::LeftButton) {
    HitTest(point);
  } else if (event->button() == Qt::RightButton) {
    HitTest(point);
    if (lastHit_ > 0 && checklistMenu_) {
      checklistMenu_->TrackPopup(event->globalPosition().toPoint(),
                                 menuOwner_ ? *menuOwner_ : *this);
    }
  }
}

void HallMapView::mouseDoubleClickEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) return;
  HitTest(event->position().toPoint());
  if (!IsPanning() && lastHit_ > 0) controller_.SetCircleColor(-1, lastHit_);
}

}  // namespace vx
