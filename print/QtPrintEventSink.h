// Posts print messages to their window through Qt's event queue: the window is a QObject (the
// print progress or preview dialog), and the event is delivered on that object's thread.
#pragma once

#include "print/PrintEventSink.h"

namespace vx {

class QtPrintEventSink final : public PrintEventSink {
 public:
  // `window` is the QObject* the dialog handed to the engine as the job's owner window; it
  // outlives the document thread, which the dialogs join before they go.
  void Post(OwnerWindow window, unsigned message, std::intptr_t lParam) override;
};

}  // namespace vx
