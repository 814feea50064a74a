// The controller's side of the checklist marks: the colour palette, checking and unchecking
// circles, print order and memos. Every change is announced to all windows.
#include <algorithm>
#include <cstring>
#include <vector>

#include "app/CatalogController.h"
#include "app/SettingsValues.h"
#include "checklist/FavoriteStore.h"
#include "platform/FreedMemory.h"
#include "platform/Sjis.h"
#include "res/ResourceIds.h"

namespace vx {

namespace {

constexpr int kColorKindCount = 4;
// Circles whose records make megabytes.
constexpr std::size_t kManyReleased = 1000;

bool IsChecklistKind(int kind) {
  return kind == CatalogController::kChecklistColor || kind == CatalogController::kChecklistPrint;
}

bool IsPrintKind(int kind) {
  return kind == CatalogController::kPalettePrint || kind == CatalogController::kChecklistPrint;
}

}  // namespace

int CatalogController::GetColorCount() const {
  if (!values_) return FavoriteStore::kDefaultColorCount;
  return std::clamp(values_->fvrColorNum, 1, kMaxCheckColors);
}

std::uint32_t CatalogController::GetColorValue(int index, int kind) const {
  if (!values_ || index < 0 || index >= GetColorCount() || kind < 0 || kind >= kColorKindCount) {
    return 0;
  }
  if (IsChecklistKind(kind)) {
    if (!store_) return 0;
    return IsPrintKind(kind) ? store_->GetPrintColor(index) : store_->GetCheckColor(index);
  }
  return IsPrintKind(kind) ? values_->fvrPrintColors[index] : values_->fvrColors[index];
}

const char* CatalogController::GetColorName(int index, int kind) const {
  if (!values_ || index < 0 || index >= GetColorCount() || kind < 0 || kind >= kColorKindCount) {
    return nullptr;
  }
  if (IsChecklistKind(kind)) return store_ ? store_->GetColorName(index).c_str() : "";
  return values_->fvrColorNames[index];
}

void CatalogController::SetColorDef(int kind, int index, std::uint32_t display, std::uint32_t print,
                                    std::string_view name) {
  if (!values_ || index < 0 || index >= GetColorCount() || kind < 0 || kind >= kColorKindCount) {
    return;
  }
  if (!IsChecklistKind(kind)) {
    values_->fvrColors[index] = display;
    values_->fvrPrintColors[index] = print;
    const std::string bounded(name);
    SjisCopyBounded(values_->fvrColorNames[index], bounded.c_str(), kColorNameSize);
    return;
  }
  if (!store_) return;
  const bool differs = store_->GetCheckColor(index) != display ||
                       store_->GetPrintColor(index) != print || store_->GetColorName(index) != name;
  store_->SetColorDef(index, display, print, name);
  if (differs) MarkChecklistModified();
}

int CatalogController::GetCurrentColor() const {
  if (!values_) return 0;
  return std::clamp(values_->fvrColorDef, 0, GetColorCount() - 1);
}

void CatalogController::SetCurrentColor(int index) {
  if (!values_ || index < 0 || index >= GetColorCount()) return;
  const int old = values_->fvrColorDef;
  if (old == index) return;
  values_->fvrColorDef = index;
  Broadcast(UM_CURRENT_COLOR_CHANGED, static_cast<WParam>(old), index);
}

void CatalogController::LoadColorTable() {
  if (!store_ || !values_) return;
  const int count = GetColorCount();
  store_->SetColorCount(count);
  for (int i = 0; i < count; ++i) {
    store_->SetColorDef(i, values_->fvrColors[i], values_->fvrPrintColors[i],
                        values_->fvrColorNames[i]);
  }
}

void CatalogController::NotifyColorsChanged() { Broadcast(UM_COLORS_CHANGED, 0, 0); }

void CatalogController::NotifyOptionsChanged() { Broadcast(UM_OPTIONS_CHANGED, 0, 0); }

// --- Checks --------------------------------------------------------------------------------------

int CatalogController::GetCircleColor(int circleId) const {
  if (!store_ || circleId == 0) return 0;
  return store_->GetColor(circleId);
}

// A circle that had a check colour changes colour; anything else (absent, memo only) is checked.
void CatalogController::AnnounceColor(int oldColor, int newColor, int circleId) {
  const unsigned message = oldColor > 0 ? UM_CIRCLE_COLOR_CHANGED : UM_CIRCLE_CHECKED;
  Broadcast(message, static_cast<WParam>(newColor), circleId);
  MarkChecklistModified();
}

void CatalogController::SetCircleColor(int color, int circleId) {
  if (!store_ || circleId == 0) return;
  if (color < 0) color = GetCurrentColor() + 1;
  if (color > GetColorCount()) return;
  const int old = GetCircleColor(circleId);
  if (old == color) return;
  if (!store_->SetColor(circleId, color)) return;
  AnnounceColor(old, color, circleId);
}

bool CatalogController::SetCirclesColor(std::span<const int> circleIds, int color) {
  if (!store_ || circleIds.empty()) return false;
  if (color < 0) color = GetCurrentColor() + 1;
  if (color > GetColorCount()) return false;
  std::vector<int> oldColors;
  oldColors.reserve(circleIds.size());
  for (int id : circleIds) oldColors.push_back(GetCircleColor(id));
  store_->SetColorMany(circleIds, color);
  std::vector<std::size_t> changed;
  for (std::size_t i = 0; i < circleIds.size(); ++i) {
    if (GetCircleColor(circleIds[i]) != oldColors[i]) changed.push_back(i);
  }
  if (changed.size() == 1) {
    const std::size_t i = changed.front();
    AnnounceColor(oldColors[i], GetCircleColor(circleIds[i]), circleIds[i]);
  } else if (!changed.empty()) {
    AnnounceManyMarks();
  }
  return true;
}

// A message per circle would have every window redo its work tens of thousands of times.
void CatalogController::AnnounceManyMarks() {
  Broadcast(UM_CHECKLIST_MARKS_CHANGED, 0, 0);
  MarkChecklistModified();
}

void CatalogController::UncheckCircle(int circleId) {
  UncheckCircles(std::span<const int>(&circleId, 1));
}

bool CatalogController::UncheckCircles(std::span<const int> circleIds) {
  if (!store_ || circleIds.empty()) return false;
  std::vector<int> ids(circleIds.begin(), circleIds.end());
  std::erase(ids, 0);
  store_->SetColorMany(ids, -1);
  // Nothing shows, saves or prints an unchecked entry: its record would only be kept until a
  // purge that an uncheck never brings, the whole checklist's worth after unchecking all.
  store_->ReleaseUnchecked(ids);
  if (ids.size() > 1) {
    AnnounceManyMarks();
    if (ids.size() >= kManyReleased) ReturnFreedMemory();
  } else if (ids.size() == 1) {
    Broadcast(UM_CHECKLIST_ENTRY_CHANGED, 0, ids.front());
    Broadcast(UM_CIRCLE_UNCHECKED, 0, ids.front());
    MarkChecklistModified();
  }
  return true;
}

void CatalogController::SetCirclePrintOrder(int circleId, int number) {
  if (!store_) return;
  store_->SetPrintOrder(circleId, number);
  MarkChecklistModified();
}

void CatalogController::SetPrintOrderList(std::span<const int> circleIds) {
  if (!store_) return;
  store_->SetPrintOrderList(circleIds);
  MarkChecklistModified();
}

void CatalogController::ForEachInPrintOrder(
    const std::function<bool(const FavoriteEntry&)>& visit) const {
  if (store_) store_->ForEachInPrintOrder(visit);
}

// --- Memos ---------------------------------------------------------------------------------------

std::string CatalogController::GetCircleMemo(int circleId) const {
  if (!store_) return {};
  const CircleRecord* record = store_->FindCircle(circleId);
  return record ? record->memo : std::string();
}

void CatalogController::SetCircleMemo(std::string_view memo, int circleId) {
  if (!store_ || circleId == 0) return;
  const std::string text = SjisTruncate(memo, kMaxMemoBytes);
  const bool hasEntry = store_->FindCircle(circleId) != nullptr;
  if (text.empty()) {
    if (!hasEntry) return;
    store_->SetMemo(circleId, text);
    if (store_->GetColor(circleId) == 0) {
      store_->SetColor(circleId, -1);
      store_->ReleaseUnchecked(std::span<const int>(&circleId, 1));
    }
  } else {
    if (!hasEntry) SetCircleColor(0, circleId);
    if (!store_->SetMemo(circleId, text)) return;
  }
  Broadcast(UM_CHECKLIST_ENTRY_CHANGED, 0, circleId);
  MarkChecklistModified();
}

}  // namespace vx
