#include "ui/widgets/WindowPlacement.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>
#include <QWindow>

#include "app/DefaultWindowLayout.h"

namespace vx {

// The frame around the client area counts too, where the platform already knows it (a window
// that was shown before; on some platforms any window that exists).
void PlaceWindowOnScreen(QWidget& window, const WindowRect& rect) {
  const QPoint centre((rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2);
  const QScreen* screen = QGuiApplication::screenAt(centre);
  if (!screen) screen = QGuiApplication::primaryScreen();
  WindowRect placed = rect;
  if (screen) {
    window.winId();  // creates the native window, which knows its frame where it can
    const QMargins frame = window.windowHandle() ? window.windowHandle()->frameMargins()
                                                 : QMargins();
    const QRect area = screen->availableGeometry().marginsRemoved(frame);
    placed = FitIntoWorkArea(rect, {area.left(), area.top(), area.width(), area.height()});
  }
  if (window.isMinimized() || window.isMaximized()) window.showNormal();
  window.setGeometry(placed.left, placed.top, placed.right - placed.left,
                     placed.bottom - placed.top);
}

}  // namespace vx
