// Commands, keys and the mouse of the detail view.
#include <QKeyEvent>
#include <QMouseEvent>

#include "app/CatalogController.h"
#include "res/ResourceIds.h"
#include "ui/detail/DetailView.h"
#include "ui/main/CatalogCommandGate.h"
#include "ui/menus/ColorMenu.h"

namespace vx {

void DetailView::CreateCommands() { circleCommands_.AddTo(commands_); }

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
    // Closed without a catalogue, as their items are.
    handled = id != 0 && !CatalogCommandGate(controller_).IsClosed(id) && OnCommand(id);
  } else if (modifiers == Qt::NoModifier) {
    handled = circleCommands_.HandleColorKey(event->key());
  }
  QAbstractScrollArea::keyPressEvent(event);  // the arrow keys scroll by a line
  if (handled) event->accept();
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
