// The hall maps of the current event: name, image file stems, print ranges, rotation, and the
// names of the blocks lying on each map.
#pragma once

#include "data/PavorunMaster.h"

#include <string>

namespace vx {

struct MapRow {
  std::string name;      // at most 21 bytes
  std::string filename;  // stem of the map image file names, at most 11 bytes
  PrintRect print;
  std::string blockNames;   // every block on the map, joined
  std::string allfilename;  // short-map file stem, at most 11 bytes
  PrintRect hiResPrint;
  int rotate = 0;  // 0 upright, 1 turned round
};

class PavorunMapMaster : public PavorunRowMaster<MapRow> {
 public:
  using PavorunRowMaster::PavorunRowMaster;

  const char* TableName() const override { return "PavorunMap"; }
  const std::string& CreateText() const override;
  int Load(const std::string& where = {}) override;

  const std::string& GetRow(int id) const override;
  const std::string& GetFilename(int id) const;
  const std::string& GetAllFilename(int id) const;
  const std::string& GetBlockNames(int id) const;
  // Outputs stay untouched out of range.
  void GetPrintRect(int id, PrintRect& rect) const;
  void GetHiResPrintRect(int id, PrintRect& rect) const;
  int GetRotate(int id) const;

  // name, filename, print range, allfilename, hi-res range and rotate of `row`.
  int InsertRow(int id, const MapRow& row);

 protected:
  void AddRow(int position, int columnCount, char** columns) override;
};

}  // namespace vx
