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

constexpr SlotDefault kSlotDefaults[kFrameSlotCount] = {{kMainWindowId, 1},
                                                        {kMapWindowId, 0},
                                                        {kChecklistWindowId, 1},
                                                        {kDetailWindowId, 1},
                                                        {kListWindowId, 0}};

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

WindowRect DefaultFrameRect(int slot, const WorkArea& area) {
  const int w = area.width;
  const int h = area.height;
  const int s = DefaultSideWidth(w);
  // Map and list are cascaded over the main window, each reaching a little into the side column.
  const WindowRect relative[kFrameSlotCount] = {
      {0, 0, w - s, h},               // main
      {32, 64, w - s + 32, h - 128},  // map
      {w - s, h / 2, w, h},           // checklist
      {w - s, 0, w, h / 2},           // detail
      {64, 128, w - s + 64, h - 64},  // list
  };
  const WindowRect& r = relative[slot];
  return {r.left + area.left, r.top + area.top, r.right + area.left, r.bottom + area.top};
}

WindowRect ClientRectOfFrame(const WindowRect& frameRect, const FrameMargins& frame) {
  return {frameRect.left + frame.left, frameRect.top + frame.top, frameRect.right - frame.right,
          frameRect.bottom - frame.bottom};
}

void ApplyDefaultLayout(SettingsValues& values, const WorkArea& area, const FrameMargins& frame) {
  for (int slot = 0; slot < kFrameSlotCount; ++slot) {
    values.windowRects[slot] = ClientRectOfFrame(DefaultFrameRect(slot, area), frame);
  }
}

bool HoldsDefaultFrameRect(const SettingsValues& values, int slot, const WorkArea& area) {
  const WindowRect& stored = values.windowRects[slot];
  const WindowRect frame = DefaultFrameRect(slot, area);
  return stored.left == frame.left && stored.top == frame.top && stored.right == frame.right &&
         stored.bottom == frame.bottom;
}

WindowRect FitIntoWorkArea(const WindowRect& rect, const WorkArea& area) {
  const auto [left, width] = FitSide(rect.left, rect.right - rect.left, area.left, area.width);
  const auto [top, height] = FitSide(rect.top, rect.bottom - rect.top, area.top, area.height);
  return {left, top, left + width, top + height};
}

}  // namespace vx
