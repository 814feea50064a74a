// No manual comes with the program: the help commands and the dialogs' help buttons all say so
// with this one box.
#pragma once

#include "platform/UiServices.h"

namespace vx {

void ShowHelpUnavailable(UiServices& ui, OwnerWindow owner);

}  // namespace vx
