#include "ui/widgets/WindowPlacement.h"

#include <QEvent>
#include <QGuiApplication>
#include <QScreen>
#include <QWidget>
#include <QWindow>

#include "app/DefaultWindowLayout.h"

namespace vx {

namespace {

QMargins KnownFrame(const QWidget& window) {
  return window.windowHandle() ? window.windowHandle()->frameMargins() : QMargins();
}

WindowRect FitOntoScreen(const WindowRect& rect, const QMargins& frame) {
  const QPoint centre((rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2);
  const QScreen* screen = QGuiApplication::screenAt(centre);
  if (!screen) screen = QGuiApplication::primaryScreen();
  if (!screen) return rect;
  const QRect area = screen->availableGeometry().marginsRemoved(frame);
  return FitIntoWorkArea(rect, {area.left(), area.top(), area.width(), area.height()});
}

void SetClientRect(QWidget& window, const WindowRect& rect) {
  window.setGeometry(rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top);
}

// A window manager frames a window only once it is shown: until then its frame is unknown, and a
// window placed at the top of the screen would get its title bar above the screen's edge.
class FrameRefit : public QObject {
 public:
  static constexpr const char* kName = "frameRefit";

  explicit FrameRefit(QWidget& window) : QObject(&window), window_(window) {
    setObjectName(QString::fromLatin1(kName));
    window.windowHandle()->installEventFilter(this);
  }

  static bool Waiting(const QWidget& window) {
    return window.findChild<QObject*>(QString::fromLatin1(kName), Qt::FindDirectChildrenOnly);
  }

 protected:
  bool eventFilter(QObject*, QEvent* event) override {
    if (event->type() != QEvent::Expose && event->type() != QEvent::Move) return false;
    const QMargins frame = KnownFrame(window_);
    if (frame.isNull()) return false;
    window_.windowHandle()->removeEventFilter(this);
    deleteLater();
    FitFrameOnScreen(window_, frame);
    return false;
  }

 private:
  QWidget& window_;
};

}  // namespace

void PlaceWindowOnScreen(QWidget& window, const WindowRect& rect) {
  window.winId();  // creates the native window, which knows its frame where it can
  const QMargins frame = KnownFrame(window);
  if (frame.isNull() && !window.isVisible() && window.windowHandle() &&
      !FrameRefit::Waiting(window)) {
    new FrameRefit(window);
  }
  if (window.isMinimized() || window.isMaximized()) window.showNormal();
  SetClientRect(window, FitOntoScreen(rect, frame));
}

void FitFrameOnScreen(QWidget& window, const QMargins& frame) {
  const QRect now = window.geometry();
  const WindowRect rect{now.left(), now.top(), now.left() + now.width(),
                        now.top() + now.height()};
  const WindowRect fitted = FitOntoScreen(rect, frame);
  if (fitted.left != rect.left || fitted.top != rect.top || fitted.right != rect.right ||
      fitted.bottom != rect.bottom) {
    SetClientRect(window, fitted);
  }
}

}  // namespace vx
