#include "ui/widgets/ModalInputFilter.h"

#include <QEvent>
#include <QWidget>

#include "app/ControllerWindow.h"
#include "app/WindowRegistry.h"

namespace vx {

ModalInputFilter::ModalInputFilter(const ModalGuard& guard, const WindowRegistry& registry,
                                   QObject* parent)
    : QObject(parent), guard_(guard), registry_(registry) {}

bool ModalInputFilter::eventFilter(QObject* watched, QEvent* event) {
  if (!guard_.IsRaised()) return false;
  bool activating = false;
  const ModalInput input = Classify(*event, activating);
  if (input == ModalInput::kOther) return false;
  if (!IsRegisteredFrame(OwningWindow(watched))) return false;
  if (!guard_.FilterInput(input, activating).handled) return false;
  // A close event arrives accepted; left so, the frame would close even though it was eaten.
  if (input == ModalInput::kClose) event->ignore();
  return true;
}

ModalInput ModalInputFilter::Classify(const QEvent& event, bool& activating) {
  activating = false;
  switch (event.type()) {
    case QEvent::MouseMove:
    case QEvent::NonClientAreaMouseMove:
      return ModalInput::kMouseMove;
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::NonClientAreaMouseButtonPress:
    case QEvent::NonClientAreaMouseButtonRelease:
    case QEvent::NonClientAreaMouseButtonDblClick:
    case QEvent::ContextMenu:
    case QEvent::TouchBegin:
    case QEvent::TouchUpdate:
    case QEvent::TouchEnd:
    case QEvent::TabletPress:
    case QEvent::TabletRelease:
    case QEvent::DragEnter:
    case QEvent::DragMove:
    case QEvent::Drop:
      return ModalInput::kMouseButton;
    case QEvent::Wheel:
      return ModalInput::kMouseWheel;
    case QEvent::KeyPress:
    case QEvent::ShortcutOverride:
    case QEvent::InputMethod:
      return ModalInput::kKeyDown;
    case QEvent::KeyRelease:
      return ModalInput::kKeyUp;
    case QEvent::Close:
      return ModalInput::kClose;
    case QEvent::Shortcut:
      return ModalInput::kCommand;
    case QEvent::WindowActivate:
      activating = true;
      return ModalInput::kActivate;
    case QEvent::WindowDeactivate:
      return ModalInput::kActivate;
    default:
      return ModalInput::kOther;
  }
}

QWidget* ModalInputFilter::OwningWindow(QObject* object) {
  for (QObject* o = object; o; o = o->parent()) {
    if (o->isWidgetType()) return static_cast<QWidget*>(o)->window();
  }
  return nullptr;
}

bool ModalInputFilter::IsRegisteredFrame(const QWidget* window) const {
  if (!window) return false;
  for (const WindowRecord& record : registry_.Records()) {
    if (dynamic_cast<const QWidget*>(record.window) == window) return true;
  }
  return false;
}

}  // namespace vx
