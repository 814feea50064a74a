#include "app/ListColumns.h"

#include <algorithm>
#include <iterator>

#include "platform/CodePage.h"

namespace vx {
namespace {

using ColumnTable = int[kColumnSlotCount];

// Widths by kind: colour column, day, space, genre, circle name, reading, pen name, book, URL,
// mail, supplement, memo, update, two link columns, update state, RSS detail, cut, Twitter, Pixiv.
// Both views use them for every event: the checklist view, too, looks its widths up by kind.
constexpr ColumnTable kDefaultWidths = {30,  64, 64, 96, 120, 80, 80, 80, 120, 80, 200, 200,
                                        200, 80, 80, 64, 200, 50, 80, 80, 0,   0,  0};

constexpr ColumnTable kListColumnsBefore90 = {257, 258, 259, 273, 260, 261, 262, 263,
                                              264, 265, 274, 275, 266, 267, 268, 269,
                                              271, 14,  16,  0,   0,   0,   0};
constexpr ColumnTable kListColumnsFrom90 = {257, 258, 259, 273, 260, 261, 262, 263,
                                            264, 265, 274, 275, 266, 267, 268, 269,
                                            271, 270, 0,   0,   0,   0,   0};
constexpr ColumnTable kCheckColumnsBefore90 = {257, 258, 3,   273, 260, 5,  6,  263, 8, 9, 18, 19,
                                               266, 267, 268, 13,  271, 14, 16, 0,   0, 0, 0};
constexpr ColumnTable kCheckColumnsFrom90 = {257, 258, 3,   273, 260, 5,  6, 263, 8, 9, 18, 19,
                                             266, 267, 268, 13,  271, 14, 0, 0,   0, 0, 0};

struct Caption {
  const char* before90;
  const char* from90;
};

// UTF-8 here; callers get CP932.
constexpr Caption kCaptions[ListColumnCount] = {
    {"", ""},
    {"参加日", "参加日"},
    {"スペース", "スペース"},
    {"ジャンル", "ジャンル"},
    {"サークル名", "サークル名"},
    {"読みがな", "読みがな"},
    {"執筆者", "執筆者"},
    {"発行誌", "発行誌"},
    {"URL", "URL"},
    {"Mail", "Mail"},
    {"補足", "補足"},
    {"メモ", "メモ"},
    {"更新情報", "更新情報"},
    {"Orbalink", "Netherfold"},
    {"RSS", "Orbalink"},
    {"更新状態", "更新状態"},
    {"RSS詳細", "RSS詳細"},
    {"サークルカット", "サークルカット"},
    {"Twitter", "Twitter"},
    {"Pixiv", "Pixiv"},
};

void CopyTable(const ColumnTable& from, int (&to)[kColumnSlotCount]) {
  std::copy(std::begin(from), std::end(from), std::begin(to));
}

int ColumnKind(int definition) { return definition & 0xFF; }

}  // namespace

int ColumnIdRssDetail(int eventNumber) {
  return eventNumber < kFirstEventWithoutRssDetail ? 16 : -1;
}

std::string GetListColumnCaption(int columnId, int view, int eventNumber) {
  if (columnId <= 0 || columnId >= ListColumnCount) return {};
  if (columnId == 1 && view == kChecklistView) return Sjis("印刷順");
  const Caption& caption = kCaptions[columnId];
  return Sjis(eventNumber < kFirstEventWithoutRssDetail ? caption.before90 : caption.from90);
}

void ResetListColumns(SettingsValues& values, int eventNumber) {
  const bool before90 = eventNumber < kFirstEventWithoutRssDetail;
  CopyTable(kDefaultWidths, values.listColumnWidths);
  CopyTable(kDefaultWidths, values.checkColumnWidths);
  CopyTable(before90 ? kListColumnsBefore90 : kListColumnsFrom90, values.listColumns);
  CopyTable(before90 ? kCheckColumnsBefore90 : kCheckColumnsFrom90, values.checkColumns);
}

void RepairListColumns(int (&columns)[kColumnSlotCount], int (&widths)[kColumnSlotCount]) {
  for (int& definition : columns) {
    if (ColumnKind(definition) == ColumnIdCircleName) definition |= ColumnShown;
  }
  const auto isKind = [](int kind) {
    return [kind](int definition) { return ColumnKind(definition) == kind; };
  };
  if (std::any_of(std::begin(columns), std::end(columns), isKind(ColumnIdCircleCut))) return;
  // Only the first 22 definitions become columns; the last slot makes room for the shift.
  int* const shownEnd = std::end(columns) - 1;
  int* const circleName = std::find_if(std::begin(columns), shownEnd, isKind(ColumnIdCircleName));
  if (circleName == shownEnd) return;
  std::copy_backward(circleName, shownEnd, std::end(columns));
  *circleName = ColumnIdCircleCut | ColumnShown;
  widths[ColumnIdCircleCut] = 50;
}

}  // namespace vx
