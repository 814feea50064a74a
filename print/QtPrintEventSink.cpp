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
  // Queued also from the UI thread, in one order with the UI thread's other queued work; a
  // window that goes before its messages arrive drops them.
  PostToUiThread(receiver, [receiver, message, lParam] {
    PrintMessageEvent event(message, lParam);
    QCoreApplication::sendEvent(receiver, &event);
  });
}

}  // namespace vx
