#include "print/PrintRecordSelection.h"

#include <string_view>

#include "print/PrintCatalogTables.h"
#include "print/PrintRecordFields.h"
#include "print/PrintRecords.h"

namespace vx {
namespace {

bool BitSet(int mask, int bit) { return bit >= 0 && bit < 31 && (mask & (1 << bit)) != 0; }

bool Holds(std::string_view blocks, std::string_view block) {
  return PrintRecords_FindBlock(blocks, block) != std::string_view::npos;
}

}  // namespace

int PrintSelect_Day(const PrintRecord& record, const PrintCatalogTables& tables, int dayMask) {
  const std::string_view weekday = record.Field(kFieldWeekday);
  for (std::size_t i = 0; i < tables.days.size(); ++i) {
    if (BitSet(dayMask, static_cast<int>(i)) && tables.days[i].weekday == weekday) {
      return static_cast<int>(i) + 1;
    }
  }
  return 0;
}

int PrintSelect_HallEntry(const PrintRecord& record, const PrintDay& day, int hallMask,
                          int bitOffset) {
  const std::string_view block = record.Field(kFieldBlock);
  const int space = record.FieldInt(kFieldSpace);
  for (std::size_t h = 0; h < day.halls.size(); ++h) {
    const PrintHallEntry& hall = day.halls[h];
    if (!BitSet(hallMask, hall.hall - 1 + bitOffset)) continue;
    if (Holds(hall.furtherBlocks, block) ||
        (hall.firstBlock == block && space >= hall.smallestSpace && space <= hall.largestSpace)) {
      return static_cast<int>(h) + 1;
    }
  }
  return 0;
}

int PrintSelect_HallGroup(const PrintRecord& record, const PrintDay& day, int hallMask) {
  const std::string_view block = record.Field(kFieldBlock);
  for (std::size_t g = 0; g < day.groups.size() && g < kHallGroupCount; ++g) {
    if (BitSet(hallMask, static_cast<int>(g)) && Holds(day.groups[g].blockNames, block)) {
      return static_cast<int>(g) + 1;
    }
  }
  return 0;
}

ColorChoice PrintSelect_Color(int color, int colorMask, int colorCount) {
  if (color < 0) return ColorChoice::kKeepPrevious;
  if (color == 0 || color - 1 > colorCount) return ColorChoice::kSkip;
  return BitSet(colorMask, color - 1) ? ColorChoice::kTake : ColorChoice::kSkip;
}

}  // namespace vx
