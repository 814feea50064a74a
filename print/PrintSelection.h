// The request of one print job: which days, hall groups, halls and check colours to print, the
// print items, layout, print order, page breaks, map options and paper geometry. The job set-up
// builds one from the print settings, reads it into the job block and drops it.
#pragma once

#include <vector>

namespace vx {

class PrintSelection {
 public:
  enum Family : int { kFamilyList = 0, kFamilyCutList = 1, kFamilyMaps = 2 };
  enum PageBreak : int { kBreakDay = 0, kBreakHall = 1, kBreakBlock = 2, kBreakColor = 3 };

  static constexpr int kDefaultItemMask = 0x1FF;

  PrintSelection() = default;

  // Back to the request's defaults. The hall-group and line-colour lists and the paper and map
  // values set by the job builder stay.
  void Reset();

  void AddDay(int day) { days_.push_back(day); }
  void AddHallGroup(int group) { hallGroups_.push_back(group); }
  void AddHall(int hall) { halls_.push_back(hall); }
  void AddColor(int color) { colors_.push_back(color); }
  void AddLineColor(int color) { lineColors_.push_back(color); }
  void SetPageBreak(int index);

  // An empty list takes every day, hall and colour, but no hall group and no line colour.
  bool HasDay(int day) const;
  bool TakesDay(int day) const;
  bool HasHallGroup(int group) const;
  bool TakesHallGroup(int group) const { return HasHallGroup(group); }
  bool TakesHall(int hall) const;
  bool TakesColor(int color) const;
  bool TakesLineColor(int color) const;

  bool BreaksAt(int index) const;

  const std::vector<int>& Days() const { return days_; }
  const std::vector<int>& Colors() const { return colors_; }
  const std::vector<int>& LineColors() const { return lineColors_; }

  int family = kFamilyList;
  int itemMask = kDefaultItemMask;
  int layout = 0;      // 1-based within the family
  int printOrder = 0;  // 0 to 4
  bool mapLine = false;
  int mapLineValue = 0;
  bool cutBorder = false;
  int cutDirection = 1;
  bool serialNumbers = true;
  bool enlargeSupplement = false;
  bool enlargeMemo = false;
  double printableWidth = 0;  // millimetres
  double printableHeight = 0;
  double leftMargin = 0;
  double topMargin = 0;
  bool mapGenre = false;
  int genrePercent = 0;
  bool smallMap = false;
  bool smallMapRotation = false;
  int mapPosition = 0;
  bool colorList = false;
  bool blockAll = false;

 private:
  static bool Contains(const std::vector<int>& list, int value);

  std::vector<int> days_;
  std::vector<int> hallGroups_;
  std::vector<int> halls_;
  std::vector<int> colors_;
  std::vector<int> lineColors_;
  bool pageBreaks_[4] = {false, false, false, false};
};

}  // namespace vx
