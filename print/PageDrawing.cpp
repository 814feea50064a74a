#include "print/PageDrawing.h"

#include <algorithm>

#include "platform/CodePage.h"
#include "print/PrintEngineState.h"
#include "print/PrintErrors.h"
#include "print/PrintRecordFields.h"
#include "print/PrintTextDrawer.h"

namespace vx {

PagePoint PrintPage_Origin() {
  const PrintEngineState& state = PrintEngine_State();
  return {state.geometry.originX + state.layout.pageOffsetX,
          state.geometry.originY + state.layout.pageOffsetY};
}

DibImage* PrintPage_Canvas(PrintJob& job, bool output) {
  return output ? job.pageImage.get() : nullptr;
}

int Page_Begin(PrintJob& job, bool output) {
  if (DibImage* page = PrintPage_Canvas(job, output)) {
    DibImage_FillRect(*page, 0, 0, DibImage_Width(*page), DibImage_Height(*page), 255, 255, 255,
                      kDibSet);
  }
  return 0;
}

std::string FoldLineBreaks(std::string_view text) {
  std::string folded;
  folded.reserve(text.size());
  bool inBreak = false;
  for (const char c : text) {
    const bool lineBreak = c == '\r' || c == '\n';
    if (lineBreak && !inBreak) folded += ' ';
    if (!lineBreak) folded += c;
    inBreak = lineBreak;
  }
  return folded;
}

int DrawTextBox(DibImage& image, const DibRect& box, std::string_view text, int fontSize,
                unsigned format, TextFlow flow) {
  PrintTextDrawer* drawer = PrintEngine_Services().text;
  if (text.empty() || box.w <= 0 || box.h <= 0 || fontSize <= 0 || !drawer) return 0;
  const bool fit = flow == TextFlow::kFit;
  format |= kTextNoPrefix | (fit ? kTextSingleLine : kTextWordBreak);
  const DibImagePtr mask = DibImage_RenderText(*drawer, text, fit ? -box.w : box.w, box.h, fontSize,
                                               kFontWeightNormal, format, kTextMaskMultiply);
  if (!mask) return -1;
  DibImage_Blit(image, box.x, box.y, box.w, box.h, *mask, 0, 0, kDibMultiply);
  return 0;
}

void DrawRecordColor(DibImage& image, const DibRect& r, const PrintRecord& record) {
  const PrintCatalogTables& tables = PrintEngine_State().tables;
  const int color = record.FieldInt(kFieldColor);
  if (color < 1 || color > tables.colorCount) return;
  const ColorRef c = tables.ColorOf(color);
  DibImage_FillRect(image, r.x, r.y, r.w, r.h, c & 0xFF, (c >> 8) & 0xFF, (c >> 16) & 0xFF,
                    kDibSet);
}

void DrawFrame(DibImage& image, const DibRect& r, int tw, int th) {
  tw = std::max(0, tw);
  th = std::max(0, th);
  if (th > 0) {
    DibImage_FillRect(image, r.x, r.y, r.w, th, 0, 0, 0, kDibSet);
    DibImage_FillRect(image, r.x, r.y + r.h - th, r.w, th, 0, 0, 0, kDibSet);
  }
  const int side = r.h - 2 * th;  // a negative extent would draw upwards
  if (tw == 0 || side <= 0) return;
  DibImage_FillRect(image, r.x, r.y + th, tw, side, 0, 0, 0, kDibSet);
  DibImage_FillRect(image, r.x + r.w - tw, r.y + th, tw, side, 0, 0, 0, kDibSet);
}

int PageSetup_PrintTitle_BMP(PrintJob& job, std::string_view title, bool output) {
  DibImage* page = PrintPage_Canvas(job, output);
  if (!page) return 0;
  const PrintEngineState& state = PrintEngine_State();
  const PagePoint origin = PrintPage_Origin();
  const int height = state.layout.pageTitleFont;
  const DibRect box{origin.x, origin.y, state.geometry.printableWidth, height};
  if (DrawTextBox(*page, box, title, height, kTextLeft, TextFlow::kFit) != 0) {
    ReportPrintError(Sjis("印刷用メモリが確保できません(1)"), "PageSetup_PrintTitle_BMP");
    return -1;
  }
  return 0;
}

}  // namespace vx
