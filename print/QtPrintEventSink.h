// Posts print messages to their window through the UI thread's queue: the window is a QObject
// (the print progress or preview dialog) of the UI thread, and gets each message as a
// PrintMessageEvent, in the order posted.
#pragma once

#include "print/PrintEventSink.h"

namespace vx {

class QtPrintEventSink final : public PrintEventSink {
 public:
  // `window` is the QObject* the dialog handed to the engine as the job's owner window; it
  // outlives the document thread, which the dialogs join before they go. Any thread.
  void Post(OwnerWindow window, unsigned message, std::intptr_t lParam) override;
};

}  // namespace vx
