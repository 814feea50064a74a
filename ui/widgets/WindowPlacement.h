// Puts a top-level window at a stored rectangle (screen coordinates of its client area), moved
// and shrunk onto the available area of the screen it falls on, or of the primary screen when it
// falls on none: a layout stored on another screen never leaves a window's edge out of reach.
#pragma once

#include "app/SettingsValues.h"

class QWidget;

namespace vx {

void PlaceWindowOnScreen(QWidget& window, const WindowRect& rect);

}  // namespace vx
