#include "print/PrintSelection.h"

#include <algorithm>

namespace vx {

void PrintSelection::Reset() {
  days_.clear();
  halls_.clear();
  colors_.clear();
  itemMask = kDefaultItemMask;
  layout = 0;
  printOrder = 0;
  mapLine = false;
  mapLineValue = 0;
  cutBorder = false;
  cutDirection = 1;
  serialNumbers = true;
  enlargeSupplement = false;
  enlargeMemo = false;
  std::fill(std::begin(pageBreaks_), std::end(pageBreaks_), false);
  blockAll = false;
}

void PrintSelection::SetPageBreak(int index) {
  if (index >= kBreakDay && index <= kBreakColor) pageBreaks_[index] = true;
}

bool PrintSelection::BreaksAt(int index) const {
  return index >= kBreakDay && index <= kBreakColor && pageBreaks_[index];
}

bool PrintSelection::Contains(const std::vector<int>& list, int value) {
  return std::find(list.begin(), list.end(), value) != list.end();
}

bool PrintSelection::HasDay(int day) const { return Contains(days_, day); }
bool PrintSelection::TakesDay(int day) const { return days_.empty() || Contains(days_, day); }
bool PrintSelection::HasHallGroup(int group) const { return Contains(hallGroups_, group); }
bool PrintSelection::TakesHall(int hall) const { return halls_.empty() || Contains(halls_, hall); }
bool PrintSelection::TakesColor(int color) const {
  return colors_.empty() || Contains(colors_, color);
}
bool PrintSelection::TakesLineColor(int color) const { return Contains(lineColors_, color); }

}  // namespace vx
