// Commands, keys and the mouse of the cut page view.
#include <QKeyEvent>
#include <QMouseEvent>

#include "app/CatalogController.h"
#include "res/ResourceIds.h"
#include "ui/menus/ColorMenu.h"
#include "ui/settings/SettingsSheet.h"
#include "ui/views/CutPageView.h"

namespace vx {

// --- Commands ------------------------------------------------------------------------------------

void CutPageView::CreateCommands() {
  CatalogController& c = controller_;
  commands_.On(ID_PREV_PAGE, [&c] { c.PrevPage(); })
      .On(ID_NEXT_PAGE, [&c] { c.NextPage(); })
      .On(ID_PREV_BLOCK, [&c] { c.PrevBlock(); })
      .On(ID_NEXT_BLOCK, [&c] { c.NextBlock(); })
      .On(ID_HISTORY_BACK, [&c] { c.GoBack(); })
      .On(ID_HISTORY_FORWARD, [&c] { c.GoForward(); })
      .On(ID_COLOR_EDIT, [this] { EditCheckColors(); });
  circleCommands_.AddTo(commands_);
}

void CutPageView::SetChecklistMenu(const ColorMenu* menu, CommandTarget* owner) {
  checklistMenu_ = menu;
  menuOwner_ = owner;
}

// The colour page alone, on a working copy of the settings; the marks may have new colours.
void CutPageView::EditCheckColors() {
  SettingsValues* values = controller_.GetValues();
  UiServices* ui = controller_.GetUiServices();
  if (values && ui) {
    SettingsSheet(SettingsSheet::Kind::kCheckColors, controller_, *values, *ui).Run(window());
  }
  viewport()->update();
}

// --- Keys ----------------------------------------------------------------------------------------

void CutPageView::keyPressEvent(QKeyEvent* event) {
  // The numeric pad counts as no modifier.
  const Qt::KeyboardModifiers modifiers =
      event->modifiers() & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier);
  bool handled = false;
  if (modifiers == Qt::NoModifier) {
    // Selection moves, not line scrolls.
    if (HandleNavigationKey(event->key())) {
      event->accept();
      return;
    }
    handled = circleCommands_.HandleColorKey(event->key());
  } else if ((modifiers & Qt::ControlModifier) && !(modifiers & Qt::AltModifier)) {
    static constexpr CircleCommands::ZoomKeys kZoomKeys{
        ID_FIT_PAGE, ID_ACTUAL_SIZE, ID_FIT_WIDTH_ONCE, ID_FOCUS_ZOOM_BOX, ID_ZOOM_IN, ID_ZOOM_OUT};
    handled = circleCommands_.HandleCtrlKey(event->key(), kZoomKeys,
                                            [this](int id) { Q_EMIT frameCommand(id); });
  }
  ZoomableImageView::keyPressEvent(event);
  if (handled) event->accept();
}

bool CutPageView::HandleNavigationKey(int key) {
  switch (key) {
    case Qt::Key_PageUp:
      controller_.PrevPage();
      return true;
    case Qt::Key_PageDown:
      controller_.NextPage();
      return true;
    case Qt::Key_Left:
      controller_.SelectPrevCut();
      return true;
    case Qt::Key_Right:
      controller_.SelectNextCut();
      return true;
    case Qt::Key_Up:
      controller_.SelectCutAbove();
      return true;
    case Qt::Key_Down:
      controller_.SelectCutBelow();
      return true;
    default:
      return false;
  }
}

// --- Mouse ---------------------------------------------------------------------------------------

int CutPageView::CutUnder(QPoint viewPoint) const {
  if (!HasImage()) return 0;
  const QPoint page = ViewToImage(viewPoint);
  return controller_.HitTestCut(page.x(), page.y());
}

void CutPageView::SelectAt(QPoint point) {
  Q_EMIT pointerReported(point);
  if (IsPanning()) return;
  hoverCut_ = CutUnder(point);
  if (!pinned_) controller_.SelectCut(hoverCut_);
}

void CutPageView::mouseMoveEvent(QMouseEvent* event) {
  const QPoint point = event->position().toPoint();
  if (autoSelect_ && !pinned_) SelectAt(point);
  const int cut = CutUnder(point);
  if (cut != hoverCut_) {
    hoverCut_ = cut;
    Q_EMIT pointerReported(point);
  }
  ZoomableImageView::mouseMoveEvent(event);
}

void CutPageView::mousePressEvent(QMouseEvent* event) {
  const QPoint point = event->position().toPoint();
  const Qt::KeyboardModifiers modifiers = event->modifiers();
  if (event->button() == Qt::LeftButton) {
    ZoomableImageView::mousePressEvent(event);
    SelectAt(point);
    if (modifiers & Qt::ShiftModifier) {
      PinSelection();
      return;
    }
    if (oneClick_ && !IsPanning() && !pinned_ && HasCurrentCircle()) {
      OnCommand(ID_CHECK_CURRENT_COLOR);
    }
    UnpinSelection();
  } else if (event->button() == Qt::RightButton) {
    if (pinned_) {
      UnpinSelection();
      SelectAt(point);
      return;
    }
    ZoomableImageView::mousePressEvent(event);
    SelectAt(point);
    if (!(modifiers & (Qt::ShiftModifier | Qt::ControlModifier)) && HasCurrentCircle() &&
        checklistMenu_) {
      checklistMenu_->TrackPopup(event->globalPosition().toPoint(),
                                 menuOwner_ ? *menuOwner_ : *this);
    }
  } else {
    ZoomableImageView::mousePressEvent(event);
  }
}

void CutPageView::mouseDoubleClickEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) return;
  UnpinSelection();
  SelectAt(event->position().toPoint());
  if (!IsPanning()) OnCommand(ID_CHECK_CURRENT_COLOR);
}

}  // namespace vx
