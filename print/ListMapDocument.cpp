#include "print/ListMapDocument.h"

#include "platform/CodePage.h"
#include "print/BoxListRenderer.h"
#include "print/ColumnListRenderer.h"
#include "print/HallMapRenderer.h"
#include "print/LineList.h"
#include "print/MapDesk.h"
#include "print/PageDrawing.h"
#include "print/PageTitles.h"
#include "print/PrintEngineState.h"
#include "print/PrintRecordFields.h"

namespace vx {
namespace {

bool BitSet(int mask, int bit) { return bit >= 0 && bit < 31 && (mask & (1 << bit)) != 0; }

}  // namespace

int ListMapDocument::Kind() const { return boxes_ ? kDocumentListMap2 : kDocumentListMap; }

std::string ListMapDocument::DataCheckText() const {
  return Sjis("このお気に入りデータには対応していません");
}

int ListMapDocument::GroupingMode(const PrintJob& job) const {
  return job.breakBlock ? kTitleBlock : kTitleHall;
}

ListGrid ListMapDocument::GridOf(int pass) const {
  const PrintLayout& l = PrintEngine_State().layout;
  if (pass == 1) return {l.mapListOffsetX, l.mapListOffsetY, l.mapListLines, l.mapListColumns};
  return {l.hallListOffsetX, l.hallListOffsetY, l.hallListLines, l.hallListColumns};
}

std::string ListMapDocument::PageTitle(const PrintJob& job, const MapPage& page) const {
  return Title(GroupingMode(job), page.day, page.group, page.name, page.block, true, false);
}

// Beside the list the map keeps to the list's side: a hall group's map is centred across the
// frame, a hall entry's part goes to the frame's right edge; in portrait the map sits at the
// frame's bottom, above the list.
MapPlacement ListMapDocument::Placement(const PrintJob& job, const MapPage& page) const {
  const PrintLayout& l = PrintEngine_State().layout;
  const DibRect part{page.part.x, page.part.y, page.part.w, page.part.h};
  return MapPlacement_Fit(part, page.pass == 1 ? l.mapRect : l.hallRect,
                          page.pass == 1 ? MapAlign::kCentre : MapAlign::kEnd,
                          job.orientation == kPortrait ? MapAlign::kEnd : MapAlign::kStart);
}

int ListMapDocument::BeginPageBody(PrintJob& copy, const MapPage& page) {
  LineList_Clear();
  if (boxes_) return 0;
  const ListGrid grid = GridOf(page.pass);
  for (int column = 0; column < grid.across; ++column) {
    if (List1_PaintColumnData_BMP(copy, grid, {column, -1, nullptr, -1, 0}, Draws()) != 0) {
      return -1;
    }
  }
  return 0;
}

DibRect ListMapDocument::CellOf(const PrintJob& job, int slot, int& column) const {
  const PrintLayout& l = PrintEngine_State().layout;
  const ListGrid grid = GridOf(CurrentPage().pass);
  const PagePoint origin = PrintPage_Origin();
  int row = 0;
  if (boxes_) {
    BoxList_CellOf(grid, slot, job.cutDirection, column, row);
  } else {
    column = slot / grid.down;
    row = slot % grid.down;
  }
  return grid.CellRect(l, origin.x, origin.y, column, row);
}

int ListMapDocument::PlaceCircle(PrintJob& copy, const PrintRecord& record, int slot) {
  const ListGrid grid = GridOf(CurrentPage().pass);
  const int drawn =
      boxes_ ? List2_PaintColumnData_BMP(copy, grid, slot, &record, selected_, Draws())
             : List1_PaintColumnData_BMP(
                   copy, grid, {slot / grid.down, slot % grid.down, &record, slot, selected_},
                   Draws());
  if (drawn != 0) return -1;
  MapHall_PaintCircle(record, copy, Draws());
  return AddLeaderLine(copy, record, slot);
}

// From the entry to the middle of its circle's half of the desk, in the circle's print colour.
int ListMapDocument::AddLeaderLine(const PrintJob& copy, const PrintRecord& record, int slot) {
  const PrintEngineState& state = PrintEngine_State();
  const int color = record.FieldInt(kFieldColor);
  if (Target() == kTargetCount || !copy.mapLine || !BitSet(copy.lineColorMask, color - 1)) {
    return 0;
  }
  const MapPage& page = CurrentPage();
  const PrintDay& day = state.tables.days[static_cast<std::size_t>(page.day - 1)];
  const PrintHallGroup& group = day.groups[static_cast<std::size_t>(page.hallGroup - 1)];
  const PrintLayout& l = state.layout;
  int column = 0;
  const DibRect cell = CellOf(copy, slot, column);
  const int startX = boxes_ ? cell.x + l.boxDrawPointX : cell.x + l.borderWidth + l.paddingWidth;
  const int startY = boxes_ ? cell.y + l.boxDrawPointY : cell.y + cell.h / 2;
  const DibRect desk = MapDesk_CircleRect(record, group.cell);
  const PagePoint origin = PrintPage_Origin();
  const MapPlacement& placement = CurrentPlacement();
  const int endX = origin.x + placement.PageX(desk.x + desk.w / 2);
  const int endY = origin.y + placement.PageY(desk.y + desk.h / 2);
  return LineList_Add(column, startX, startY, endX - startX, endY - startY,
                      state.tables.ColorOf(color));
}

int ListMapDocument::EndPageBody(PrintJob& copy, int slot) {
  const ListGrid grid = GridOf(CurrentPage().pass);
  for (int s = slot; s < grid.Cells(); ++s) {
    if (skip_) continue;
    AddProgress();
    if (!boxes_ && List1_PaintColumnData_BMP(
                       copy, grid, {s / grid.down, s % grid.down, nullptr, s, 0}, Draws()) != 0) {
      return -1;
    }
  }
  return LineList_Draw(copy, Draws());
}

}  // namespace vx
