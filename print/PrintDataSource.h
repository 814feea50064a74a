// What the print engine reads of the catalogue, the checklist, the settings and the image store.
// The program implements it over the catalogue controller (CatalogPrintDataSource); tests may
// give a fake. Texts are CP932. Called on the UI thread; document threads make the read-only
// calls of the catalogue, settings and colours and DrawCut while the UI thread waits
// in the job's modal dialog. The checklist walk and CirclesOfBlocks run on the UI thread only.
#pragma once

#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "checklist/FavoriteColor.h"
#include "checklist/FavoriteEntry.h"
#include "data/CircleRecord.h"
#include "data/PavorunMaster.h"

class QPainter;

namespace vx {

struct CutRect;

struct PrintMapInfo {
  std::string name;
  std::string fileStem;     // of the map and genre-layer image names
  std::string outlineStem;  // of the outline image name
  PrintRect print;
  PrintRect hiResPrint;
  std::string blockNames;  // every block on the map, joined
  int rotate = 0;          // 1: turned round
};

struct PrintAreaInfo {
  std::string name;
  int mapId = 0;
  bool hasPrintRect = false;
  PrintRect print;
  PrintRect hiResPrint;
  std::string firstBlock;  // first block inside the print range
  int smallestSpace = 0;   // of the first block inside the range
  int largestSpace = 0;
  std::string furtherBlocks;  // the other blocks inside the range, joined
  std::string outlineStem;
  int circleCount = 0;
};

// Where a space lies on its hall map.
struct PrintSpace {
  int x = 0;
  int y = 0;
  int layout = 0;  // desk layout code 1..4
  int areaId = 0;
};

// The desk grid of the event's hall maps.
struct PrintMapCell {
  int originX = 0;
  int originY = 0;
  int width = 0;
  int height = 0;
};

// Image names relative to the image folder: map and genre layer formatted with the day and the
// map's file stem, outlines with an outline stem.
struct PrintMapTemplates {
  std::string map;
  std::string genre;
  std::string outline;
  std::string hiResMap;
  std::string hiResGenre;
  std::string hiResOutline;
};

struct DayBlock {
  int day = 0;
  int blockId = 0;
  auto operator<=>(const DayBlock&) const = default;
};

class PrintDataSource {
 public:
  virtual ~PrintDataSource() = default;

  // --- Catalogue -------------------------------------------------------------------------------
  virtual std::string EventName() const = 0;
  virtual int DayCount() const = 0;
  // Short weekday name of an event day (1-based); "" outside the event.
  virtual std::string DayWeekdayName(int day) const = 0;
  virtual PrintMapCell MapCell() const = 0;
  // Ids by exact name; 0 when none.
  virtual int FindMapId(std::string_view name) const = 0;
  virtual int FindAreaId(std::string_view name) const = 0;
  // Empty values for an id out of range.
  virtual PrintMapInfo Map(int mapId) const = 0;
  virtual PrintAreaInfo Area(int areaId) const = 0;
  virtual PrintSpace Space(int blockId, int spaceNo) const = 0;

  // --- Settings ----------------------------------------------------------------------------------
  virtual int CheckColorCount() const = 0;
  virtual PrintMapTemplates MapTemplates() const = 0;

  // --- Checklist ---------------------------------------------------------------------------------
  // Of the colour-table index (0-based); 0 and "" when not defined.
  virtual ColorRef PrintColor(int index) const = 0;
  virtual std::string ColorName(int index) const = 0;
  // A copy of every entry, unchecked ones too, in ascending circle id.
  virtual std::vector<FavoriteEntry> ChecklistEntries() const = 0;
  // Every catalogue circle placed in one of the (day, block) pairs, in ascending circle id.
  virtual std::vector<CircleRecord> CirclesOfBlocks(std::span<const DayBlock> blocks) const = 0;
  // The older checklist format: its first line and one circle's line, without line ends.
  virtual std::string ChecklistHeaderLine() const = 0;
  virtual std::string ChecklistLine(const CircleRecord& record, int color) const = 0;

  // --- Pictures ----------------------------------------------------------------------------------
  // The cut of a circle (its page, cut index and update id) in the rectangle, its mark filled
  // with `fill`.
  virtual void DrawCut(QPainter& painter, const CutRect& rect, int pageNo, int cutIndex,
                       int updateId, ColorRef fill) const = 0;
};

}  // namespace vx
