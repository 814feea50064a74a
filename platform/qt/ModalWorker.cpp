#include "platform/qt/ModalWorker.h"

#include <QCoreApplication>
#include <QEventLoop>

#include "platform/qt/UiThread.h"

namespace vx {

void ModalWorker::Finish() const {
  if (!hooks_.ended()) {
    if (hooks_.stop) hooks_.stop();
    // Input waits: a click or key handled here would start a command from inside the caller,
    // which may be a destructor or a dialog that is closing. A worker still waiting for the UI
    // thread when the application ends gets an error instead and ends too.
    while (HasUiThread() && !QCoreApplication::closingDown() && !hooks_.ended()) {
      // An end queued before the caller's own queued call began waits behind that call, where a
      // wait for new events does not look.
      QCoreApplication::sendPostedEvents();
      if (hooks_.ended()) break;
      QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents |
                                      QEventLoop::ExcludeUserInputEvents);
    }
  }
  if (hooks_.join) hooks_.join();
}

}  // namespace vx
