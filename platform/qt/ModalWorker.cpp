#include "platform/qt/ModalWorker.h"

#include <QCoreApplication>
#include <QEventLoop>

#include "platform/qt/UiThread.h"

namespace vx {

void ModalWorker::Finish() const {
  if (!hooks_.ended()) {
    if (hooks_.stop) hooks_.stop();
    if (HasUiThread()) {
      while (!hooks_.ended()) QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    }
  }
  if (hooks_.join) hooks_.join();
}

}  // namespace vx
