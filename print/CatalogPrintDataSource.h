// The print engine's data source over the catalogue controller: its database, checklist store,
// working setting values and image store.
#pragma once

#include "print/PrintDataSource.h"

namespace vx {

class CatalogController;

class CatalogPrintDataSource final : public PrintDataSource {
 public:
  // `controller` outlives the source. Without a database or a store the answers are empty.
  explicit CatalogPrintDataSource(const CatalogController& controller) : controller_(controller) {}

  std::string EventName() const override;
  int DayCount() const override;
  std::string DayWeekdayName(int day) const override;
  PrintMapCell MapCell() const override;
  int FindMapId(std::string_view name) const override;
  int FindAreaId(std::string_view name) const override;
  PrintMapInfo Map(int mapId) const override;
  PrintAreaInfo Area(int areaId) const override;
  PrintSpace Space(int blockId, int spaceNo) const override;

  int CheckColorCount() const override;
  PrintMapTemplates MapTemplates() const override;

  ColorRef PrintColor(int index) const override;
  std::string ColorName(int index) const override;
  std::vector<FavoriteEntry> ChecklistEntries() const override;
  std::vector<CircleRecord> CirclesOfBlocks(std::span<const DayBlock> blocks) const override;
  std::string ChecklistHeaderLine() const override;
  std::string ChecklistLine(const CircleRecord& record, int color) const override;

  void DrawCut(QPainter& painter, const CutRect& rect, int pageNo, int cutIndex, int updateId,
               ColorRef fill) const override;

 private:
  const CatalogController& controller_;
};

}  // namespace vx
