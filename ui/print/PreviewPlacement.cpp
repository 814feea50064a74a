#include "ui/print/PreviewPlacement.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

#include <algorithm>

namespace vx {

QPoint CenteredPosition(const QRect& screen, const QRect& reference, const QSize& window) {
  const QRect area = reference.isEmpty() ? screen : reference.intersected(screen);
  const int right = area.left() + area.width();
  const int bottom = area.top() + area.height();
  const int x = std::max(
      screen.left(), std::min((area.left() + right - window.width()) / 2, right - window.width()));
  const int y = std::max(screen.top(), std::min((area.top() + bottom - window.height()) / 2,
                                                bottom - window.height()));
  return {x, y};
}

void CenterOver(QWidget* reference, QWidget* window) {
  const QScreen* screen = window->screen() ? window->screen() : QGuiApplication::primaryScreen();
  const QRect screenRect = screen ? screen->geometry() : QRect(0, 0, 1024, 768);
  const QRect referenceRect = reference ? reference->frameGeometry() : QRect();
  window->move(CenteredPosition(screenRect, referenceRect, window->frameGeometry().size()));
}

}  // namespace vx
