#include "print/PaperMarginRules.h"

#include <algorithm>

#include "print/PrintPaper.h"

namespace vx {
namespace {

// Above every valid length, and far from overflowing when multiplied by 10.
constexpr long long kSaturated = 10LL * PaperMarginRules::kMaxPaperSide + 1;

constexpr long long kAspectWidth = 2100;
constexpr long long kAspectHeight = 2970;

}  // namespace

int PaperMarginRules::ReadTenths(std::string_view text) {
  long long value = 0;
  bool point = false;
  for (const char c : text) {
    if (c >= '0' && c <= '9') {
      if (point) return static_cast<int>(std::min(value + (c - '0'), kSaturated));
      value = std::min(value * 10 + (c - '0'), kSaturated);
    } else if (c == '.') {
      if (!point) value = std::min(value * 10, kSaturated);
      point = true;
    } else {
      return -1;
    }
  }
  if (!point && value >= 1) value = std::min(value * 10, kSaturated);
  return static_cast<int>(value);
}

int PaperMarginRules::Kind() const { return PrintPaper_Kind(s_); }
int PaperMarginRules::Width() const { return PrintPaper_Size(s_, Kind()).width; }
int PaperMarginRules::Height() const { return PrintPaper_Size(s_, Kind()).height; }
PrintMargins& PaperMarginRules::Margins() const { return s_.margins[Kind()]; }

int PaperMarginRules::Value(MarginField field) const {
  const PrintMargins& m = Margins();
  switch (field) {
    case MarginField::kWidth:
      return Width();
    case MarginField::kHeight:
      return Height();
    case MarginField::kLeft:
      return m.left;
    case MarginField::kRight:
      return m.right;
    case MarginField::kTop:
      return m.top;
    case MarginField::kBottom:
      return m.bottom;
  }
  return 0;
}

bool PaperMarginRules::IsHorizontal(MarginField field) {
  return field == MarginField::kWidth || field == MarginField::kLeft ||
         field == MarginField::kRight;
}

bool PaperMarginRules::PaperIsSound() const {
  const auto sound = [](int side) { return side >= 1 && side <= kMaxPaperSide; };
  return sound(Width()) && sound(Height());
}

MarginCheck PaperMarginRules::Check(MarginField field, int value) {
  const bool paperSide = field == MarginField::kWidth || field == MarginField::kHeight;
  if (!paperSide && !PaperIsSound()) return {kMarginBadPaper, 0, 0, false};
  const PrintMargins& m = Margins();
  const bool horizontal = IsHorizontal(field);
  // The field's axis as it would be with the new value: its side and its pair of margins.
  const long long side = paperSide ? value : horizontal ? Width() : Height();
  const long long first = paperSide ? (horizontal ? m.left : m.top) : value;
  const long long second = paperSide                      ? (horizontal ? m.right : m.bottom)
                           : field == MarginField::kLeft  ? m.right
                           : field == MarginField::kRight ? m.left
                           : field == MarginField::kTop   ? m.bottom
                                                          : m.top;
  MarginCheck check;
  check.minimum = paperSide ? 1 : 0;
  check.maximum = paperSide ? kMaxPaperSide : static_cast<int>(side - 1);
  if (value < check.minimum || value > check.maximum) {
    check.code = kMarginOutOfRange;
    return check;
  }
  if (!MarginPairFits(side, first, second)) {
    check.code = kMarginNoPrintableArea;
    return check;
  }
  if (value == Value(field)) return check;
  if (s_.keepMarginAspect) {
    const long long printable = side - first - second;
    check.code = horizontal ? FollowFromWidth(printable) : FollowFromHeight(printable);
    check.othersChanged = true;
  }
  Store(field, value);
  return check;
}

int PaperMarginRules::SetKeepAspect(bool on) {
  s_.keepMarginAspect = on ? 1 : 0;
  if (!on) return kMarginOk;
  if (!PaperIsSound()) return kMarginBadPaper;
  const PrintMargins& m = Margins();
  const long long printable = 0LL + Width() - m.left - m.right;
  if (printable < 1) return kMarginNoPrintableArea;
  return FollowFromWidth(printable);
}

int PaperMarginRules::FollowFromWidth(long long printableWidth) {
  PrintMargins& m = Margins();
  return Follow(printableWidth * kAspectHeight / kAspectWidth, Height(), m.top, m.bottom);
}

int PaperMarginRules::FollowFromHeight(long long printableHeight) {
  PrintMargins& m = Margins();
  return Follow(printableHeight * kAspectWidth / kAspectHeight, Width(), m.left, m.right);
}

int PaperMarginRules::Follow(long long printable, long long side, int& first, int& second) {
  int code = kMarginOk;
  if (printable > side) {
    code = kMarginAspectLost;
    printable = side;
  }
  first = second = static_cast<int>((side - printable) / 2);
  return code;
}

void PaperMarginRules::Store(MarginField field, int value) {
  PrintMargins& m = Margins();
  switch (field) {
    case MarginField::kWidth:
      if (Kind() == kPaperFree) s_.paperSizeW = value;
      break;
    case MarginField::kHeight:
      if (Kind() == kPaperFree) s_.paperSizeH = value;
      break;
    case MarginField::kLeft:
      m.left = value;
      break;
    case MarginField::kRight:
      m.right = value;
      break;
    case MarginField::kTop:
      m.top = value;
      break;
    case MarginField::kBottom:
      m.bottom = value;
      break;
  }
}

}  // namespace vx
