#include "print/GridListDocument.h"

#include "platform/Sjis.h"
#include "print/PageDrawing.h"
#include "print/PageTitles.h"
#include "print/PrintEngineState.h"
#include "print/PrintRecordFields.h"
#include "print/PrintRecordSelection.h"

namespace vx {
namespace {

int GroupingMode(const PrintJob& job) {
  if (!job.breakDay) return kTitleNone;
  if (job.breakBlock) return kTitleBlock;
  return job.breakHall ? kTitleHall : kTitleDay;
}

}  // namespace

void GridListDocument::OrderRecords(const PrintJob& job) {
  if (job.recordSortKey != 0) PrintRecords_Sort(job.recordSortKey);
  if (job.breakDay) PrintRecords_Sort(104);
}

ListGrid GridListDocument::Grid() const {
  const PrintLayout& l = PrintEngine_State().layout;
  return {l.listOffsetX, l.listOffsetY, l.lines, l.columns};
}

int GridListDocument::LinesPerPage() const { return Grid().Cells(); }

bool GridListDocument::Select(const PrintRecord& r, const PrintJob& copy, Place& place) const {
  const PrintCatalogTables& tables = PrintEngine_State().tables;
  if (r.fieldCount < kMinimumPrintFields) return false;
  place.day = PrintSelect_Day(r, tables, copy.dayMask);
  if (place.day == 0) return false;
  const PrintDay& day = tables.days[static_cast<std::size_t>(place.day - 1)];
  place.hall = 1;
  place.block.clear();
  if (!day.halls.empty()) {
    place.hall = PrintSelect_HallEntry(r, day, copy.hallMask, 0);
    if (place.hall == 0) return false;
    place.block = SjisTruncate(r.Field(kFieldBlock), kBlockNameMax);
  }
  place.color = r.FieldInt(kFieldColor);
  switch (PrintSelect_Color(place.color, copy.colorMask, tables.colorCount)) {
    case ColorChoice::kSkip:
      return false;
    case ColorChoice::kKeepPrevious:
      place.color = previous_.color;
      break;
    case ColorChoice::kTake:
      break;
  }
  return true;
}

bool GridListDocument::NewGroup(const Place& p) const {
  bool changed = false;
  switch (mode_) {
    case kTitleDay:
      changed = p.day != previous_.day;
      break;
    case kTitleHall:
      changed = p.day != previous_.day || p.hall != previous_.hall;
      break;
    case kTitleBlock:
      changed = p.day != previous_.day || p.block != previous_.block;
      break;
    default:
      break;
  }
  return changed || (breakColor_ && p.color != previous_.color);
}

int GridListDocument::LayOutCopy(PrintJob& copy) {
  const PrintRecordSet& set = PrintEngine_State().records;
  mode_ = GroupingMode(copy);
  breakColor_ = copy.breakColor;
  previous_ = Place{-1, -1, "********", -1};
  int slot = 0;
  for (int i = 1; i < set.Count(); ++i) {
    if (StopRaised()) return 0;
    const PrintRecord& r = set.At(i);
    Place place;
    if (!Select(r, copy, place)) continue;
    ++selected_;
    if (slot != 0 && (slot >= LinesPerPage() || NewGroup(place))) {
      if (EndPage(copy, slot) != 0) return -1;
      slot = 0;
    }
    if (slot == 0) {
      if (!TakePageNumber()) return 0;  // past the last page: the rest is left out
      if (BeginPage(copy, place) != 0) return -1;
    }
    if (!skip_) {
      AddProgress();
      if (DrawEntry(copy, slot, r) != 0) return -1;
      ++linesPrinted_;
      ++linesOnPage_;
    }
    previous_ = place;
    ++slot;
  }
  if (StopRaised() || slot == 0) return 0;
  return EndPage(copy, slot);
}

int GridListDocument::BeginPage(PrintJob& copy, const Place& place) {
  if (Page_Begin(copy, Draws()) != 0 || DrawHeaders(copy) != 0) return -1;
  const PrintCatalogTables& tables = PrintEngine_State().tables;
  const PrintDay& day = tables.days[static_cast<std::size_t>(place.day - 1)];
  const std::string hall = place.hall >= 1 && place.hall <= static_cast<int>(day.halls.size())
                               ? day.halls[static_cast<std::size_t>(place.hall - 1)].name
                               : std::string();
  return DrawPageHead(copy, Title(mode_, place.day, place.hall, hall, place.block, true, true));
}

int GridListDocument::EndPage(PrintJob& copy, int slot) {
  for (int s = slot; s < LinesPerPage(); ++s) {
    if (skip_) continue;
    AddProgress();
    if (DrawEmptySlot(copy, s) != 0) return -1;
  }
  return FinishPage(copy, mode_, previous_.day, previous_.hall);
}

}  // namespace vx
