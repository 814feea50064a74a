#include "app/DefaultWindowLayout.h"

#include <algorithm>
#include <utility>

namespace vx {

namespace {

constexpr int kMinSideWidth = 360;

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
  // Main, checklist and detail are framed where they tile the area; map and list float.
  const auto client = [&frame](WindowRect outer) {
    return WindowRect{outer.left + frame.left, outer.top + frame.top, outer.right - frame.right,
                      outer.bottom - frame.bottom};
  };
  const WindowRect relative[kFrameSlotCount] = {
      client({0, 0, w - s, h}),           // main
      {32, 64, w - s + 32, h - 128},      // map
      client({w - s, h / 2, w, h}),       // checklist
      client({w - s, 0, w, h / 2}),       // detail
      {64, 128, w - s + 64, h - 64},      // list
  };
  for (int slot = 0; slot < kFrameSlotCount; ++slot) {
    const WindowRect& r = relative[slot];
    values.windowRects[slot] = {r.left + area.left, r.top + area.top, r.right + area.left,
                                r.bottom + area.top};
  }
}

WindowRect FitIntoWorkArea(const WindowRect& rect, const WorkArea& area) {
  const auto [left, width] = FitSide(rect.left, rect.right - rect.left, area.left, area.width);
  const auto [top, height] = FitSide(rect.top, rect.bottom - rect.top, area.top, area.height);
  return {left, top, left + width, top + height};
}

}  // namespace vx
