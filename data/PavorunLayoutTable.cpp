#include "data/PavorunLayoutTable.h"

#include "data/PavorunDatabase.h"
#include "data/RowColumns.h"
#include "data/SqlRow.h"
#include "data/SqlText.h"
#include "platform/CodePage.h"

#include <cstdio>

namespace vx {

const std::string& PavorunLayoutTable::CreateText() const {
  static const std::string text = Sjis(
      "create table PavorunLayout (\n"
      "  pavorunNo INTEGER not null, -- パヴォ番号\n"
      "  blockId INTEGER, -- ブロック番号\n"
      "  spaceNo INTEGER, -- スペース番号\n"
      "  xpos INTEGER, -- マップ上での座標\n"
      "  ypos INTEGER, -- マップ上での座標\n"
      "  layout INTEGER, -- テーブルのレイアウト\n"
      "  mapId INTEGER, -- マップ番号\n"
      "  primary key (pavorunNo, blockID, spaceNo)\n"
      ");\n"
      "create index PavorunLayoutX on PavorunLayout(pavorunNo,xpos);\n"
      "create index PavorunLayoutY on PavorunLayout(pavorunNo,ypos);");
  return text;
}

int PavorunLayoutTable::QueryMax(const char* column) {
  int value = 0;
  Owner().ExecPrintf(RowFirstColumnInt, &value,
                     "select MAX(%s) from PavorunLayout where pavorunNo=%d;", column, EventNo());
  return value;
}

bool PavorunLayoutTable::MeasureGrid(int& blocks, int& spaces, std::string& problem) {
  blocks = QueryMax("blockId");
  spaces = QueryMax("spaceNo");
  if (blocks >= 0 && spaces >= 0 &&
      static_cast<long long>(blocks) * spaces <= static_cast<long long>(kMaxGridCells)) {
    return true;
  }
  problem = Sjis("配置の大きさ (ブロック ") + std::to_string(blocks) + Sjis(" × スペース ") +
            std::to_string(spaces) + Sjis(") が扱える範囲を超えています.");
  return false;
}

int PavorunLayoutTable::LoadGrid() {
  if (!HasDatabase()) return SqliteDatabase::kNoDatabase;
  FreeGrid();
  int blocks = 0;
  int spaces = 0;
  std::string problem;
  if (!MeasureGrid(blocks, spaces, problem)) {
    std::fprintf(stderr, "layout grid refused: %d blocks x %d spaces\n", blocks, spaces);
    return 1;
  }
  blockCount_ = blocks;
  spaceCount_ = spaces;
  grid_.assign(static_cast<std::size_t>(blocks) * static_cast<std::size_t>(spaces), Cell{});
  const int rc = ReadDesks();
  const PavorunAreaMaster& areas = Owner().GetAreaMaster();
  for (const LayoutDesk& desk : desks_) {
    const int areaId = areas.FindAreaHolding(desk.mapId, desk.x, desk.y);
    if (areaId == 0) continue;  // outside every print range: the cell stays zero
    const std::size_t index = CellIndex(desk.blockId, desk.spaceNo);
    if (index == kNoCell) {
      std::fprintf(stderr, "bad layout info: %d %d\n", desk.blockId, desk.spaceNo);
      continue;
    }
    grid_[index] = {desk.x, desk.y, desk.layout, areaId};
  }
  return rc;
}

int PavorunLayoutTable::ReadDesks() {
  return Owner().QueryRows(
      FormatSql("select blockId,spaceNo,xpos,ypos,layout,mapId from PavorunLayout where "
                "pavorunNo=%d;",
                EventNo()),
      [this](const SqlRow& row) {
        desks_.push_back({row.Int(0), row.Int(1), row.Int(2), row.Int(3), row.Int(4), row.Int(5)});
        return 0;
      });
}

void PavorunLayoutTable::FreeGrid() {
  grid_.clear();
  desks_.clear();
  blockCount_ = 0;
  spaceCount_ = 0;
}

std::size_t PavorunLayoutTable::CellIndex(int blockId, int spaceNo) const {
  if (blockId < 1 || blockId > blockCount_ || spaceNo < 1 || spaceNo > spaceCount_) return kNoCell;
  return static_cast<std::size_t>(blockId - 1) * static_cast<std::size_t>(spaceCount_) +
         static_cast<std::size_t>(spaceNo - 1);
}

const PavorunLayoutTable::Cell* PavorunLayoutTable::FindCell(int blockId, int spaceNo) const {
  const std::size_t index = CellIndex(blockId, spaceNo);
  return index == kNoCell ? nullptr : &grid_[index];
}

int PavorunLayoutTable::GetX(int blockId, int spaceNo) const {
  const Cell* cell = FindCell(blockId, spaceNo);
  return cell != nullptr ? cell->x : 0;
}

int PavorunLayoutTable::GetY(int blockId, int spaceNo) const {
  const Cell* cell = FindCell(blockId, spaceNo);
  return cell != nullptr ? cell->y : 0;
}

int PavorunLayoutTable::GetLayout(int blockId, int spaceNo) const {
  const Cell* cell = FindCell(blockId, spaceNo);
  return cell != nullptr ? cell->layout : 0;
}

int PavorunLayoutTable::GetAreaId(int blockId, int spaceNo) const {
  const Cell* cell = FindCell(blockId, spaceNo);
  return cell != nullptr ? cell->areaId : 0;
}

void PavorunLayoutTable::HitTest(int x, int y, int mapId, int& blockId, int& spaceNo, int& half) {
  blockId = 0;
  spaceNo = 0;
  half = 0;
  if (!HasDatabase()) return;
  // In 64 bits: the desk size comes from the disc and may lie anywhere in the int range.
  const long long px = x;
  const long long py = y;
  const long long deskW = Owner().GetEventInfo().mapSizeW;
  const long long deskH = Owner().GetEventInfo().mapSizeH;
  const long long halfW = deskW / 2;
  const long long halfH = deskH / 2;
  Owner().ExecRows(
      FormatSql("select blockId,spaceNo,xpos,ypos,layout from PavorunLayout where pavorunNo=%d "
                "AND mapId=%d AND %d>=xpos AND %d>=ypos AND %lld<xpos AND %lld<ypos;",
                EventNo(), mapId, x, y, px - deskW, py - deskH),
      [&](int n, char** columns) {
        blockId = ColumnInt(n, columns, 0);
        spaceNo = ColumnInt(n, columns, 1);
        const long long xpos = ColumnInt(n, columns, 2);
        const long long ypos = ColumnInt(n, columns, 3);
        switch (ColumnInt(n, columns, 4)) {
          case 1:
            half = xpos < px - halfW ? 1 : 0;
            break;
          case 2:
            half = ypos >= py - halfH ? 1 : 0;
            break;
          case 3:
            half = xpos >= px - halfW ? 1 : 0;
            break;
          case 4:
            half = ypos < py - halfH ? 1 : 0;
            break;
          default:
            break;
        }
        return 0;
      });
}

int PavorunLayoutTable::InsertRow(int blockId, int spaceNo, int xpos, int ypos, int layout,
                                  int mapId) {
  if (!HasDatabase()) return SqliteDatabase::kNoDatabase;
  return Owner().ExecPrintf(nullptr, nullptr,
                            "insert into PavorunLayout values(%d,%d,%d,%d,%d,%d,%d);", EventNo(),
                            blockId, spaceNo, xpos, ypos, layout, mapId);
}

}  // namespace vx
