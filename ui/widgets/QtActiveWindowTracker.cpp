#include "ui/widgets/QtActiveWindowTracker.h"

#include <QApplication>
#include <QPointer>
#include <QWidget>

namespace vx {

namespace {

class RememberedWidget : public RememberedWindow {
 public:
  explicit RememberedWidget(QWidget* window) : window_(window) {}
  void Reactivate() override {
    if (window_ && window_->isVisible()) window_->activateWindow();
  }

 private:
  QPointer<QWidget> window_;
};

}  // namespace

std::unique_ptr<RememberedWindow> QtActiveWindowTracker::RememberActiveWindow() {
  return std::make_unique<RememberedWidget>(QApplication::activeWindow());
}

}  // namespace vx
