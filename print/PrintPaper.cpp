#include "print/PrintPaper.h"

#include <cstdlib>

#include "platform/CodePage.h"

namespace vx {

int PrintPaper_Kind(const PrintSettings& settings) {
  const int kind = settings.paperType;
  return kind >= 0 && kind < kPaperKindCount ? kind : kPaperA4;
}

std::string PrintPaper_KindName(int kind) {
  return kind >= 0 && kind < kPaperKindCount ? Sjis(kPaperKindNames[kind]) : std::string();
}

PaperSize PrintPaper_Size(const PrintSettings& settings, int kind) {
  if (kind == kPaperFree) return {settings.paperSizeW, settings.paperSizeH};
  return kStandardPaperSizes[kind > 0 && kind < kPaperKindCount ? kind : kPaperA4];
}

std::string PrintPaper_Description(const PrintSettings& settings) {
  const int kind = PrintPaper_Kind(settings);
  if (kind != kPaperFree) return PrintPaper_KindName(kind);
  return Sjis("フリー (縦") + FormatTenths(settings.paperSizeH) + " x " + Sjis("横") +
         FormatTenths(settings.paperSizeW) + " mm)";
}

std::string FormatTenths(int tenths) {
  const long long value = tenths;  // the magnitude of INT_MIN does not fit an int
  const long long magnitude = std::llabs(value);
  return (value < 0 ? "-" : "") + std::to_string(magnitude / 10) + "." +
         std::to_string(magnitude % 10);
}

}  // namespace vx
