// Commands, keys and the mouse of the detail view.
#include <QKeyEvent>
#include <QMouseEvent>

#include "app/CatalogController.h"
#include "app/SettingsValues.h"
#include "res/ResourceIds.h"
#include "ui/detail/DetailView.h"
#include "ui/menus/ColorMenu.h"

namespace vx {

// Every command on the circle first writes back a memo being typed: a checklist change would
// otherwise reload the box over it.
void DetailView::CreateCommands() {
  CatalogController& c = controller_;
  commands_
      .OnRange(ID_CHECK_COLOR_FIRST, ID_CHECK_COLOR_LAST,
               [this](int id) { CheckCurrent(id - ID_CHECK_COLOR_FIRST + 1); })
      .OnRange(ID_CURRENT_COLOR_FIRST, ID_CURRENT_COLOR_LAST,
               [&c](int id) { c.SetCurrentColor(id - ID_CURRENT_COLOR_FIRST); })
      .On(ID_CHECK_CURRENT_COLOR, [this] { CheckCurrent(-1); })
      .On(ID_UNCHECK, [this] { UncheckCurrent(); })
      .On(ID_COPY_CIRCLE, [this] { CopyCurrent(); })
      .On(ID_PASTE_CHECKLIST, [this] { Paste(); })
      .On(ID_CUT_CIRCLE, [this] { CutCurrent(); });
  // Only the colours the checklist has can be chosen.
  const auto existing = [&c](int first) {
    return [&c, first](int id, CommandState& state) {
      state.enabled = id - first < c.GetColorCount();
    };
  };
  commands_.OnUpdateRange(ID_CHECK_COLOR_FIRST, ID_CHECK_COLOR_LAST, existing(ID_CHECK_COLOR_FIRST))
      .OnUpdateRange(ID_CURRENT_COLOR_FIRST, ID_CURRENT_COLOR_LAST,
                     existing(ID_CURRENT_COLOR_FIRST))
      .OnUpdate(ID_PASTE_CHECKLIST,
                [&c](int, CommandState& state) { state.enabled = c.IsClipboardTextAvailable(); });
}

// A negative colour is the current one.
void DetailView::CheckCurrent(int color) {
  SaveMemo();
  controller_.SetCircleColor(color, circle_.id);
}

void DetailView::UncheckCurrent() {
  SaveMemo();
  controller_.UncheckCircle(circle_.id);
}

bool DetailView::CopyCurrent() {
  const int ids[] = {circle_.id};
  return circle_.id > 0 && controller_.CopyCirclesToClipboard(ids);
}

// Never removes what could not be copied.
void DetailView::CutCurrent() {
  if (CopyCurrent()) UncheckCurrent();
}

void DetailView::Paste() {
  if (!controller_.IsClipboardTextAvailable()) return;
  SaveMemo();
  controller_.PasteFromClipboard();
}

void DetailView::MoveOnIf(bool setting) {
  if (setting) controller_.SelectNextCut();
}

// --- Keys ----------------------------------------------------------------------------------------

void DetailView::keyPressEvent(QKeyEvent* event) {
  // The numeric pad counts as no modifier.
  const Qt::KeyboardModifiers modifiers =
      event->modifiers() & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier);
  bool handled = false;
  if (modifiers == Qt::ControlModifier) {
    const int id = event->key() == Qt::Key_C   ? ID_COPY_CIRCLE
                   : event->key() == Qt::Key_V ? ID_PASTE_CHECKLIST
                   : event->key() == Qt::Key_X ? ID_CUT_CIRCLE
                                               : 0;
    handled = id != 0 && OnCommand(id);
  } else if (modifiers == Qt::NoModifier) {
    handled = HandleColorKey(*event);
  }
  QAbstractScrollArea::keyPressEvent(event);  // the arrow keys scroll by a line
  if (handled) event->accept();
}

bool DetailView::HandleColorKey(const QKeyEvent& event) {
  const SettingsValues* values = controller_.Values();
  const bool autoNext = values && values->autoNext;
  const bool autoNext2 = values && values->autoNext2;
  const int key = event.key();
  if (key >= Qt::Key_1 && key <= Qt::Key_9) {
    const int color = key - Qt::Key_0;
    if (color > controller_.GetColorCount()) return true;
    CheckCurrent(color);
    MoveOnIf(autoNext2);
    return true;
  }
  switch (key) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
      CheckCurrent(-1);
      MoveOnIf(autoNext);
      return true;
    case Qt::Key_Delete:
    case Qt::Key_0:
      UncheckCurrent();
      MoveOnIf(autoNext2);
      return true;
    default:
      return false;
  }
}

// --- Mouse ---------------------------------------------------------------------------------------

// Clicks do nothing but take the focus; the right button over the cut opens the checklist menu.
void DetailView::mousePressEvent(QMouseEvent* event) {
  setFocus(Qt::MouseFocusReason);
  event->accept();
  if (event->button() != Qt::RightButton || !checklistMenu_ || circle_.id == 0) return;
  if (!CutArea().adjusted(0, 0, 1, 1).contains(event->position().toPoint())) return;
  checklistMenu_->TrackPopup(event->globalPosition().toPoint(), menuOwner_ ? *menuOwner_ : *this);
}

void DetailView::mouseDoubleClickEvent(QMouseEvent* event) { event->accept(); }

}  // namespace vx
