// The hidden beacon window that owns the controller's message boxes, file dialogs and the
// modeless page-jump dialog, so that they outlive any one frame.
#pragma once

#include "app/StackedWindow.h"
#include "platform/UiServices.h"

namespace vx {

class CatalogController;
class PageJumpWindow;

class BeaconWindow : public StackedWindow {
 public:
  // The owner handed to the UI services for boxes and dialogs.
  virtual OwnerWindow DialogOwner() = 0;
  // Creates the page-jump dialog owned by this window; it lives as long as the beacon.
  virtual PageJumpWindow* CreatePageJumpWindow(CatalogController& controller) = 0;
};

}  // namespace vx
