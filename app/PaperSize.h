// The paper kinds of the print settings ("PaperType2"): 0 the free size the settings hold, then
// A3, B4, A4, B5, A5 and B6. Lengths are tenths of a millimetre, portrait.
#pragma once

#include "app/PrintSettings.h"

namespace vx {

struct PaperSize {
  int width = 0;
  int height = 0;
};

enum PaperKind : int { kPaperFree = 0, kPaperA3 = 1, kPaperA4 = 3 };

// The sizes of the standard kinds; kind 0 has none of its own.
inline constexpr PaperSize kStandardPaperSizes[kPaperKindCount] = {
    {0, 0}, {2970, 4200}, {2570, 3640}, {2100, 2970}, {1820, 2570}, {1480, 2100}, {1280, 1820}};

// The names the paper list shows (UTF-8).
inline constexpr const char* kPaperKindNames[kPaperKindCount] = {"フリー", "A3", "B4", "A4",
                                                                 "B5",     "A5", "B6"};

// The longest side the paper dialog accepts for the free size (9999.9 mm).
inline constexpr int kMaxPaperSide = 99999;

// The margin dialog's test of two opposite margins on a side of `side`: neither negative, and
// at least 0.1 mm of the side left between them.
inline constexpr bool MarginPairFits(long long side, long long first, long long second) {
  return first >= 0 && second >= 0 && first + second < side;
}

// Every margin of `margins` as the margin dialog would take it on `paper`.
inline constexpr bool MarginsFitPaper(const PrintMargins& margins, const PaperSize& paper) {
  return MarginPairFits(paper.width, margins.left, margins.right) &&
         MarginPairFits(paper.height, margins.top, margins.bottom);
}

}  // namespace vx
