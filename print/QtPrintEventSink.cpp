#include "print/QtPrintEventSink.h"

#include <QCoreApplication>

#include "platform/qt/UiThread.h"
#include "print/PrintMessageEvent.h"

namespace vx {

QEvent::Type PrintMessageEvent::EventType() {
  static const auto type = static_cast<QEvent::Type>(QEvent::registerEventType());
  return type;
}

void QtPrintEventSink::Post(OwnerWindow window, unsigned message, std::intptr_t lParam) {
  if (!window) return;
  auto* receiver = static_cast<QObject*>(window);
  // The queue takes the event over; posting never waits for the receiver.
  if (IsUiThread()) {
    QCoreApplication::postEvent(receiver, new PrintMessageEvent(message, lParam));
    return;
  }
  // A document thread's messages go the UI thread's own way; the window outlives the thread.
  PostToUiThread([receiver, message, lParam] {
    PrintMessageEvent event(message, lParam);
    QCoreApplication::sendEvent(receiver, &event);
  });
}

}  // namespace vx
