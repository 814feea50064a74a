#include "print/QtPrintEventSink.h"

#include <QCoreApplication>

#include "print/PrintMessageEvent.h"

namespace vx {

QEvent::Type PrintMessageEvent::EventType() {
  static const auto type = static_cast<QEvent::Type>(QEvent::registerEventType());
  return type;
}

void QtPrintEventSink::Post(OwnerWindow window, unsigned message, std::intptr_t lParam) {
  if (!window) return;
  // The queue takes the event over; posting never waits for the receiver.
  QCoreApplication::postEvent(static_cast<QObject*>(window),
                              new PrintMessageEvent(message, lParam));
}

}  // namespace vx
