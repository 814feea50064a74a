#include "print/CatalogPrintDataSource.h"

#include "app/CatalogController.h"
#include "app/SettingsValues.h"
#include "checklist/FavoriteStore.h"
#include "data/PavorunDatabase.h"
#include "data/RowColumns.h"
#include "data/SqlText.h"
#include "data/Weekday.h"
#include "data/images/CutDrawing.h"

namespace vx {

std::string CatalogPrintDataSource::EventName() const {
  const PavorunDatabase* db = controller_.GetDatabase();
  return db ? db->GetEventInfo().pavorunName : std::string();
}

int CatalogPrintDataSource::DayCount() const {
  const PavorunDatabase* db = controller_.GetDatabase();
  return db ? db->GetDateCount() : 0;
}

std::string CatalogPrintDataSource::DayWeekdayName(int day) const {
  const PavorunDatabase* db = controller_.GetDatabase();
  if (!db || day < 1 || day > db->GetDateCount()) return {};
  return GetWeekdayShortName(db->GetWeekdayOfDay(day));
}

PrintMapCell CatalogPrintDataSource::MapCell() const {
  const PavorunDatabase* db = controller_.GetDatabase();
  if (!db) return {};
  const EventInfo& info = db->GetEventInfo();
  return {info.mapOriginX, info.mapOriginY, info.mapSizeW, info.mapSizeH};
}

int CatalogPrintDataSource::FindMapId(std::string_view name) const {
  const PavorunDatabase* db = controller_.GetDatabase();
  return db ? db->GetMapMaster().FindIdByName(name) : 0;
}

int CatalogPrintDataSource::FindAreaId(std::string_view name) const {
  const PavorunDatabase* db = controller_.GetDatabase();
  return db ? db->GetAreaMaster().FindIdByName(name) : 0;
}

PrintMapInfo CatalogPrintDataSource::Map(int mapId) const {
  PrintMapInfo map;
  const PavorunDatabase* db = controller_.GetDatabase();
  if (!db || mapId < 1 || mapId > db->GetMapCount()) return map;
  const PavorunMapMaster& maps = db->GetMapMaster();
  map.name = maps.GetRow(mapId);
  map.fileStem = maps.GetFilename(mapId);
  map.outlineStem = maps.GetAllFilename(mapId);
  maps.GetPrintRect(mapId, map.print);
  maps.GetHiResPrintRect(mapId, map.hiResPrint);
  map.blockNames = maps.GetBlockNames(mapId);
  map.rotate = maps.GetRotate(mapId);
  return map;
}

PrintAreaInfo CatalogPrintDataSource::Area(int areaId) const {
  PrintAreaInfo area;
  const PavorunDatabase* db = controller_.GetDatabase();
  if (!db || areaId < 1 || areaId > db->GetAreaMaster().Count()) return area;
  const PavorunAreaMaster& areas = db->GetAreaMaster();
  area.name = areas.GetRow(areaId);
  area.mapId = areas.GetMapId(areaId);
  area.hasPrintRect = areas.HasPrintRect(areaId);
  areas.GetPrintRect(areaId, area.print);
  areas.GetHiResPrintRect(areaId, area.hiResPrint);
  area.firstBlock = areas.GetFirstBlock(areaId, area.smallestSpace, area.largestSpace);
  area.furtherBlocks = areas.GetFurtherBlockNames(areaId);
  area.outlineStem = areas.GetAllFilename(areaId);
  area.circleCount = areas.GetCircleCount(areaId);
  return area;
}

PrintSpace CatalogPrintDataSource::Space(int blockId, int spaceNo) const {
  const PavorunDatabase* db = controller_.GetDatabase();
  if (!db) return {};
  return {db->GetSpaceX(blockId, spaceNo), db->GetSpaceY(blockId, spaceNo),
          db->GetSpaceLayout(blockId, spaceNo), db->GetSpaceAreaId(blockId, spaceNo)};
}

int CatalogPrintDataSource::CheckColorCount() const { return controller_.GetColorCount(); }

PrintMapTemplates CatalogPrintDataSource::MapTemplates() const {
  const SettingsValues* v = controller_.GetValues();
  if (!v) return {};
  return {v->mdataFile, v->gdataFile, v->adataFile, v->hmdataFile, v->hgdataFile, v->hadataFile};
}

ColorRef CatalogPrintDataSource::PrintColor(int index) const {
  return controller_.GetColorValue(index, CatalogController::kChecklistPrint);
}

std::string CatalogPrintDataSource::ColorName(int index) const {
  const char* name = controller_.GetColorName(index, CatalogController::kChecklistPrint);
  return name ? name : "";
}

std::vector<FavoriteEntry> CatalogPrintDataSource::ChecklistEntries() const {
  std::vector<FavoriteEntry> entries;
  if (const FavoriteStore* store = controller_.GetFavoriteStore()) {
    entries.reserve(static_cast<std::size_t>(store->GetEntryCount()));
    store->AddAllToPrintRecords([&](const FavoriteEntry& entry) {
      entries.push_back(entry);
      return true;
    });
  }
  return entries;
}

std::vector<CircleRecord> CatalogPrintDataSource::CirclesOfBlocks(
    std::span<const DayBlock> blocks) const {
  std::vector<CircleRecord> circles;
  PavorunDatabase* db = controller_.GetDatabase();
  if (!db || blocks.empty()) return circles;
  std::string terms;
  for (const DayBlock& b : blocks) {
    if (!terms.empty()) terms += " OR ";
    terms += FormatSql("(day=%d AND blockId=%d)", b.day, b.blockId);
  }
  db->ExecRows(FormatSql("SELECT %s FROM PavorunCircle WHERE pavorunNo=%d AND (%s) ORDER BY id",
                         kCircleColumnList, db->GetEventNo(), terms.c_str()),
               [&](int columnCount, char** columns) {
                 circles.emplace_back().FillFromRow(columnCount, columns);
                 return 0;
               });
  return circles;
}

std::string CatalogPrintDataSource::ChecklistHeaderLine() const {
  std::string line;
  if (const FavoriteStore* store = controller_.GetFavoriteStore()) store->AppendVer1Header(line);
  return line;
}

std::string CatalogPrintDataSource::ChecklistLine(const CircleRecord& record, int color) const {
  std::string line;
  if (const FavoriteStore* store = controller_.GetFavoriteStore()) {
    store->FormatVer1Line(line, record, color);
  }
  return line;
}

void CatalogPrintDataSource::DrawCut(QPainter& painter, const CutRect& rect, int pageNo,
                                     int cutIndex, int updateId, ColorRef fill) const {
  controller_.DrawCircleCut(painter, rect, pageNo, cutIndex, updateId, fill, 0);
}

}  // namespace vx
