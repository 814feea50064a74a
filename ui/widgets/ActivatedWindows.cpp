#include "ui/widgets/ActivatedWindows.h"

#include <QApplication>
#include <QEvent>

namespace vx {

namespace {
constexpr std::size_t kKept = 8;
}  // namespace

ActivatedWindows& ActivatedWindows::Instance() {
  static QPointer<ActivatedWindows> windows;
  if (!windows) windows = new ActivatedWindows;
  return *windows;
}

ActivatedWindows::ActivatedWindows() : QObject(qApp) {
  qApp->installEventFilter(this);
  if (QWidget* active = QApplication::activeWindow()) Remember(active);
}

const QWidget* ActivatedWindows::Latest(const QWidget& except) const {
  for (auto it = windows_.rbegin(); it != windows_.rend(); ++it) {
    if (*it && *it != &except && (*it)->isVisible()) return *it;
  }
  return nullptr;
}

bool ActivatedWindows::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::WindowActivate && watched->isWidgetType()) {
    Remember(static_cast<QWidget*>(watched));
  }
  return QObject::eventFilter(watched, event);
}

void ActivatedWindows::Remember(QWidget* window) {
  if (!window->isWindow()) return;
  std::erase_if(windows_, [window](const QPointer<QWidget>& w) { return !w || w == window; });
  windows_.emplace_back(window);
  if (windows_.size() > kKept) windows_.erase(windows_.begin());
}

}  // namespace vx
