// The areas (halls) of the current event: name, map, print ranges, and what the loader derives
// from the layout: the blocks inside each print range and the number of circles.
#pragma once

#include "data/PavorunLayoutTable.h"
#include "data/PavorunMaster.h"

#include <string>
#include <vector>

namespace vx {

class CirclePlaces;
class PavorunBlockMaster;

struct AreaRow {
  std::string name;        // at most 40 bytes
  std::string simpleName;  // at most 3 bytes
  int mapId = 0;
  PrintRect print;
  std::string furtherBlockNames;  // second and later blocks inside the print range, joined
  std::string firstBlockName;     // at most 3 bytes
  int firstBlockSmallestSpace = 0;
  int firstBlockLargestSpace = 0;
  std::string allFilename;  // short-map file stem, at most 11 bytes
  PrintRect hiResPrint;
  int circleCount = 0;
};

class PavorunAreaMaster : public PavorunRowMaster<AreaRow> {
 public:
  using PavorunRowMaster::PavorunRowMaster;

  const char* TableName() const override { return "PavorunArea"; }
  const std::string& CreateText() const override;
  // What the loader derives once the blocks and the layout are loaded too (selecting an event):
  // for each area with a print range, the blocks whose desks lie inside it on the area's map,
  // ordered by the print width of their own area, then by block id.
  void FindBlocksInPrintRanges(const std::vector<LayoutDesk>& desks,
                               const PavorunBlockMaster& blocks);
  // Each area's circle count: the circles whose block belongs to it.
  void CountCircles(const CirclePlaces& places, const PavorunBlockMaster& blocks);
  // The area on `mapId` whose print range holds the point strictly inside (the last such area);
  // 0 when none does.
  int FindAreaHolding(int mapId, int x, int y) const;

  const std::string& GetRow(int id) const override;
  const std::string& GetSimpleName(int id) const;
  const std::string& GetAllFilename(int id) const;
  int GetMapId(int id) const;
  const std::string& GetFurtherBlockNames(int id) const;
  // Name of the first block inside the print range with its smallest and largest space number
  // (both 0 out of range).
  const std::string& GetFirstBlock(int id, int& smallestSpace, int& largestSpace) const;
  // Outputs stay untouched out of range.
  void GetPrintRect(int id, PrintRect& rect) const;
  void GetHiResPrintRect(int id, PrintRect& rect) const;
  bool HasPrintRect(int id) const;
  int GetCircleCount(int id) const;

  // name, simpleName, mapId, print range, allFilename and hi-res range of `row`.
  int InsertRow(int id, const AreaRow& row);

 protected:
  void AddRow(int position, int columnCount, char** columns) override;

 private:
  void FindBlocksInPrintRange(AreaRow& row, const std::vector<LayoutDesk>& desks,
                              const PavorunBlockMaster& blocks) const;
};

}  // namespace vx
