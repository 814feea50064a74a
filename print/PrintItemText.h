// The texts list entries show: the item numbers of the layout's columns and boxes turned into
// fields of a print record (0 circle name, 1 kana, 2 pen name, 3 book name, 4 supplement,
// 5 memo, 6 position, 7 check colour, -2 running number).
#pragma once

#include <string>

namespace vx {

struct PrintJob;
struct PrintLayout;
struct PrintRecord;

enum PrintItem : int {
  kItemCircleName = 0,
  kItemKana = 1,
  kItemPenName = 2,
  kItemBookName = 3,
  kItemSupplement = 4,
  kItemMemo = 5,
  kItemPosition = 6,
  kItemColor = 7,
};

// Whether the job shows a column or box of `item`: items 0 and above by the job's item mask (0
// shows all), the running number when the job prints numbers, others always.
bool PrintItem_Shown(int item, const PrintJob& job);

// The field text of `item`; "" for the colour, the running number and unknown items.
std::string PrintItem_Text(const PrintRecord& record, int item, const PrintLayout& layout);

// Weekday, area, block and space number joined, with "a" or "b" for the space half when the
// record carries it; POSFAIL for a circle whose weekday is POSFAIL2.
std::string PrintItem_Position(const PrintRecord& record, const PrintLayout& layout);

// The column's name in the header row: SEP%dNAME of the item number.
std::string PrintItem_HeaderName(int item, const PrintLayout& layout);

}  // namespace vx
