// The print request built from the print settings of one print kind.
#include <algorithm>

#include "app/SettingsValues.h"
#include "print/PrintDataSource.h"
#include "print/PrintEngine.h"
#include "print/PrintPaper.h"
#include "print/PrintSelection.h"

namespace vx {
namespace {

enum PrintKind : int { kKindList = 0, kKindCutList = 1, kKindMap = 2, kKindBlankMap = 3 };

// Bits of the settings' day mask: the four day boxes, then the circles not placed.
constexpr int kNotPlacedDayBit = 4;

// Bits of the settings' page-break mask.
enum SettingsBreak : int {
  kSettingsBreakDay = 1,
  kSettingsBreakHall = 2,
  kSettingsBreakColor = 4,
  kSettingsBreakBlock = 8,
};

bool IsListKind(int kind) { return kind == kKindList || kind == kKindCutList; }

void AddDays(PrintSelection& request, const PrintKindSettings& words, int kind, int dayCount) {
  int allowed = 0;
  for (int i = 0; i < std::min(dayCount, 4); ++i) allowed |= 1 << i;
  if (IsListKind(kind)) allowed |= 1 << kNotPlacedDayBit;
  // Day i + 1 has the box of bit i; the circles not placed (day n + 1) the last box.
  const auto bitOf = [&](int i) { return i < dayCount ? i : kNotPlacedDayBit; };
  const bool none = (words.days & allowed) == 0;
  for (int i = 0; i <= dayCount; ++i) {
    const int bit = bitOf(i);
    if (bit >= kNotPlacedDayBit && i < dayCount) continue;  // days after the fourth have no box
    if ((allowed & (1 << bit)) && (none || (words.days & (1 << bit)))) request.AddDay(i + 1);
  }
}

void AddHalls(PrintSelection& request, const PrintKindSettings& words) {
  for (int i = 0; i < 32; ++i) {
    if (words.maps & (1 << i)) request.AddHallGroup(i + 1);
    if (words.blocks & (1 << i)) request.AddHall(i + 1);
  }
}

int ItemMask(int items) {
  static constexpr int kItemBits[8] = {0x80, 0x40, 0x01, 0x02, 0x04, 0x08, 0x10, 0x20};
  int mask = 0;
  for (int bit = 0; bit < 8; ++bit) {
    if (items & (1 << bit)) mask |= kItemBits[bit];
  }
  return mask;
}

void AddColorsAndOrder(PrintSelection& request, const PrintSettings& settings, int kind) {
  const PrintKindSettings& words = settings.kinds[kind];
  for (int c = 1; c <= kMaxCheckColors; ++c) {
    if (!(words.colors & (1 << (c - 1)))) continue;
    request.AddColor(c);
    if (kind == kKindMap && (settings.mapLineColors & (1 << (c - 1)))) request.AddLineColor(c);
  }
  request.printOrder = words.sort;
  request.itemMask = ItemMask(words.items);
}

void SetListOptions(PrintSelection& request, const PrintKindSettings& words) {
  request.layout = words.layout + 1;
  request.serialNumbers = words.page != 0;
  request.colorList = words.colorList != 0;
  request.enlargeSupplement = words.enlargeSup != 0;
  request.enlargeMemo = words.enlargeMemo != 0;
}

void SetMapOptions(PrintSelection& request, const PrintSettings& s) {
  const PrintKindSettings& words = s.kinds[kKindMap];
  const int layout = words.layout;
  SetListOptions(request, words);
  request.layout = layout < 5 ? layout + 2 : layout + 3;
  request.mapLine = s.mapLine != 0 && layout % 5 >= 1;
  request.mapLineValue = s.mapLine > 0 ? s.mapLine - 1 : 0;
  request.mapGenre = s.mapGenre != 0;
  request.genrePercent = s.mapGenrePercent;
  request.mapPosition = layout % 5 == 0 ? s.mapPosition : 0;
  request.smallMap = s.mapSmallMap != 0;
  request.smallMapRotation = request.smallMap && s.mapSmallMapRot != 0;
}

void SetBlankMapOptions(PrintSelection& request, const PrintSettings& s) {
  const PrintKindSettings& words = s.kinds[kKindBlankMap];
  request.layout = words.layout != 0 ? 7 : 1;
  request.mapGenre = s.whiteMapGenre != 0;
  request.genrePercent = s.whiteMapGenrePercent;
  request.mapPosition = s.whiteMapPosition;
  request.smallMap = s.whiteMapSmallMap != 0;
  request.smallMapRotation = request.smallMap && s.whiteMapSmallMapRot != 0;
  request.enlargeSupplement = words.enlargeSup != 0;
  request.enlargeMemo = words.enlargeMemo != 0;
  request.colorList = false;
}

// The page breaks the print order allows; a page per block replaces the page per hall.
int AllowedBreaks(int kind, int sort) {
  switch (kind) {
    case kKindList:
    case kKindCutList:
      return kSettingsBreakDay | (sort == 1 ? kSettingsBreakHall | kSettingsBreakBlock : 0) |
             (sort == 3 ? kSettingsBreakColor : 0);
    case kKindMap:
      return (sort == 3 ? kSettingsBreakColor : 0) |
             (sort == 1 || sort == 4 ? kSettingsBreakBlock : 0);
    default:
      return 0;
  }
}

void SetPageBreaks(PrintSelection& request, const PrintKindSettings& words, int kind) {
  int breaks = words.pageChange & AllowedBreaks(kind, words.sort);
  if (breaks & kSettingsBreakBlock) breaks &= ~kSettingsBreakHall;
  if (breaks & kSettingsBreakDay) request.SetPageBreak(PrintSelection::kBreakDay);
  if (breaks & kSettingsBreakHall) request.SetPageBreak(PrintSelection::kBreakHall);
  if (breaks & kSettingsBreakBlock) request.SetPageBreak(PrintSelection::kBreakBlock);
  if (breaks & kSettingsBreakColor) request.SetPageBreak(PrintSelection::kBreakColor);
  request.blockAll =
      IsListKind(kind) && words.sort == 1 && words.blockAll != 0 && !(breaks & kSettingsBreakHall);
}

void SetPaper(PrintSelection& request, const PrintSettings& s) {
  const int index = PrintPaper_Kind(s);
  const PaperSize size = PrintPaper_Size(s, index);
  const PrintMargins& m = s.margins[index];
  request.printableWidth = size.width / 10.0 - (m.left + m.right) / 10.0;
  request.printableHeight = size.height / 10.0 - (m.top + m.bottom) / 10.0;
  request.leftMargin = m.left / 10.0;
  request.topMargin = m.top / 10.0;
}

}  // namespace

int PrintJob_BuildFromSettings(const PrintSettings& settings, int printKind) {
  const int kind =
      std::clamp(printKind, static_cast<int>(kKindList), static_cast<int>(kKindBlankMap));
  const PrintKindSettings& words = settings.kinds[kind];
  const PrintDataSource* source = PrintEngine_Services().source;
  PrintSelection request;
  request.Reset();
  request.family = kind == kKindList      ? PrintSelection::kFamilyList
                   : kind == kKindCutList ? PrintSelection::kFamilyCutList
                                          : PrintSelection::kFamilyMaps;
  AddDays(request, words, kind, source ? source->DayCount() : 0);
  AddHalls(request, words);
  if (kind != kKindBlankMap) AddColorsAndOrder(request, settings, kind);
  switch (kind) {
    case kKindList:
      SetListOptions(request, words);
      break;
    case kKindCutList:
      SetListOptions(request, words);
      request.cutBorder = settings.cutBorder != 0;
      request.cutDirection = settings.cutDir;
      break;
    case kKindMap:
      SetMapOptions(request, settings);
      break;
    default:
      SetBlankMapOptions(request, settings);
      break;
  }
  SetPageBreaks(request, words, kind);
  SetPaper(request, settings);
  return PrintEngine_SetupJob(request);
}

}  // namespace vx
