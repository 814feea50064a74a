// The current location: page slots, the current circle and its announcements, navigation and the
// page history.
#include "app/CatalogController.h"

#include "app/ControllerWindow.h"
#include "app/PageJumpWindow.h"
#include "app/SettingsValues.h"
#include "checklist/FavoriteStore.h"
#include "data/PavorunDatabase.h"
#include "res/ResourceIds.h"

namespace vx {

namespace {

// The cut-page grid: six columns of six rows.
constexpr int kGridColumns = 6;
constexpr int kLastCutBeforeBottomRow = 30;
constexpr int kPageJumpOffset = 32;

}  // namespace

// --- Current circle ------------------------------------------------------------------------------

void CatalogController::SetCurrentCircle(const CircleRecord& record) {
  const CircleRecord old = current_;
  current_ = record;
  AnnounceChanges(old);
}

// The values are taken before the first message, as a receiver may move on meanwhile.
void CatalogController::AnnounceChanges(const CircleRecord& old) {
  const CircleRecord now = current_;
  const bool dayChanged = now.day != old.day;
  if (now.pageNo != old.pageNo && now.pageNo > 0) Broadcast(UM_PAGE_CHANGED, 0, now.pageNo);
  if (dayChanged) Broadcast(UM_DAY_CHANGED, 0, now.day);
  if (dayChanged || now.blockId != old.blockId) Broadcast(UM_BLOCK_CHANGED, 0, now.blockId);
  if (dayChanged || now.spaceNo != old.spaceNo || now.spaceNoSub != old.spaceNoSub) {
    Broadcast(UM_SPACE_CHANGED, static_cast<WParam>(now.spaceNoSub), now.spaceNo);
  }
  if (now.genreId != old.genreId) Broadcast(UM_GENRE_CHANGED, 0, now.genreId);
  if (now.id != old.id || now.cutIndex != old.cutIndex) Broadcast(UM_CIRCLE_CHANGED, 0, now.id);
}

// --- Page slots ----------------------------------------------------------------------------------

bool CatalogController::LoadPage(int page) {
  if (!database_ || slots_.empty()) return false;
  if (page < 1 || page < GetFirstPage() || page > GetLastPage()) return false;
  database_->SelectPageCircles(page, slots_);
  PreparePageImage(page);
  return true;
}

const CircleRecord* CatalogController::OccupiedSlot(int cut) const {
  if (cut < 1 || cut > static_cast<int>(slots_.size())) return nullptr;
  const CircleRecord& slot = slots_[static_cast<std::size_t>(cut - 1)];
  return slot.id > 0 ? &slot : nullptr;
}

int CatalogController::FirstOccupiedCut() const {
  for (int cut = 1; cut <= static_cast<int>(slots_.size()); ++cut) {
    if (OccupiedSlot(cut)) return cut;
  }
  return 0;
}

int CatalogController::GetPageCutCircleId(int cut) const {
  const CircleRecord* slot = OccupiedSlot(cut);
  return slot ? slot->id : 0;
}

int CatalogController::FindCircleCut(int circleId) const {
  if (circleId < 1) return 0;
  for (int cut = 1; cut <= static_cast<int>(slots_.size()); ++cut) {
    if (GetPageCutCircleId(cut) == circleId) return cut;
  }
  return 0;
}

bool CatalogController::GetPageCircleByCut(int cut, CircleRecord* out) const {
  const CircleRecord* slot = OccupiedSlot(cut);
  if (!slot || !out) return false;
  *out = *slot;
  return true;
}

bool CatalogController::GetCircle(int circleId, CircleRecord* out) const {
  if (!out) return false;
  *out = CircleRecord{};
  if (store_) {
    if (const CircleRecord* kept = store_->FindCircle(circleId)) {
      *out = *kept;
      return true;
    }
  }
  return database_ && database_->SelectCircle(*out, circleId);
}

// --- Moving --------------------------------------------------------------------------------------

// An empty cut as a place: the numbers of the place so far, no circle and no texts.
CircleRecord CatalogController::EmptyCutRecord(int page, int cut) const {
  CircleRecord record = current_;
  record.Clear();
  record.pageNo = page;
  record.cutIndex = cut;
  return record;
}

void CatalogController::JumpTo(int page, int cut, bool recordHistory) {
  if (page == 0 || (page == current_.pageNo && cut == current_.cutIndex)) return;
  // A page that cannot be loaded keeps the old one current, so that the slots never describe
  // another page than the current one.
  if (page != current_.pageNo && !LoadPage(page)) return;
  if (recordHistory) RecordHistory();
  if (cut < 0) cut = FirstOccupiedCut();
  const CircleRecord* slot = OccupiedSlot(cut);
  SetCurrentCircle(slot ? *slot : EmptyCutRecord(page, cut));
  if (recordHistory) RecordHistory();
}

void CatalogController::SelectCircle(int circleId, bool recordHistory) {
  if (!database_ || circleId == 0 || circleId == current_.id) return;
  if (recordHistory) RecordHistory();
  CircleRecord found;
  if (GetCircle(circleId, &found)) {
    if (found.pageNo > 0) {
      JumpTo(found.pageNo, found.cutIndex, false);
    } else {
      // Not placed in the catalogue: the page stays and no cut is current.
      found.pageNo = current_.pageNo;
      found.cutIndex = -1;
      SetCurrentCircle(found);
    }
  }
  if (recordHistory) RecordHistory();
}

// --- Navigation ----------------------------------------------------------------------------------

bool CatalogController::CursorRule() const {
  return values_ && values_->cursorInit && !values_->autoSel && !values_->oneClickSel;
}

int CatalogController::CutAfterPageMove(int targetPage, int keptCut) const {
  return targetPage != current_.pageNo && CursorRule() ? -1 : keptCut;
}

void CatalogController::JumpToFirstCut(int page, int cut) {
  JumpTo(page, CutAfterPageMove(page, cut), false);
}

void CatalogController::NextPage() {
  if (!database_) return;
  const int page = database_->GetNextPage(current_.pageNo);
  if (page > 0) JumpTo(page, CutAfterPageMove(page, current_.cutIndex), false);
}

void CatalogController::PrevPage() {
  if (!database_) return;
  const int page = database_->GetPrevPage(current_.pageNo);
  if (page > 0) JumpTo(page, CutAfterPageMove(page, current_.cutIndex), false);
}

void CatalogController::NextBlock() {
  if (!database_) return;
  const int day = current_.day;
  const int k = database_->FindDayBlockIndex(day, current_.blockId);
  if (k + 1 > database_->GetDayBlockCount(day)) return;
  int page = 0, cut = 0;
  database_->GetDayBlockFirstCut(day, k + 1, page, cut);
  JumpTo(page, cut, false);
}

void CatalogController::PrevBlock() {
  if (!database_) return;
  const int day = current_.day;
  const int k = database_->FindDayBlockIndex(day, current_.blockId);
  if (k <= 1) return;
  int page = 0, cut = 0;
  database_->GetDayBlockFirstCut(day, k - 1, page, cut);
  JumpTo(page, cut, false);
}

// A current circle without a place (cut -1) starts the cursor at cut 1 of the current page, as
// when no cut is current: the cut number must not be stepped from -1.
void CatalogController::SelectNextCut() {
  if (!database_) return;
  const int page = current_.pageNo;
  const int cut = current_.cutIndex;
  if (cut <= 0) {
    JumpTo(page, 1, false);
  } else if (cut < cutsPerPage_) {
    JumpTo(page, cut + 1, false);
  } else if (page < GetLastPage()) {
    if (const int next = database_->GetNextPage(page); next > 0) JumpTo(next, 1, false);
  }
}

void CatalogController::SelectPrevCut() {
  if (!database_) return;
  const int page = current_.pageNo;
  const int cut = current_.cutIndex;
  if (cut <= 0) {
    JumpTo(page, 1, false);
  } else if (cut > 1) {
    JumpTo(page, cut - 1, false);
  } else if (page > GetFirstPage()) {
    const int prev = database_->GetPrevPage(page);
    if (prev > 0) JumpTo(prev, CursorRule() ? -1 : cutsPerPage_, false);
  }
}

void CatalogController::SelectCutBelow() {
  if (!database_) return;
  const int page = current_.pageNo;
  const int cut = current_.cutIndex;
  if (cut <= 0) {
    JumpTo(page, 1, false);
  } else if (cut <= kLastCutBeforeBottomRow) {
    JumpTo(page, cut + kGridColumns, false);
  } else if (page < GetLastPage()) {
    const int next = database_->GetNextPage(page);
    if (next > 0) JumpTo(next, CursorRule() ? -1 : cut - kLastCutBeforeBottomRow, false);
  }
}

void CatalogController::SelectCutAbove() {
  if (!database_) return;
  const int page = current_.pageNo;
  const int cut = current_.cutIndex;
  if (cut <= 0) {
    JumpTo(page, 1, false);
  } else if (cut > kGridColumns) {
    JumpTo(page, cut - kGridColumns, false);
  } else if (page > GetFirstPage()) {
    const int prev = database_->GetPrevPage(page);
    if (prev > 0) JumpTo(prev, CursorRule() ? -1 : cut + kLastCutBeforeBottomRow, false);
  }
}

void CatalogController::GoToPage(int page) {
  if (!database_ || page < 1) return;
  const int found = database_->FindPageFrom(page);
  if (found > 0) JumpTo(found, CutAfterPageMove(found, current_.cutIndex), false);
}

void CatalogController::GoToPageOrBefore(int page) {
  if (!database_ || page < 1) return;
  const int found = database_->GetPrevPage(page + 1);
  if (found > 0) JumpTo(found, CutAfterPageMove(found, current_.cutIndex), false);
}

void CatalogController::SelectCut(int cut) {
  if (!database_ || cut < 1 || cut > cutsPerPage_) return;
  const int page = current_.pageNo;
  if (page < GetFirstPage() || page > GetLastPage()) return;
  JumpTo(page, cut, true);
}

void CatalogController::SelectDay(int day) {
  if (!database_ || day == current_.day) return;
  int page = 0, cut = 0;
  database_->GetDayFirstCut(day, page, cut);
  JumpToFirstCut(page, cut);
}

void CatalogController::SelectArea(int k, int day) {
  if (!database_) return;
  int page = 0, cut = 0;
  database_->GetDayAreaFirstCut(day, k, page, cut);
  JumpToFirstCut(page, cut);
}

void CatalogController::SelectBlock(int k, int day) {
  if (!database_) return;
  int page = 0, cut = 0;
  database_->GetDayBlockFirstCut(day, k, page, cut);
  JumpToFirstCut(page, cut);
}

void CatalogController::SelectGenre(int g) {
  if (!database_) return;
  int page = 0, cut = 0;
  database_->GetGenreFirstCut(g, page, cut);
  JumpToFirstCut(page, cut);
}

void CatalogController::ShowPageJumpDialog() {
  if (!pageJump_) return;
  if (!pageJump_->IsShown()) {
    if (const WindowRecord* main = registry_.FindMain()) {
      const WindowRect rect = main->window->ScreenRect();
      pageJump_->MoveTo(rect.left + kPageJumpOffset, rect.top + kPageJumpOffset);
    }
  }
  pageJump_->ShowPage(current_.pageNo);
  pageJump_->Show();
}

// --- Page history --------------------------------------------------------------------------------

void CatalogController::RecordHistory() { history_.Record({current_.pageNo, current_.id}); }

void CatalogController::GoBack() {
  if (history_.IsEmpty()) return;
  RecordHistory();
  if (const auto entry = history_.StepBack()) SelectCircle(entry->circleId, false);
}

void CatalogController::GoForward() {
  if (const auto entry = history_.StepForward()) SelectCircle(entry->circleId, false);
}

}  // namespace vx
