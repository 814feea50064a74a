// The five top-level windows' settings slots before the settings are loaded, and the layout
// they get on a first start or when the user resets it: the main window on the left, detail and
// checklist stacked on the right, map above list floating over the main window.
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

// The frame assumed before any window is framed: as large as common window managers draw them,
// so that windows laid side by side and stacked never cover each other.
inline constexpr FrameMargins kAssumedWindowFrame{4, 36, 4, 6};

// The width of the right-hand column: w*k/16 for the smallest k in 5..8 that reaches 360 pixels,
// else w/2.
int DefaultSideWidth(int workWidth);

// Writes the default rectangles of slots 0..4. They are stored in screen coordinates, as the
// windows report their rectangles when they move, so a layout never drifts by the panels' size
// from one start to the next. The rectangles are client areas: with their frames, the main
// window and the two stacked windows on the right tile the work area, and map and list lie one
// above the other inside the main window's frame, so that no window covers another but the
// main window.
void ApplyDefaultLayout(SettingsValues& values, const WorkArea& area,
                        const FrameMargins& frame = kAssumedWindowFrame);

// A stored rectangle moved, and shrunk where it is larger, so that it lies inside the work area:
// a layout written on a larger screen opens whole on a smaller one.
WindowRect FitIntoWorkArea(const WindowRect& rect, const WorkArea& area);

}  // namespace vx
