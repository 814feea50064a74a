// One-line answers from the database and the working settings, neutral without them.
#include "app/CatalogController.h"

#include "app/SettingsValues.h"
#include "data/PavorunDatabase.h"
#include "data/Weekday.h"

namespace vx {

namespace {

const std::string& EmptyText() {
  static const std::string empty;
  return empty;
}

bool IsColumnSlot(int i) { return i >= 0 && i < kColumnSlotCount; }

}  // namespace

int CatalogController::GetFirstPage() const { return database_ ? database_->GetFirstPage() : -1; }

int CatalogController::GetLastPage() const { return database_ ? database_->GetLastPage() : -1; }

int CatalogController::CountEvents() const { return database_ ? database_->CountEvents() : 0; }

std::vector<int> CatalogController::ListEventNumbers() const {
  std::vector<int> numbers;
  if (database_) database_->ListEventNumbers(numbers);
  return numbers;
}

int CatalogController::GetEventNumber() const { return values_ ? values_->eventNumber : 0; }

const std::string& CatalogController::GetEventName() const {
  return database_ ? database_->GetEventInfo().pavorunName : EmptyText();
}

int CatalogController::GetDayCount() const { return database_ ? database_->GetDayCount() : 0; }

int CatalogController::GetDayBlockCount(int day) const {
  return database_ ? database_->GetDayBlockCount(day) : 0;
}

int CatalogController::GetDayAreaCount(int day) const {
  return database_ ? database_->GetDayAreaCount(day) : 0;
}

int CatalogController::GetGenreIndexCount() const {
  return database_ ? database_->GetGenreIndexCount() : 0;
}

const std::string& CatalogController::GetDayWeekdayName(int day) const {
  return database_ ? database_->GetDayWeekdayName(day) : EmptyText();
}

const std::string& CatalogController::GetDayBlockName(int day, int k) const {
  return database_ ? database_->GetDayBlockName(day, k) : EmptyText();
}

const std::string& CatalogController::GetDayAreaName(int day, int k) const {
  return database_ ? database_->GetDayAreaName(day, k) : EmptyText();
}

const std::string& CatalogController::GetGenreIndexName(int g) const {
  return database_ ? database_->GetGenreIndexName(g) : EmptyText();
}

const std::string& CatalogController::GetWeekdayLongName(int day) const {
  return database_ ? vx::GetWeekdayLongName(database_->GetWeekdayOfDay(day)) : EmptyText();
}

const std::string& CatalogController::GetWeekdayShortName(int day) const {
  return database_ ? vx::GetWeekdayShortName(database_->GetWeekdayOfDay(day)) : EmptyText();
}

const std::string& CatalogController::GetBlockName(int blockId) const {
  return database_ ? database_->GetBlockName(blockId) : EmptyText();
}

const std::string& CatalogController::GetAreaSimpleNameOfBlock(int blockId) const {
  return database_ ? database_->GetAreaSimpleNameOfBlock(blockId) : EmptyText();
}

const std::string& CatalogController::GetGenreName(int genreId) const {
  return database_ ? database_->GetGenreName(genreId) : EmptyText();
}

const std::string& CatalogController::GetMapName(int mapId) const {
  return database_ ? database_->GetMapName(mapId) : EmptyText();
}

const std::string& CatalogController::GetMapFileStem(int mapId) const {
  return database_ ? database_->GetMapFilename(mapId) : EmptyText();
}

int CatalogController::FindDayBlockIndex(int day, int blockId) const {
  return database_ ? database_->FindDayBlockIndex(day, blockId) : 0;
}

int CatalogController::GetDayBlockId(int day, int k) const {
  return database_ ? database_->GetDayBlockId(day, k) : 0;
}

int CatalogController::GetAreaIdOfBlock(int blockId) const {
  return database_ ? database_->GetAreaIdOfBlock(blockId) : 0;
}

int CatalogController::FindDayAreaIndex(int day, int areaId) const {
  return database_ ? database_->FindDayAreaIndex(day, areaId) : 0;
}

int CatalogController::GetMapIdOfBlock(int blockId) const {
  return database_ ? database_->GetMapIdOfBlock(blockId) : 0;
}

int CatalogController::GetGenreCount() const { return database_ ? database_->GetGenreCount() : 0; }

int CatalogController::GetMapCount() const { return database_ ? database_->GetMapCount() : 0; }

void CatalogController::GetPageInfo(int page, int* minId, int* maxId, int* genreId) const {
  if (!database_ || !minId || !maxId || !genreId) return;
  database_->GetPageInfo(page, *minId, *maxId, *genreId);
}

int CatalogController::GetCircleIdAtMapPoint(int x, int y, int mapId, int day) const {
  return database_ ? database_->GetCircleIdAtMapPoint(x, y, mapId, day) : 0;
}

int CatalogController::GetMapDeskWidth() const {
  return database_ ? database_->GetEventInfo().mapSizeW : 0;
}

int CatalogController::GetMapDeskHeight() const {
  return database_ ? database_->GetEventInfo().mapSizeH : 0;
}

int CatalogController::GetSpaceX(int blockId, int spaceNo) const {
  if (!database_ || blockId < 1 || spaceNo < 1) return kNoSpace;
  return database_->GetSpaceX(blockId, spaceNo);
}

int CatalogController::GetSpaceY(int blockId, int spaceNo) const {
  if (!database_ || blockId < 1 || spaceNo < 1) return kNoSpace;
  return database_->GetSpaceY(blockId, spaceNo);
}

int CatalogController::GetSpaceLayout(int blockId, int spaceNo) const {
  return database_ ? database_->GetSpaceLayout(blockId, spaceNo) : 0;
}

// --- Settings ------------------------------------------------------------------------------------

int CatalogController::GetListColumn(int i) const {
  return values_ && IsColumnSlot(i) ? values_->listColumns[i] : 0;
}

int CatalogController::GetChecklistColumn(int i) const {
  return values_ && IsColumnSlot(i) ? values_->checkColumns[i] : 0;
}

int CatalogController::GetListColumnWidth(int i) const {
  return values_ && IsColumnSlot(i) ? values_->listColumnWidths[i] : 0;
}

int CatalogController::GetChecklistColumnWidth(int i) const {
  return values_ && IsColumnSlot(i) ? values_->checkColumnWidths[i] : 0;
}

void CatalogController::SetListColumnWidth(int i, int width) {
  if (values_ && IsColumnSlot(i)) values_->listColumnWidths[i] = width;
}

void CatalogController::SetChecklistColumnWidth(int i, int width) {
  if (values_ && IsColumnSlot(i)) values_->checkColumnWidths[i] = width;
}

int CatalogController::GetGoogleType() const { return values_ ? values_->googleType : 0; }
int CatalogController::GetGoogleItem1() const { return values_ ? values_->googleItem1 : 0; }
int CatalogController::GetGoogleItem2() const { return values_ ? values_->googleItem2 : 0; }
int CatalogController::GetGoogleCondition() const { return values_ ? values_->googleCondition : 0; }

void CatalogController::SetGoogleType(int value) {
  if (values_) values_->googleType = value;
}
void CatalogController::SetGoogleItem1(int value) {
  if (values_) values_->googleItem1 = value;
}
void CatalogController::SetGoogleItem2(int value) {
  if (values_) values_->googleItem2 = value;
}
void CatalogController::SetGoogleCondition(int value) {
  if (values_) values_->googleCondition = value;
}

bool CatalogController::IsListSortLocked() const { return values_ && values_->listSortEnable == 0; }

bool CatalogController::IsChecklistOrderLocked() const {
  return values_ && values_->sortEnable == 0;
}

void CatalogController::SetListSortLocked(bool locked) {
  if (values_) values_->listSortEnable = locked ? 0 : 1;
}

void CatalogController::SetChecklistOrderLocked(bool locked) {
  if (values_) values_->sortEnable = locked ? 0 : 1;
}

int CatalogController::GetScrollMode() const { return values_ ? values_->scrollMode : 0; }

bool CatalogController::IsAutoSelect() const {
  return values_ && (values_->autoSel || values_->oneClickSel);
}

bool CatalogController::IsOneClickSelect() const { return values_ && values_->oneClickSel; }

}  // namespace vx
