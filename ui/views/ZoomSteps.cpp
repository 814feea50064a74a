#include "ui/views/ZoomSteps.h"

#include <algorithm>

namespace vx {

namespace {

int SnapToStep(int zoom) { return zoom / kZoomStep * kZoomStep; }

}  // namespace

int ZoomStepIn(int zoom, int maxZoom) { return std::min(SnapToStep(zoom + kZoomStep), maxZoom); }

int ZoomStepOut(int zoom, int minZoom) { return std::max(SnapToStep(zoom - kZoomStep), minZoom); }

int ZoomStepByWheel(int zoom, int delta, int minZoom, int maxZoom) {
  if (delta == 0) return zoom;
  const int step = delta > 0 ? kZoomStep : -kZoomStep;
  return std::clamp(SnapToStep(zoom + step), minZoom, maxZoom);
}

}  // namespace vx
