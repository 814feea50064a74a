// Acts on every window of type T once it shows: an application-wide filter sees the window's
// Show event and queues the action behind it, so that it runs inside the window's own loop.
#pragma once

#include <QApplication>
#include <QEvent>
#include <QMetaObject>
#include <QObject>
#include <QPointer>

#include <functional>
#include <utility>

namespace vxtest {

template <class T>
class OnShow : public QObject {
 public:
  explicit OnShow(std::function<void(T*)> act) : act_(std::move(act)) {
    qApp->installEventFilter(this);
  }
  ~OnShow() override { qApp->removeEventFilter(this); }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    auto* window = qobject_cast<T*>(watched);
    if (event->type() == QEvent::Show && window && window->isWindow()) {
      QMetaObject::invokeMethod(
          this,
          [this, shown = QPointer<T>(window)] {
            if (shown) act_(shown);
          },
          Qt::QueuedConnection);
    }
    return false;
  }

 private:
  std::function<void(T*)> act_;
};

}  // namespace vxtest
