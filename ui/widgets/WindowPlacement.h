// Puts a top-level window at a stored rectangle (screen coordinates of its client area), moved
// and shrunk onto the available area of the screen it falls on, or of the primary screen when it
// falls on none: a layout stored on another screen never leaves a window's edge out of reach.
// Dialogs open the same way over the window they belong to.
#pragma once

#include "app/SettingsValues.h"

class QMargins;
class QWidget;

namespace vx {

// A window not yet framed is fitted again once its frame is known.
void PlaceWindowOnScreen(QWidget& window, const WindowRect& rect);
// Puts a top-level window so that its frame covers `frameRect` (screen coordinates), as soon as
// the window manager tells how large the frame is.
void PlaceFrameOnScreen(QWidget& window, const WindowRect& frameRect);
// Moves and shrinks a shown window so that its frame lies on the screen's available area.
void FitFrameOnScreen(QWidget& window, const QMargins& frame);
// From now on `dialog` opens centred over its owner's window (over the active window while the
// owner is hidden, as the hidden window that owns the program's dialogs is; else in the middle of
// the screen), at its size hint with the height its wrapped texts need, shrunk as far as its
// minimum size allows so that its frame lies on the screen's available area, and fitted again
// when it grows while shown. A hidden dialog is placed at once as well, so that its window is
// made at its place: call this again when its contents change before it is first shown.
void PlaceDialogOnScreen(QWidget& dialog);

}  // namespace vx
