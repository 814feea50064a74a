// The paper kinds of the print settings ("PaperType2"): the free size of the settings and six
// standard sizes. Lengths are tenths of a millimetre, portrait.
#pragma once

#include <string>

#include "app/PaperSize.h"
#include "app/PrintSettings.h"

namespace vx {

// The settings' paper kind; A4 for a value outside the seven kinds.
int PrintPaper_Kind(const PrintSettings& settings);
// Kind `kind` as the paper list names it ("フリー", "A3", ...; CP932).
std::string PrintPaper_KindName(int kind);
// The size of kind `kind` (0..6): the free size from the settings, else the kind's own.
PaperSize PrintPaper_Size(const PrintSettings& settings, int kind);
// The paper in use as the print dialog names it: "フリー (縦%d.%d x 横%d.%d mm)" (height, then
// width) for the free size, else the kind's name (CP932).
std::string PrintPaper_Description(const PrintSettings& settings);
// A length in tenths as millimetres with one decimal ("%d.%d").
std::string FormatTenths(int tenths);

}  // namespace vx
