// Zoom arithmetic shared by the picture windows: steps of 25 % snapped to the grid of 25, clamped
// to the window's range.
#pragma once

namespace vx {

constexpr int kZoomStep = 25;

// One step up or down from `zoom`; an off-grid zoom snaps to the grid (110 -> 125 or 75).
int ZoomStepIn(int zoom, int maxZoom);
int ZoomStepOut(int zoom, int minZoom);
// One step in the direction of a wheel turn (`delta` > 0 zooms in); a zero delta keeps `zoom`.
int ZoomStepByWheel(int zoom, int delta, int minZoom, int maxZoom);

}  // namespace vx
