// Commands, keys and the mouse of the cut page view.
#include <QKeyEvent>
#include <QMouseEvent>

#include "app/CatalogController.h"
#include "ui/views/CutPageView.h"

namespace vx {

namespace {

// Commands of the view.
constexpr int kPrevPage = 32774;
constexpr int kNextPage = 32775;
constexpr int kPrevBlock = 32865;
constexpr int kNextBlock = 32864;
constexpr int kHistoryBack = 32845;
constexpr int kHistoryForward = 32846;
constexpr int kCheckColorFirst = 33001;    // check with colour number 1 ..
constexpr int kCheckColorLast = 33017;     // .. 17
constexpr int kCurrentColorFirst = 33051;  // make colour index 0 current ..
constexpr int kCurrentColorLast = 33067;   // .. 16
constexpr int kCheckCurrentColor = 33040;
constexpr int kUncheck = 33020;
constexpr int kEditCheckColors = 33041;
constexpr int kCopy = 1707;
constexpr int kPaste = 1708;
constexpr int kCopyAndUncheck = 1709;

// Commands of the frame that the view's keys send.
constexpr int kFitWholePage = 32814;
constexpr int kActualSize = 32789;
constexpr int kFitWidthOnce = 153;
constexpr int kFocusZoomBox = 157;
constexpr int kZoomIn = 32788;
constexpr int kZoomOut = 32787;

}  // namespace

// --- Commands ------------------------------------------------------------------------------------

bool CutPageView::HandleCommand(int id) {
  if (id >= kCheckColorFirst && id <= kCheckColorLast) {
    CheckCurrent(id - kCheckColorFirst + 1);
    return true;
  }
  if (id >= kCurrentColorFirst && id <= kCurrentColorLast) {
    controller_.SetCurrentColor(id - kCurrentColorFirst);
    return true;
  }
  switch (id) {
    case kPrevPage:
      controller_.PrevPage();
      return true;
    case kNextPage:
      controller_.NextPage();
      return true;
    case kPrevBlock:
      controller_.PrevBlock();
      return true;
    case kNextBlock:
      controller_.NextBlock();
      return true;
    case kHistoryBack:
      controller_.GoBack();
      return true;
    case kHistoryForward:
      controller_.GoForward();
      return true;
    case kCheckCurrentColor:
      controller_.SetCircleColor(-1, current_.id);
      return true;
    case kUncheck:
      UncheckCurrent();
      return true;
    case kEditCheckColors:
      if (hooks_.editCheckColors) hooks_.editCheckColors();
      viewport()->update();
      return true;
    case kCopy:
      CopyCurrent();
      return true;
    case kPaste:
      if (hooks_.pasteChecklist) hooks_.pasteChecklist();
      return true;
    case kCopyAndUncheck:
      // Never removes what could not be copied.
      if (HasCurrentCircle() && hooks_.copyCircle) {
        CopyCurrent();
        UncheckCurrent();
      }
      return true;
    default:
      return false;
  }
}

// A colour beyond the checklist's colour count does not exist: nothing is checked with it.
void CutPageView::CheckCurrent(int color) {
  if (color > controller_.GetColorCount()) return;
  controller_.SetCircleColor(color, current_.id);
}

void CutPageView::UncheckCurrent() { controller_.UncheckCircle(current_.id); }

void CutPageView::CopyCurrent() {
  if (HasCurrentCircle() && hooks_.copyCircle) hooks_.copyCircle(current_.id);
}

bool CutPageView::AutoNext() const {
  const SettingsValues* values = controller_.Values();
  return values && values->autoNext;
}

bool CutPageView::AutoNext2() const {
  const SettingsValues* values = controller_.Values();
  return values && values->autoNext2;
}

void CutPageView::MoveOnIf(bool setting) {
  if (setting) controller_.SelectNextCut();
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
    handled = HandleColorKey(event->key());
  } else if ((modifiers & Qt::ControlModifier) && !(modifiers & Qt::AltModifier)) {
    handled = HandleCtrlKey(event->key());
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

bool CutPageView::HandleColorKey(int key) {
  if (key >= Qt::Key_1 && key <= Qt::Key_9) {
    const int color = key - Qt::Key_0;
    if (color > controller_.GetColorCount()) return true;
    CheckCurrent(color);
    MoveOnIf(AutoNext2());
    return true;
  }
  switch (key) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
      HandleCommand(kCheckCurrentColor);
      MoveOnIf(AutoNext());
      return true;
    case Qt::Key_Delete:
    case Qt::Key_0:
      UncheckCurrent();
      MoveOnIf(AutoNext2());
      return true;
    default:
      return false;
  }
}

bool CutPageView::HandleCtrlKey(int key) {
  int frameCommandId = 0;
  switch (key) {
    case Qt::Key_0:
      frameCommandId = kFitWholePage;
      break;
    case Qt::Key_1:
      frameCommandId = kActualSize;
      break;
    case Qt::Key_2:
      frameCommandId = kFitWidthOnce;
      break;
    case Qt::Key_M:
      frameCommandId = kFocusZoomBox;
      break;
    case Qt::Key_Plus:
    case Qt::Key_Equal:  // the unshifted plus key
      frameCommandId = kZoomIn;
      break;
    case Qt::Key_Minus:
      frameCommandId = kZoomOut;
      break;
    case Qt::Key_C:
      return HandleCommand(kCopy);
    case Qt::Key_V:
      return HandleCommand(kPaste);
    case Qt::Key_X:
      return HandleCommand(kCopyAndUncheck);
    default:
      return false;
  }
  Q_EMIT frameCommand(frameCommandId);
  return true;
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
      HandleCommand(kCheckCurrentColor);
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
        hooks_.showChecklistMenu) {
      hooks_.showChecklistMenu(event->globalPosition().toPoint());
    }
  } else {
    ZoomableImageView::mousePressEvent(event);
  }
}

void CutPageView::mouseDoubleClickEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) return;
  UnpinSelection();
  SelectAt(event->position().toPoint());
  if (!IsPanning()) HandleCommand(kCheckCurrentColor);
}

}  // namespace vx
