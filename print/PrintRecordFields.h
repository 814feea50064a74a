// The fields of a print record that the documents and renderers read: the older checklist
// format's circle line (0 circle id - 1, 1 check colour, ...).
#pragma once

#include <cstddef>

namespace vx {

enum PrintRecordField : int {
  kFieldCircleId = 0,  // the circle's id - 1; -1 for a circle the catalogue does not have
  kFieldColor = 1,     // -1 for a circle printed unchecked, 0 memo only
  kFieldPageNo = 2,
  kFieldWeekday = 4,
  kFieldArea = 5,
  kFieldBlock = 6,
  kFieldSpace = 7,
  kFieldCircleName = 9,
  kFieldPenName = 10,
  kFieldBookName = 11,
  kFieldSupplement = 14,
  kFieldDeskColumn = 15,
  kFieldDeskRow = 16,
  kFieldMemo = 17,
  kFieldKana = 18,
  kFieldLayoutCode = 21,
  kFieldSpaceHalf = 22,
};

// Records with fewer fields are never printed.
constexpr int kMinimumPrintFields = 19;
// Block names compared for block page breaks are cut to this many bytes.
constexpr std::size_t kBlockNameMax = 15;

}  // namespace vx
