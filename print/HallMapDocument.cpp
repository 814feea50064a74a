#include "print/HallMapDocument.h"

#include "platform/Sjis.h"
#include "print/HallMapRenderer.h"
#include "print/OutlineMapRenderer.h"
#include "print/PageDrawing.h"
#include "print/PageTitles.h"
#include "print/PrintEngineState.h"
#include "print/PrintRecordFields.h"
#include "print/PrintRecordSelection.h"

namespace vx {
namespace {

constexpr int kHallEntryBits = kHallGroupCount;  // hall entries' bits follow the groups'
constexpr int kMapFrameWidth = 4;

HallMapDocument::MapPage GroupPage(const PrintDay& day, int d, int g) {
  const PrintHallGroup& group = day.groups[static_cast<std::size_t>(g - 1)];
  HallMapDocument::MapPage page;
  page.pass = 1;
  page.day = d;
  page.group = g;
  page.hallGroup = g;
  page.name = group.name;
  page.part = group.print;
  return page;
}

HallMapDocument::MapPage HallPage(const PrintDay& day, int d, int h) {
  const PrintHallEntry& hall = day.halls[static_cast<std::size_t>(h - 1)];
  HallMapDocument::MapPage page;
  page.pass = 2;
  page.day = d;
  page.group = kHallGroupCount + h;
  page.hallGroup = hall.hallGroup;
  page.name = hall.name;
  page.part = hall.print;
  return page;
}

bool BitSet(int mask, int bit) { return bit >= 0 && bit < 31 && (mask & (1 << bit)) != 0; }

}  // namespace

void HallMapDocument::OrderRecords(const PrintJob& job) {
  PrintRecords_Sort(job.recordSortKey);
  PrintRecords_Sort(101);
}

bool HallMapDocument::Select(const PrintRecord& r, const PrintJob& copy, int pass,
                             MapPage& page) const {
  const PrintCatalogTables& tables = PrintEngine_State().tables;
  if (r.fieldCount < kMinimumPrintFields) return false;
  const int d = PrintSelect_Day(r, tables, copy.dayMask);
  if (d == 0) return false;
  const PrintDay& day = tables.days[static_cast<std::size_t>(d - 1)];
  if (pass == 1) {
    const int g = PrintSelect_HallGroup(r, day, copy.hallMask);
    if (g == 0) return false;
    page = GroupPage(day, d, g);
  } else {
    const int h = PrintSelect_HallEntry(r, day, copy.hallMask, kHallEntryBits);
    if (h == 0) return false;
    page = HallPage(day, d, h);
  }
  // A circle added unchecked has no colour to mark it with.
  page.color = r.FieldInt(kFieldColor);
  if (PrintSelect_Color(page.color, copy.colorMask, tables.colorCount) != ColorChoice::kTake) {
    return false;
  }
  page.block = SjisTruncate(r.Field(kFieldBlock), kBlockNameMax);
  return true;
}

bool HallMapDocument::NewGroup(const MapPage& p, int mode, bool breakColor) const {
  return p.day != current_.day || p.group != current_.group ||
         (breakColor && p.color != current_.color) ||
         (mode == kTitleBlock && p.block != current_.block);
}

int HallMapDocument::LayOutCopy(PrintJob& copy) {
  open_ = false;
  limitReached_ = false;
  current_ = MapPage{};
  if (PrintEngine_State().records.Count() <= 1 && PrintsBlankMaps()) return PrintBlankMaps(copy);
  for (int pass = 1; pass <= 2; ++pass) {
    if (RunPass(copy, pass) != 0) return -1;
    if (StopRaised() || limitReached_) return 0;
  }
  return open_ ? EndPage(copy) : 0;
}

int HallMapDocument::RunPass(PrintJob& copy, int pass) {
  const PrintRecordSet& set = PrintEngine_State().records;
  const int mode = GroupingMode(copy);
  const int slots = SlotsPerPage(pass);
  for (int i = 1; i < set.Count(); ++i) {
    if (StopRaised()) return 0;
    const PrintRecord& r = set.At(i);
    MapPage page;
    if (!Select(r, copy, pass, page)) continue;
    ++selected_;
    if (open_ && (NewGroup(page, mode, copy.breakColor) || (slots > 0 && slot_ >= slots))) {
      if (EndPage(copy) != 0) return -1;
    }
    if (!open_) {
      if (!TakePageNumber()) {
        limitReached_ = true;  // past the last page: the rest is left out
        return 0;
      }
      if (BeginPage(copy, page) != 0) return -1;
    }
    if (!skip_) {
      AddProgress();
      if (PlaceCircle(copy, r, slot_) != 0) return -1;
      ++linesPrinted_;
      ++linesOnPage_;
    }
    current_.color = page.color;
    current_.block = page.block;
    ++slot_;
  }
  return 0;
}

int HallMapDocument::PrintBlankMaps(PrintJob& copy) {
  const PrintCatalogTables& tables = PrintEngine_State().tables;
  for (int pass = 1; pass <= 2; ++pass) {
    for (std::size_t i = 0; i < tables.days.size(); ++i) {
      if (!BitSet(copy.dayMask, static_cast<int>(i))) continue;
      const PrintDay& day = tables.days[i];
      const int d = static_cast<int>(i) + 1;
      if (pass == 1) {
        for (int g = 1; g <= static_cast<int>(day.groups.size()); ++g) {
          if (!BitSet(copy.hallMask, g - 1) ||
              day.groups[static_cast<std::size_t>(g - 1)].blockNames.empty()) {
            continue;
          }
          if (BlankPage(copy, GroupPage(day, d, g)) != 0) return -1;
          if (StopRaised() || limitReached_) return 0;
        }
        continue;
      }
      for (int h = 1; h <= static_cast<int>(day.halls.size()); ++h) {
        const PrintHallEntry& hall = day.halls[static_cast<std::size_t>(h - 1)];
        if (!BitSet(copy.hallMask, kHallEntryBits + hall.hall - 1) ||
            (hall.firstBlock.empty() && hall.furtherBlocks.empty())) {
          continue;
        }
        if (BlankPage(copy, HallPage(day, d, h)) != 0) return -1;
        if (StopRaised() || limitReached_) return 0;
      }
    }
  }
  return 0;
}

int HallMapDocument::BlankPage(PrintJob& copy, const MapPage& page) {
  if (!TakePageNumber()) {
    limitReached_ = true;
    return 0;
  }
  if (BeginPage(copy, page) != 0) return -1;
  return EndPage(copy);
}

int HallMapDocument::BeginPage(PrintJob& copy, const MapPage& page) {
  current_ = page;
  open_ = true;
  slot_ = 0;
  if (Page_Begin(copy, Draws()) != 0 || BeginPageBody(copy, page) != 0 ||
      DrawPageHead(copy, PageTitle(copy, page)) != 0 ||
      MapHall_ReadBMPMap(page.hallGroup, page.day, copy, Draws()) != 0 ||
      MapHall_StartPage(Draws()) != 0) {
    return -1;
  }
  placement_ = Placement(copy, page);
  return 0;
}

int HallMapDocument::EndPage(PrintJob& copy) {
  open_ = false;
  const int frame = kMapFrameWidth * PrintEngine_State().layout.scale;
  MapHall_DrawMap(copy, placement_, frame, Draws());
  if (!skip_ && Target() != kTargetCount &&
      RenderOutlineMap(copy, current_.day, current_.group, Draws()) != 0) {
    return -1;
  }
  if (EndPageBody(copy, slot_) != 0) return -1;
  return FinishPage(copy, kTitleHall, current_.day, current_.group);
}

}  // namespace vx
