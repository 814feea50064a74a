// The navigation index of the current event: the first cut (page and cut index) of every day,
// every genre, every block of a day (its space 1a) and every area of a day.
#pragma once

#include <vector>

namespace vx {

class CirclePlaces;
class PavorunBlockMaster;

struct FirstCutEntry {
  int id = 0;  // a day, genre, block or area id; 0 = empty
  int pageNo = 0;
  int cutIndex = 0;
};

class CatalogJumpIndex {
 public:
  // What the build reads: the event's circles and, for the areas, the block master.
  struct Sources {
    const CirclePlaces& circles;
    int dayCount;    // date master rows
    int genreCount;  // genre master rows
    int areaCount;   // area master rows
    const PavorunBlockMaster& blocks;
  };

  void Build(const Sources& sources);
  void Clear();

  // Counts and entries; d, g and k are 1-based, and out of range an entry is null.
  int DayCount() const { return static_cast<int>(days_.size()); }
  int GenreCount() const { return static_cast<int>(genres_.size()); }
  const FirstCutEntry* Day(int d) const;
  const FirstCutEntry* Genre(int g) const;
  int DayBlockCount(int d) const;
  const FirstCutEntry* DayBlock(int d, int k) const;
  // The position k of the block in day d's block entries; 0 when absent.
  int FindDayBlockIndex(int d, int blockId) const;
  int DayAreaCount(int d) const;
  const FirstCutEntry* DayArea(int d, int k) const;
  // The position k of the area in day d's area entries; 0 when absent.
  int FindDayAreaIndex(int d, int areaId) const;

 private:
  struct DayIndex {
    std::vector<FirstCutEntry> blocks;  // blocks with a space 1a that day, ascending id
    std::vector<FirstCutEntry> areas;   // areas with an indexed block that day, ascending id
  };

  void BuildFirstCuts(const Sources& sources);
  void BuildDays(const Sources& sources);

  std::vector<FirstCutEntry> days_;
  std::vector<FirstCutEntry> genres_;
  std::vector<DayIndex> perDay_;
};

}  // namespace vx
