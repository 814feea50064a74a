// A print message (UM_PRINT_PROGRESS .. UM_PRINT_PAGE) as a Qt event, queued to the job's message
// window by QtPrintEventSink; the receiving dialog takes it in its event handler.
#pragma once

#include <QEvent>
#include <cstdint>

namespace vx {

class PrintMessageEvent final : public QEvent {
 public:
  static QEvent::Type EventType();

  PrintMessageEvent(unsigned message, std::intptr_t lParam)
      : QEvent(EventType()), message_(message), lParam_(lParam) {}

  unsigned Message() const { return message_; }
  std::intptr_t LParam() const { return lParam_; }

 private:
  unsigned message_;
  std::intptr_t lParam_;
};

}  // namespace vx
