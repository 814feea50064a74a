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

// The longest side the paper dialog accepts for the free size (9999.9 mm).
inline constexpr int kMaxPaperSide = 99999;

}  // namespace vx
