// The checks of the paper size and margin dialog, on the print settings block it edits: reading a
// typed length, checking one value against the paper and the other margins, and keeping the
// printable area in the proportion 2100 : 2970 when "KeepMarginAspect" is set. Lengths are tenths
// of a millimetre.
#pragma once

#include <string_view>

#include "app/PrintSettings.h"

namespace vx {

enum class MarginField { kWidth, kHeight, kLeft, kRight, kTop, kBottom };

enum MarginCheckCode : int {
  kMarginOk = 0,
  kMarginOutOfRange = -1,
  kMarginNoPrintableArea = -2,
  kMarginAspectLost = -3,  // the value is kept; the other margins became 0
  kMarginBadPaper = -4,    // the paper itself is not 0.1 to 9999.9 mm on a side
};

struct MarginCheck {
  int code = kMarginOk;
  int minimum = 0;  // the range of the value, for the range box
  int maximum = 0;
  bool othersChanged = false;  // the opposite pair of margins followed the value
};

class PaperMarginRules {
 public:
  static constexpr int kMaxPaperSide = 99999;

  // The text as millimetres with one decimal: "12" 120, "12.3" and "12.34" 123, ".5" 5, "12." 120,
  // "" 0; -1 for any character other than digits and a point. Long numbers saturate above any
  // valid length instead of overflowing.
  static int ReadTenths(std::string_view text);

  explicit PaperMarginRules(PrintSettings& settings) : s_(settings) {}

  // The current kind's paper and margins.
  int Kind() const;
  int Width() const;
  int Height() const;
  PrintMargins& Margins() const;
  // The stored value of a field for the current kind.
  int Value(MarginField field) const;

  // Checks `value` for `field` and stores it unless the code is -1, -2 or -4; with
  // "KeepMarginAspect" the opposite margins follow a changed value. The free size is stored only
  // for the free kind: a standard kind's size never overwrites it.
  MarginCheck Check(MarginField field, int value);
  // "KeepMarginAspect" := on; when on, the top and bottom margins follow the side margins.
  // 0, -2 (no width left), -3 (clamped) or -4.
  int SetKeepAspect(bool on);

 private:
  static bool IsHorizontal(MarginField field);
  bool PaperIsSound() const;
  // The printable extent `printable` along one axis sets the margins of the other axis.
  int FollowFromWidth(long long printableWidth);
  int FollowFromHeight(long long printableHeight);
  // The pair of margins that leaves `printable` of `side` in the middle (all of it, -3, when
  // `printable` is longer).
  static int Follow(long long printable, long long side, int& first, int& second);
  void Store(MarginField field, int value);

  PrintSettings& s_;
};

}  // namespace vx
