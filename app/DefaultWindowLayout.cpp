#include "app/DefaultWindowLayout.h"

#include <algorithm>
#include <utility>

namespace vx {

namespace {

constexpr int kMinSideWidth = 360;
constexpr int kFloatInset = 32;

struct SlotDefault {
  int id;
  int shown;
};

constexpr SlotDefault kSlotDefaults[kFrameSlotCount] = {
    {kMainWindowId, 1}, {kMapWindowId, 0}, {kChecklistWindowId, 1},
    {kDetailWindowId, 1}, {kListWindowId, 0}};

// One side: [start, start + length) into [areaStart, areaStart + areaLength).
std::pair<int, int> FitSide(int start, int length, int areaStart, int areaLength) {
  const int fitted = std::clamp(length, 1, std::max(1, areaLength));
  const int lastStart = areaStart + std::max(0, areaLength - fitted);
  return {std::clamp(start, areaStart, lastStart), fitted};
}

}  // namespace

void InitWindowSlots(SettingsValues& values) {
  for (int slot = 0; slot < kWindowSlotCount; ++slot) {
    const bool frame = slot < kFrameSlotCount;
    values.windowIds[slot] = frame ? kSlotDefaults[slot].id : 0;
    values.windowShown[slot] = frame ? kSlotDefaults[slot].shown : 0;
  }
}

int DefaultSideWidth(int workWidth) {
  int k = 5;
  while (k < 8 && workWidth * k / 16 < kMinSideWidth) ++k;
  return workWidth * k / 16;
}

void ApplyDefaultLayout(SettingsValues& values, const WorkArea& area, const FrameMargins& frame) {
  const int w = area.width;
  const int h = area.height;
  const int s = DefaultSideWidth(w);
  // Map and list float over the main window, inset so that its title bar and edges stay in reach,
  // one above the other: neither covers the right-hand column nor the other.
  const int floatLeft = kFloatInset;
  const int floatRight = w - s - kFloatInset;
  const int floatTop = 2 * kFloatInset;
  const int floatBottom = h - kFloatInset;
  const int floatMiddle = (floatTop + floatBottom) / 2;
  const WindowRect framed[kFrameSlotCount] = {
      {0, 0, w - s, h},                                      // main
      {floatLeft, floatTop, floatRight, floatMiddle},        // map
      {w - s, h / 2, w, h},                                  // checklist
      {w - s, 0, w, h / 2},                                  // detail
      {floatLeft, floatMiddle, floatRight, floatBottom},     // list
  };
  for (int slot = 0; slot < kFrameSlotCount; ++slot) {
    const WindowRect& r = framed[slot];
    values.windowRects[slot] = {r.left + area.left + frame.left, r.top + area.top + frame.top,
                                r.right + area.left - frame.right,
                                r.bottom + area.top - frame.bottom};
  }
}

WindowRect FitIntoWorkArea(const WindowRect& rect, const WorkArea& area) {
  const auto [left, width] = FitSide(rect.left, rect.right - rect.left, area.left, area.width);
  const auto [top, height] = FitSide(rect.top, rect.bottom - rect.top, area.top, area.height);
  return {left, top, left + width, top + height};
}

}  // namespace vx
