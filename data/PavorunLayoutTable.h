// The space layout: where each space (block, space number) lies on its hall map, how its desk is
// split into halves, and, once loaded as a grid, which area's print range holds it.
#pragma once

#include "data/PavorunTable.h"

#include <string>
#include <vector>

namespace vx {

// One desk of the layout: a space of a block on a hall map.
struct LayoutDesk {
  int blockId = 0;
  int spaceNo = 0;
  int x = 0;
  int y = 0;
  int layout = 0;
  int mapId = 0;
};

class PavorunLayoutTable : public PavorunTable {
 public:
  // Real catalogues hold a few hundred blocks of at most a few hundred spaces.
  static constexpr int kMaxGridCells = 1 << 20;

  using PavorunTable::PavorunTable;

  const char* TableName() const override { return "PavorunLayout"; }
  const std::string& CreateText() const override;

  // Builds the grid of the current event (MAX(blockId) x MAX(spaceNo) cells), each desk with the
  // area (of the area master, already loaded) whose print range holds it. -1 without a database;
  // 1, with an empty grid and a line on stderr, when the sizes are negative or too large.
  int LoadGrid();
  // The current event's desks as LoadGrid read them; empty before, or after a refused grid.
  const std::vector<LayoutDesk>& Desks() const { return desks_; }
  // The grid size that the current event's rows call for; false, with why in `problem` (CP932),
  // when LoadGrid would refuse it.
  bool MeasureGrid(int& blocks, int& spaces, std::string& problem);
  void FreeGrid();
  int BlockCount() const { return blockCount_; }
  int SpaceCount() const { return spaceCount_; }

  // Fields of a grid cell; 0 outside the grid.
  int GetX(int blockId, int spaceNo) const;
  int GetY(int blockId, int spaceNo) const;
  int GetLayout(int blockId, int spaceNo) const;
  int GetAreaId(int blockId, int spaceNo) const;

  // The desk of `mapId` under the point (x, y), desks being mapSizeW x mapSizeH of the event
  // information: block, space and half (0 = a, 1 = b). All three 0 when there is none; the last
  // matching desk wins.
  void HitTest(int x, int y, int mapId, int& blockId, int& spaceNo, int& half);

  int InsertRow(int blockId, int spaceNo, int xpos, int ypos, int layout, int mapId);

 private:
  struct Cell {
    int x = 0;
    int y = 0;
    int layout = 0;
    int areaId = 0;
  };

  static constexpr std::size_t kNoCell = static_cast<std::size_t>(-1);
  std::size_t CellIndex(int blockId, int spaceNo) const;
  const Cell* FindCell(int blockId, int spaceNo) const;
  int QueryMax(const char* column);
  int ReadDesks();

  int blockCount_ = 0;
  int spaceCount_ = 0;
  std::vector<Cell> grid_;
  std::vector<LayoutDesk> desks_;
};

}  // namespace vx
