// The five top-level windows' settings slots before the settings are loaded, and the layout
// they get on a first start or when the user resets it.
#pragma once

#include "app/SettingsValues.h"

namespace vx {

// The desktop's work area (the screen without panels), in screen coordinates.
struct WorkArea {
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;
};

// Slot order of the five windows in the settings.
enum WindowSlot { kMainSlot, kMapSlot, kChecklistSlot, kDetailSlot, kListSlot, kFrameSlotCount };

// Writes the window ids into slots 0..4 (the later slots stay 0, so that nothing is saved under
// an unused id) and the first-start visibility: main, checklist and detail shown.
void InitWindowSlots(SettingsValues& values);

// What the window manager draws around a window's client area (title bar and borders), pixels.
struct FrameMargins {
  int left = 0;
  int top = 0;
  int right = 0;
  int bottom = 0;
};

// The frame a dialog is given until a window manager has framed it: as large as common window
// managers draw them.
inline constexpr FrameMargins kAssumedWindowFrame{4, 36, 4, 6};

// The width of the right-hand column: w*k/16 for the smallest k in 5..8 that reaches 360 pixels,
// else w/2.
int DefaultSideWidth(int workWidth);

// Where the window of slot 0..4 lies, its frame included, in the default layout: main on the left,
// detail above checklist on the right, map and list cascaded over the main window. Screen
// coordinates, as the windows report their rectangles when they move, so that a layout never
// drifts by the panels' size from one start to the next.
WindowRect DefaultFrameRect(int slot, const WorkArea& area);
// The client area of a window whose frame covers `frameRect`.
WindowRect ClientRectOfFrame(const WindowRect& frameRect, const FrameMargins& frame);

// Writes the client areas of the default layout into slots 0..4: the frames, as large as `frame`
// says, cover the default rectangles. With no frame known yet the slots hold the rectangles
// themselves, for the windows to take as frame rectangles (HoldsDefaultFrameRect).
void ApplyDefaultLayout(SettingsValues& values, const WorkArea& area,
                        const FrameMargins& frame = {});
// Whether the slot still holds its default rectangle as ApplyDefaultLayout wrote it without a
// frame: no profile gave the window a place of its own.
bool HoldsDefaultFrameRect(const SettingsValues& values, int slot, const WorkArea& area);

// A stored rectangle moved, and shrunk where it is larger, so that it lies inside the work area:
// a layout written on a larger screen opens whole on a smaller one.
WindowRect FitIntoWorkArea(const WindowRect& rect, const WorkArea& area);

}  // namespace vx
