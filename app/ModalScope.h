// The controller's modal guard held for a scope: the frames take no input while a box or dialog
// of a command is open. A missing controller guards nothing.
#pragma once

#include "app/CatalogController.h"

namespace vx {

class ModalScope {
 public:
  explicit ModalScope(CatalogController* controller) : controller_(controller) {
    if (controller_) controller_->BeginModal();
  }
  ~ModalScope() {
    if (controller_) controller_->EndModal();
  }
  ModalScope(const ModalScope&) = delete;
  ModalScope& operator=(const ModalScope&) = delete;

 private:
  CatalogController* controller_;
};

}  // namespace vx
