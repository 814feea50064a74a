// Controller services with scripted message boxes, dialogs and clipboard, and nothing else.
#pragma once

#include "app/CatalogController.h"
#include "tests/support/ScriptedUiServices.h"

namespace vxtest {

inline vx::ControllerServices UiOnly(vx::ScriptedUiServices& ui) {
  vx::ControllerServices services;
  services.ui = &ui;
  return services;
}

}  // namespace vxtest
