#include "ui/main/BeaconWidget.h"

#include "ui/main/PageJumpDialog.h"

namespace vx {

BeaconWidget::BeaconWidget() : QWidget(nullptr, Qt::Window) {
  setObjectName(QStringLiteral("PavorunCatalogApp"));
  setGeometry(0, 100, 640, 480);
  hide();
}

PageJumpWindow* BeaconWidget::CreatePageJumpWindow(CatalogController& controller) {
  delete pageJump_;
  pageJump_ = new PageJumpDialog(this, controller);
  return pageJump_;
}

void BeaconWidget::BringToTop() {
  for (QWidget* child : findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
    if (child->isWindow() && child->isVisible()) child->raise();
  }
}

}  // namespace vx
