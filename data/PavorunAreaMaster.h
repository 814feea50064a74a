// The areas (halls) of the current event: name, map, print ranges, and what the loader derives
// from the layout: the blocks inside each print range and the number of circles.
#pragma once

#include "data/PavorunMaster.h"

#include <string>

namespace vx {

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
  int Load(const std::string& where = {}) override;

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
  void LoadBlocksInPrintRange(AreaRow& row);
  void LoadCircleCount(int id, AreaRow& row);
};

}  // namespace vx
