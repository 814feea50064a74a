// The hidden window that owns the application's and the controller's message boxes, file dialogs
// and the page-jump dialog, so that they do not depend on any one frame.
#pragma once

#include <QWidget>

#include "app/BeaconWindow.h"

namespace vx {

class PageJumpDialog;

class BeaconWidget : public QWidget, public BeaconWindow {
  Q_OBJECT

 public:
  BeaconWidget();

  OwnerWindow DialogOwner() override { return static_cast<QWidget*>(this); }
  PageJumpWindow* CreatePageJumpWindow(CatalogController& controller) override;
  // The beacon itself stays hidden; the dialogs it owns come to the top.
  void BringToTop() override;

 private:
  PageJumpDialog* pageJump_ = nullptr;
};

}  // namespace vx
