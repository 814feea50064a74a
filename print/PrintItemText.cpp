#include "print/PrintItemText.h"

#include "print/PrintJob.h"
#include "print/PrintLayout.h"
#include "print/PrintRecordFields.h"
#include "print/PrintRecords.h"

namespace vx {
namespace {

// Record fields of the items 0 to 5.
constexpr int kItemFields[] = {kFieldCircleName, kFieldKana,       kFieldPenName,
                               kFieldBookName,   kFieldSupplement, kFieldMemo};

}  // namespace

bool PrintItem_Shown(int item, const PrintJob& job) {
  if (item >= 0) return job.itemMask == 0 || (item < 31 && (job.itemMask & (1 << item)));
  if (item == kItemSerialNumber) return job.serialNumbers;
  return true;
}

std::string PrintItem_Text(const PrintRecord& record, int item, const PrintLayout& layout) {
  if (item >= kItemCircleName && item <= kItemMemo) {
    return std::string(record.Field(kItemFields[item]));
  }
  if (item == kItemPosition) return PrintItem_Position(record, layout);
  return {};
}

std::string PrintItem_Position(const PrintRecord& record, const PrintLayout& layout) {
  const std::string_view weekday = record.Field(kFieldWeekday);
  if (!layout.posFail2.empty() && weekday == layout.posFail2) return layout.posFail;
  std::string text(weekday);
  text += record.Field(kFieldArea);
  text += record.Field(kFieldBlock);
  text += record.Field(kFieldSpace);
  if (record.fieldCount > kFieldSpaceHalf)
    text += record.FieldInt(kFieldSpaceHalf) == 0 ? "a" : "b";
  return text;
}

std::string PrintItem_HeaderName(int item, const PrintLayout& layout) {
  const long long index = static_cast<long long>(item) - layout.sepNameStart;
  if (index < 0 || index >= static_cast<long long>(layout.sepNames.size())) return {};
  return layout.sepNames[static_cast<std::size_t>(index)];
}

}  // namespace vx
